#include "quillon/ui/SocketWatch.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/evtloopsrc.h>

namespace quillon::ui {

class CSocketWatch::Handler : public wxEventLoopSourceHandler {
 public:
  explicit Handler(std::function<void()> onReadable) : onReadable_(std::move(onReadable)) {}
  void OnReadWaiting() override {
    if (onReadable_) onReadable_();
  }
  void OnWriteWaiting() override {}
  void OnExceptionWaiting() override {}
  void Detach() { onReadable_ = nullptr; }

 private:
  std::function<void()> onReadable_;
};

CSocketWatch::CSocketWatch(int fd, std::function<void()> onReadable)
    : handler_(std::make_shared<Handler>(std::move(onReadable))) {
  source_ = wxEventLoopBase::AddSourceForFD(fd, handler_.get(), wxEVENT_SOURCE_INPUT);
}

CSocketWatch::~CSocketWatch() {
  delete source_;  // no further callbacks
  handler_->Detach();
  if (wxTheApp) wxTheApp->CallAfter([handler = handler_] {});
}

}  // namespace quillon::ui
