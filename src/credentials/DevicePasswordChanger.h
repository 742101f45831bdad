#pragma once
// Gives every managed switch and AP a new password (its SNMP write community) in one pass on a worker
// thread. Each device is reached with the password stored for it; the new one is stored once the device
// took it, and one action-log line tells the outcome. The owner window hears of each device by posted
// messages: its status text (WM_NMS_PASSWORD_TEXT), then one step (WM_NMS_PASSWORD_STEP, wParam the
// number of devices, lParam 1), whatever became of it; a pass without a managed device posts only
// WM_NMS_PASSWORD_DONE. After Cancel the remaining devices still get their messages but no exchange and
// no line.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "credentials/PasswordTarget.h"
#include "platform/Window.h"
#include "platform/WorkerThread.h"

class CDevicePasswordChanger : public platform::CWorkerThread {
 public:
  CDevicePasswordChanger() = default;
  ~CDevicePasswordChanger() override;

  void SetOwnerWindow(platform::WindowId owner) { m_ownerWnd = owner; }
  // Starts a pass with the new password; false, and nothing started, while a pass is still running.
  bool Start(const std::string& newPassword);
  // The current pass stops changing passwords from the next device on.
  void Cancel() { m_stop = true; }
  bool IsRunning() const { return m_running; }

 protected:
  std::uint32_t Run(void* param) override;

 private:
  // What became of one device.
  enum class Outcome { Changed, Refused, ChangedNotStored };

  // The managed devices, in table order: their number.
  int LoadDevices();
  void SetApPassword(const PasswordTarget& device);
  void SetSwitchPassword(const PasswordTarget& device);
  // Stores the password the device took, for every managed row of its address.
  Outcome Store(const PasswordTarget& device);
  void WriteOutcome(const PasswordTarget& device, Outcome outcome);
  bool Stopped() const { return m_stop || StopRequested(); }

  void PostStep();
  void PostStatusText(const PasswordTarget& device);
  void PostNoDevices();

  std::atomic<platform::WindowId> m_ownerWnd{platform::kNoWindow};
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_running{false};
  // Written by Start before the thread begins, read only by the thread while it runs.
  std::string m_newPassword;
  std::vector<PasswordTarget> m_devices;
  int m_total = 0;
};
