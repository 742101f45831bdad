#include "credentials/DevicePasswordChanger.h"

#include <cstdlib>

#include "credentials/DevicePasswordSet.h"
#include "db/AccessDatabase.h"
#include "db/KeyKind.h"
#include "groups/GroupStore.h"
#include "log/LogDBModule.h"
#include "platform/MessageIds.h"

namespace {

// The type column as a kind: a NULL reads as the empty text and gives -1.
int Kind(const std::string& type) { return type.empty() ? -1 : std::atoi(type.c_str()); }

}  // namespace

// Run uses this object's members: the thread ends here, before they go.
CDevicePasswordChanger::~CDevicePasswordChanger() {
  m_stop = true;
  Stop(true);
}

bool CDevicePasswordChanger::Start(const std::string& newPassword) {
  // One device list and one password: a second pass waits until the first has ended.
  if (m_running.exchange(true)) return false;
  Stop(false);  // the previous pass has ended; only its thread is left to join
  m_newPassword = newPassword;
  m_stop = false;
  if (StartNoParam()) return true;
  m_running = false;
  return false;
}

std::uint32_t CDevicePasswordChanger::Run(void*) {
  m_total = LoadDevices();
  if (m_total <= 0) {
    PostNoDevices();
  } else {
    for (const PasswordTarget& device : m_devices) {
      PostStatusText(device);
      if (device.kind == PasswordTarget::kSwitch) {
        SetSwitchPassword(device);
      } else if (device.kind == PasswordTarget::kAp) {
        SetApPassword(device);
      }
      PostStep();
    }
  }
  m_running = false;
  return 0;
}

int CDevicePasswordChanger::LoadDevices() {
  m_devices.clear();
  // Each row is read on its own: a NULL field is empty, never the row before's value.
  for (const auto& row : CAccessDatabase().QueryRows("SELECT name, ip, mac, type FROM device_list_prev"))
    m_devices.push_back({Kind(row.at(3)), row.at(0), row.at(1), row.at(2)});
  return static_cast<int>(m_devices.size());
}

void CDevicePasswordChanger::SetApPassword(const PasswordTarget& device) {
  const std::string root = GetGroupStore()->GetDevSysObjectID(device.mac, KeyKind::Mac);
  if (Stopped() || device.ip.empty()) return;
  const std::string community = GetGroupStore()->GetDevPassword(device.mac, KeyKind::Mac);
  const bool taken =
      !community.empty() && CDevicePasswordSet::SetApPassword(device.ip, root, community, m_newPassword);
  WriteOutcome(device, taken ? Store(device) : Outcome::Refused);
}

void CDevicePasswordChanger::SetSwitchPassword(const PasswordTarget& device) {
  if (Stopped() || device.ip.empty()) return;
  const std::string community = GetGroupStore()->GetDevPassword(device.mac, KeyKind::Mac);
  const bool taken = !community.empty() &&
                     CDevicePasswordSet::SetSwitchPassword(
                         device.ip, GetGroupStore()->GetDevSysObjectID(device.mac, KeyKind::Mac), community,
                         m_newPassword);
  WriteOutcome(device, taken ? Store(device) : Outcome::Refused);
}

CDevicePasswordChanger::Outcome CDevicePasswordChanger::Store(const PasswordTarget& device) {
  return GetGroupStore()->SetDevPassword(device.ip, m_newPassword) ? Outcome::Changed : Outcome::ChangedNotStored;
}

void CDevicePasswordChanger::WriteOutcome(const PasswordTarget& device, Outcome outcome) {
  const std::string subject = "Modify device " + device.ip + "[" + device.mac + "] password ";
  switch (outcome) {
    case Outcome::Changed: GetLogDBModule()->WriteActionLog(subject + "success"); break;
    case Outcome::Refused: GetLogDBModule()->WriteActionLog(subject + "fail"); break;
    // The device now answers only to the new password while the database still holds the old one.
    case Outcome::ChangedNotStored:
      GetLogDBModule()->WriteActionLog(subject + "changed on device, not saved");
      break;
  }
}

void CDevicePasswordChanger::PostStep() {
  platform::PostMessage(m_ownerWnd, msg::WM_NMS_PASSWORD_STEP, static_cast<std::uintptr_t>(m_total), 1);
}

void CDevicePasswordChanger::PostStatusText(const PasswordTarget& device) {
  // The receiver gets a copy of its own, intact whatever device the pass has moved on to.
  platform::PostMessage(m_ownerWnd, msg::WM_NMS_PASSWORD_TEXT, 0, 0,
                        "Modify device " + device.name + ":(" + device.ip + "):" + device.mac + " password");
}

void CDevicePasswordChanger::PostNoDevices() { platform::PostMessage(m_ownerWnd, msg::WM_NMS_PASSWORD_DONE); }
