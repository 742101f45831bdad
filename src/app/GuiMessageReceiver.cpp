#include "app/GuiMessageReceiver.h"

#include <wx/thread.h>

#include <future>
#include <memory>

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
  // The promise travels with the queued call; if the window goes before handling it, the call is
  // deleted unrun and the broken promise releases the waiting sender.
  auto result = std::make_shared<std::promise<std::intptr_t>>();
  std::future<std::intptr_t> answer = result->get_future();
  {
    std::lock_guard lock(mutex_);
    if (!target_) return 0;
    target_->CallAfter(
        [handler = handler_, message, result = std::move(result)] { result->set_value(handler(message)); });
  }
  try {
    return answer.get();
  } catch (const std::future_error&) {
    return 0;
  }
}

void CGuiMessageReceiver::Detach() {
  std::lock_guard lock(mutex_);
  target_ = nullptr;
}
