#include "uibase/GuiMessageReceiver.h"

#include <wx/thread.h>

#include <optional>

#include "uibase/UiThreadCall.h"

CGuiMessageReceiver::CGuiMessageReceiver(wxEvtHandler* target, Handler handler)
    : target_(target), handler_(std::move(handler)) {}

void CGuiMessageReceiver::Post(platform::Message message) {
  std::lock_guard lock(mutex_);
  if (!target_) return;
  target_->CallAfter([handler = handler_, message = std::move(message)] { handler(message); });
}

std::intptr_t CGuiMessageReceiver::Send(const platform::Message& message) {
  if (wxThread::IsMain()) {
    Handler handler;
    {
      std::lock_guard lock(mutex_);
      if (!target_) return 0;
      handler = handler_;
    }
    return handler(message);
  }
  std::optional<CUiThreadCall> call;
  {
    std::lock_guard lock(mutex_);
    if (!target_) return 0;
    call.emplace(*target_, [handler = handler_, message] { return handler(message); });
  }
  return call->Wait(0);
}

void CGuiMessageReceiver::Detach() {
  std::lock_guard lock(mutex_);
  target_ = nullptr;
}
