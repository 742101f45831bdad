#pragma once
// What the main frame's StartFirmwareUpgrade does: shows the firmware progress window ("Firmware
// upgrade...", 0 to 1000, the main window disabled meanwhile), starts the firmware job and follows its
// messages: the bar moves with the progress, the message shows the job's line for each device (how much
// it has received, or how its upload ended) and "Transfer complete, Please wait a moment for writing
// firmware" at 1000, the job's failure box opens over the window, the end closes the window. Cancel in
// the window stops the job and writes "firmware upgrade process is stopped by user.". The job's polling
// lock and restart go on to the main window.
// Lives as long as the frame; one run at a time.
#include <wx/event.h>

#include <memory>
#include <string>
#include <vector>

#include "config/FirmwareUpgradeAction.h"
#include "platform/Window.h"

class CGuiMessageReceiver;
class CMessageBoxOwner;
class CProgressWnd;

class CFirmwareUpgradeRunner : public wxEvtHandler {
 public:
  // tftpPort: the devices' TFTP port (0: PELLION_TFTP_PORT, else 69).
  explicit CFirmwareUpgradeRunner(int tftpPort = 0);
  ~CFirmwareUpgradeRunner() override;

  void StartFirmwareUpgrade(int deviceKind, const std::vector<std::string>& ips, const std::string& firmwareFile);
  // The progress window of the run under way, null between runs.
  CProgressWnd* ProgressWindow() const { return progress_; }
  CFirmwareUpgradeAction& Job() { return job_; }

 private:
  std::intptr_t OnMessage(const platform::Message& message);
  void CloseProgress();
  void ShowText();

  CFirmwareUpgradeAction job_;
  std::shared_ptr<CGuiMessageReceiver> receiver_;
  platform::WindowId windowId_ = platform::kNoWindow;
  CProgressWnd* progress_ = nullptr;
  std::unique_ptr<CMessageBoxOwner> boxOwner_;
  std::string devicesText_;   // the job's status text
  std::string transferNote_;  // shown below it once everything is sent
};
