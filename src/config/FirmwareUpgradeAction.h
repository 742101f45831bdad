#pragma once
// The firmware upgrade job: opens each device for the transfer with one SNMP set, queues one TFTP upload
// per device, runs them five at a time and posts the progress in thousandths to the owner window every
// 100 ms with a status text of one line per device, until every upload has ended or the user stops the
// run. Each device's start, success and failure become action-log lines and lines of the status text, and
// the failures are shown in one message box before the run's end message, while the progress window
// still shows them; polling is suspended while the job runs. One object serves one run at a time.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "config/FirmwareStatusLines.h"
#include "config/MultiTftp.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"
#include "platform/WorkerThread.h"

class CFirmwareUpgradeAction : public platform::CWorkerThread {
 public:
  // Device kinds.
  static constexpr int kSwitches = 1;
  static constexpr int kAps = 2;
  static constexpr unsigned long kThreads = 5;
  static constexpr std::uint32_t kProgressMs = 100;

  // tftpPort: the devices' TFTP port (0: PELLION_TFTP_PORT, else 69).
  explicit CFirmwareUpgradeAction(int tftpPort = 0);
  ~CFirmwareUpgradeAction() override;

  void SetOwner(platform::WindowId owner) { owner_ = owner; }
  // Before a run starts: kind 0 is accepted and transfers nothing.
  void SetParams(int deviceKind, const std::vector<std::string>& ips, const std::string& firmwareFile);
  // The IP at position index of the list; empty past its end.
  std::string GetIpByIndex(int index) const;
  // Ends the run under way at its next check (the engine finished, or the user's Cancel).
  int OnWorkEnd(int = 0);

  // Starts one run on the job's thread; an earlier run is joined first.
  bool StartRun();

 private:
  // One run; 0 for the normal end and the ends "invalid file path", "create mtftp fail" and "can not get
  // file", else -1.
  std::uint32_t UpgradeProc();
  // Opens one device for the transfer and queues its task; false ends the run.
  bool OpenDevice(int device, const std::string& ip, int kind, const std::string& file);
  // Posts the thousandths of total sent so far, and each device's share of the file in the status text.
  void PostProgress(std::uint64_t total, std::uint64_t fileSize);
  // Posts the status text when it changed since the last one posted.
  void PostStatus();
  // Every end after the polling lock resumes polling; a failure text is shown in a box before the end.
  void EndRun(bool closeThreads, const std::string& failure = {}, unsigned boxStyle = platform::MB_OK);
  void Post(std::uint32_t id, std::uintptr_t wParam = 0, std::string text = {});

  std::atomic<platform::WindowId> owner_{platform::kNoWindow};
  CMultiTftp engine_;
  std::atomic<bool> workEnd_{false};
  mutable std::mutex paramsMutex_;
  int deviceKind_ = 0;
  std::string firmwareFile_;
  std::vector<std::string> ips_;
  std::vector<std::string> failures_;  // this run's failure lines, under paramsMutex_
  CFirmwareStatusLines status_;        // under paramsMutex_
  std::string postedStatus_;           // under paramsMutex_
};
