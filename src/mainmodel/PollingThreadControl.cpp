#include "mainmodel/PollingThreadControl.h"

#include "platform/MessageIds.h"

// Forwards every notification to the main window and notes the begin (0x4BB, kind 0) and the end (kind 2)
// of each pass on the way.
class CPollingThreadControl::Relay : public platform::MessageReceiver {
 public:
  explicit Relay(platform::WindowId target) : target_(target) {}

  void Post(platform::Message message) override {
    Observe(message);
    platform::PostMessage(target_, message.id, message.wParam, message.lParam, std::move(message.text));
  }
  std::intptr_t Send(const platform::Message& message) override {
    Observe(message);
    return platform::SendMessage(target_, message.id, message.wParam, message.lParam, message.text);
  }

  bool WaitIdle(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return !passRunning_; });
  }

 private:
  void Observe(const platform::Message& message) {
    if (message.id != msg::WM_NMS_STATUS_TEXT || (message.lParam != 0 && message.lParam != 2)) return;
    std::lock_guard lock(mutex_);
    passRunning_ = message.lParam == 0;
    changed_.notify_all();
  }

  platform::WindowId target_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool passRunning_ = false;
};

CPollingThreadControl::CPollingThreadControl() = default;

CPollingThreadControl::~CPollingThreadControl() { Stop(); }

bool CPollingThreadControl::Start(platform::WindowId window) {
  if (relay_) return false;
  relay_ = std::make_shared<Relay>(window);
  relayId_ = platform::RegisterWindow(relay_);
  thread_.SetNotifyWnd(relayId_);
  return thread_.Start();
}

bool CPollingThreadControl::WaitIdle(std::chrono::milliseconds limit) { return !relay_ || relay_->WaitIdle(limit); }

void CPollingThreadControl::Stop() {
  thread_.Stop();
  if (relayId_ != platform::kNoWindow) platform::UnregisterWindow(relayId_);
  relayId_ = platform::kNoWindow;
}
