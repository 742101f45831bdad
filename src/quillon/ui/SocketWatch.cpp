#include "quillon/ui/SocketWatch.h"

#include <wx/evtloop.h>
#include <wx/evtloopsrc.h>

namespace quillon::ui {

class CSocketWatch::Handler : public wxEventLoopSourceHandler {
 public:
  explicit Handler(std::function<void()> onReadable) : onReadable_(std::move(onReadable)) {}
  void OnReadWaiting() override {
    running_ = true;
    onReadable_();
    running_ = false;
    if (orphaned_) delete this;
  }
  void OnWriteWaiting() override {}
  void OnExceptionWaiting() override {}
  // The watch ends: gone now, or once its callback has returned.
  void Release() {
    if (running_)
      orphaned_ = true;
    else
      delete this;
  }

 private:
  std::function<void()> onReadable_;
  bool running_ = false;
  bool orphaned_ = false;
};

CSocketWatch::CSocketWatch(int fd, std::function<void()> onReadable)
    : handler_(new Handler(std::move(onReadable))) {
  source_ = wxEventLoopBase::AddSourceForFD(fd, handler_, wxEVENT_SOURCE_INPUT);
}

CSocketWatch::~CSocketWatch() {
  delete source_;  // no further callbacks
  handler_->Release();
}

}  // namespace quillon::ui
