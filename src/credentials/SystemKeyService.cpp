#include "credentials/SystemKeyService.h"

#include "db/TopologyDBManager.h"
#include "groups/GroupStore.h"
#include "net/AddressText.h"
#include "platform/MessageBox.h"
#include "platform/Utf8Text.h"

using platform::MB_ICONINFORMATION;
using platform::MB_ICONWARNING;
using platform::MessageBox;

namespace {

constexpr char kSuccess[] = "Modify system key success";
constexpr char kNetworkFailure[] = "Modify system key failed, maybe network error";

bool TooLong(const std::string& text) { return platform::CharacterCount(text) > CSystemKeyService::kMaxText; }

CSystemKeyService::Outcome Refuse(const char* text, int focus, const char* caption = "error") {
  MessageBox(text, caption, MB_ICONWARNING);
  return {CSystemKeyService::Next::StayOpen, focus};
}

}  // namespace

CSystemKeyService::EnabledControls CSystemKeyService::ControlsOf(int mode) {
  const bool single = mode == SINGLE_DEVICE;
  return {mode == ALL_DEVICES, single, single, single, single};
}

std::vector<std::string> CSystemKeyService::KeyErrorDeviceIps() {
  std::vector<std::string> macs, ips;
  TopologyDBManager topology;
  topology.GetSystemKeyErrorDevices(macs);
  for (const std::string& mac : macs) {
    std::string ip;
    if (topology.GetDeviceIpByMac(mac, ip) && !ip.empty()) ips.push_back(ip);
  }
  return ips;
}

std::vector<std::string> CSystemKeyService::ModelNames() {
  std::vector<std::string> names;
  if (!GetGroupStore()->GetSupportSwitchName(&names)) {
    MessageBox("get support device model name error");
    names.clear();
  }
  return names;
}

CSystemKeyService::Outcome CSystemKeyService::Apply(const Input& input) {
  switch (input.mode) {
    case ALL_DEVICES:
      if (input.key.empty()) return Refuse("Please input system key!", IDC_KEY);
      if (TooLong(input.key)) return Refuse("System key max length is 20 characters", IDC_KEY);
      return {Next::StartWorker, 0};
    case KEY_ERROR_DEVICES: return ApplyKeyErrorDevices();
    case SINGLE_DEVICE: return ApplySingleDevice(input);
    default: return {};
  }
}

CSystemKeyService::Outcome CSystemKeyService::ApplyKeyErrorDevices() {
  std::vector<std::string> macs;
  if (!TopologyDBManager().GetSystemKeyErrorDevices(macs) || macs.empty()) {
    MessageBox("No system key error device in management table", "info", MB_ICONINFORMATION);
    Refresh();
    return {Next::StayOpen, 0};
  }
  Outcome outcome{Next::Close, 0};
  switch (m_writer.SetKeyErrorDevices()) {
    case 0: MessageBox(kSuccess, "success", MB_ICONINFORMATION); break;
    case 1: MessageBox("Modify system key failed, maybe network error in Switch", "fail", MB_ICONWARNING); break;
    case 2: MessageBox("Modify system key failed in some Aps, maybe network or DHCP error", "fail", MB_ICONWARNING); break;
    default: outcome.next = Next::StayOpen; break;
  }
  Refresh();
  return outcome;
}

CSystemKeyService::Outcome CSystemKeyService::ApplySingleDevice(const Input& input) {
  if (IsValidIpText(input.ip.c_str()) != 0) return Refuse("IP address error", IDC_IP);
  if (input.modelIndex == -1) return Refuse("please select device model type", IDC_MODEL);
  if (input.password.empty()) return Refuse("please input password", IDC_PASSWORD);
  if (TooLong(input.password)) return Refuse("device password max length is 20 characters", IDC_PASSWORD);
  if (input.singleKey.empty()) return Refuse("please input system key", IDC_SINGLE_KEY);
  if (TooLong(input.singleKey)) return Refuse("System key max length is 20 characters", IDC_SINGLE_KEY, "info");
  Outcome outcome{Next::StayOpen, 0};
  if (m_writer.SetSingleDevice(input.ip, input.modelName, input.password, input.singleKey) == 1) {
    MessageBox(kSuccess, "success", MB_ICONINFORMATION);
    outcome.next = Next::Close;
  } else {
    MessageBox(kNetworkFailure, "fail", MB_ICONWARNING);
  }
  Refresh();
  return outcome;
}

int CSystemKeyService::RunAllDevices(const std::string& key, const ISystemKeyWriter::Progress& progress) {
  if (progress) progress(0);
  return m_writer.SetAllDevices(key, progress);
}

void CSystemKeyService::FinishAllDevices(int result) {
  if (result != 0)
    MessageBox(kSuccess, "success", MB_ICONINFORMATION);
  else
    MessageBox(kNetworkFailure, "fail", MB_ICONWARNING);
  Refresh();
}
