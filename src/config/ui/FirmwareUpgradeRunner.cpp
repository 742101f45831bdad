#include "config/ui/FirmwareUpgradeRunner.h"

#include "controls/ProgressWnd.h"
#include "log/LogDBModule.h"
#include "platform/MessageIds.h"
#include "uibase/GuiMessageBox.h"
#include "uibase/GuiMessageReceiver.h"

namespace {

constexpr int kProgressFull = 1000;

// The progress window's Cancel tells the runner instead of the main window.
class CFirmwareProgressWnd : public CProgressWnd {
 public:
  explicit CFirmwareProgressWnd(platform::WindowId runner) : runner_(runner) {}
  void OnCancel() override { platform::PostMessage(runner_, msg::WM_NMS_FIRMWARE_STOP); }

 private:
  platform::WindowId runner_;
};

}  // namespace

CFirmwareUpgradeRunner::CFirmwareUpgradeRunner(int tftpPort) : job_(tftpPort) {
  receiver_ = std::make_shared<CGuiMessageReceiver>(this, [this](const platform::Message& m) { return OnMessage(m); });
  windowId_ = platform::RegisterWindow(receiver_);
}

CFirmwareUpgradeRunner::~CFirmwareUpgradeRunner() {
  job_.OnWorkEnd();
  job_.Stop(true);
  platform::UnregisterWindow(windowId_);
  receiver_->Detach();
  CloseProgress();
}

void CFirmwareUpgradeRunner::StartFirmwareUpgrade(int deviceKind, const std::vector<std::string>& ips,
                                                  const std::string& firmwareFile) {
  if (progress_ == nullptr) {
    progress_ = new CFirmwareProgressWnd(windowId_);
    progress_->GoModal("Firmware upgrade...");
    progress_->SetRange(0, kProgressFull);
    progress_->SetPos(0);
    boxOwner_ = std::make_unique<CMessageBoxOwner>(progress_);  // the job's failure box opens over it
  }
  devicesText_.clear();
  transferNote_.clear();
  job_.SetParams(deviceKind, ips, firmwareFile);
  job_.SetOwner(windowId_);
  job_.StartRun();
}

void CFirmwareUpgradeRunner::CloseProgress() {
  if (progress_ == nullptr) return;
  boxOwner_.reset();
  progress_->Destroy();  // its destructor enables the main window again
  progress_ = nullptr;
}

void CFirmwareUpgradeRunner::ShowText() {
  if (progress_ == nullptr) return;
  const std::string text = devicesText_ + (devicesText_.empty() || transferNote_.empty() ? "" : "\n") + transferNote_;
  progress_->SetMessageText("%s", text.c_str());
  progress_->GrowToMessage();
}

std::intptr_t CFirmwareUpgradeRunner::OnMessage(const platform::Message& message) {
  switch (message.id) {
    case msg::WM_NMS_FIRMWARE_PROGRESS:
      if (progress_ != nullptr) {
        progress_->SetPos(static_cast<int>(message.wParam));
        transferNote_ =
            message.wParam == kProgressFull ? "Transfer complete, Please wait a moment for writing firmware" : "";
        ShowText();
      }
      break;
    case msg::WM_NMS_FIRMWARE_TEXT:
      devicesText_ = message.text;
      ShowText();
      break;
    case msg::WM_NMS_FIRMWARE_STOP:
      job_.OnWorkEnd();
      GetLogDBModule()->WriteActionLog("firmware upgrade process is stopped by user.");
      break;
    case msg::WM_NMS_FIRMWARE_END:
      CloseProgress();
      break;
    case msg::WM_NMS_POLLING_LOCK:
    case msg::WM_NMS_POLLING_RESTART:
      platform::PostMessage(platform::GetMainWindow(), message.id, message.wParam, message.lParam);
      break;
    default:
      break;
  }
  return 0;
}
