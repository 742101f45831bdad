#include "credentials/ModifyPasswordService.h"

#include "credentials/DevicePasswordSet.h"
#include "groups/GroupStore.h"
#include "log/LogDBModule.h"
#include "platform/MessageBox.h"
#include "platform/Utf8Text.h"

using platform::MessageBox;

namespace {

bool TooLong(const std::string& password) {
  return platform::CharacterCount(password) > CModifyPasswordService::kMaxPassword;
}

}  // namespace

int CModifyPasswordService::DeviceTypeOfKind(int kind) {
  if (kind == KIND_AP) return TYPE_AP;
  if (kind == KIND_SWITCH) return TYPE_SWITCH;
  return TYPE_NONE;
}

std::vector<std::string> CModifyPasswordService::ModelNames() {
  std::vector<std::string> names;
  if (!GetGroupStore()->GetSupportSwitchName(&names)) {
    MessageBox("get support switch model name error");
    names.clear();
  }
  return names;
}

CModifyPasswordService::Outcome CModifyPasswordService::Apply(Mode mode, Input input) {
  if (input.newPassword.empty()) {
    MessageBox("please input new password");
    return {false, IDC_NEW};
  }
  if (TooLong(input.newPassword) || TooLong(input.currentPassword)) {
    MessageBox("password max length is 20 characters", "error", platform::MB_ICONWARNING);
    return {false, TooLong(input.newPassword) ? IDC_NEW : IDC_CURRENT};
  }
  if (mode == ALL_DEVICES) {
    if (m_startAll) m_startAll(input.newPassword);
    return {true, 0};
  }
  if (input.deviceType == TYPE_NONE) {
    MessageBox("please select device type");
    return {false, IDC_DEVICE_TYPE};
  }
  if (input.currentPassword.empty()) {
    MessageBox("please input current password");
    return {false, IDC_CURRENT};
  }
  if (input.byModel) {
    const int type = GetGroupStore()->GetDevTypeByModelName(input.modelName);
    if (type != TYPE_AP && type != TYPE_SWITCH) {
      MessageBox("GetDevTypeByModelName error");
      return {false, IDC_DEVICE_TYPE};
    }
    input.deviceType = type;
  }
  const int result = input.deviceType == TYPE_AP ? SetSingleApPassword(input) : SetSingleSwitchPassword(input);
  std::string text;
  switch (result) {
    case CHANGED: text = "Modify device " + input.ip + " password success"; break;
    case SAME_PASSWORD: text = "New password and old password are the same."; break;
    // The device answers only to the new password now, while the database keeps the old one.
    case CHANGED_NOT_STORED: text = "Modify device " + input.ip + " password changed on device, not saved"; break;
    default: text = "Modify device " + input.ip + " password fail"; break;
  }
  if (result != SAME_PASSWORD) GetLogDBModule()->WriteActionLog(text);
  MessageBox(text, {}, platform::MB_ICONINFORMATION);
  return {true, 0};
}

std::string CModifyPasswordService::ModelRoot(const std::string& model) {
  std::string root = GetGroupStore()->GetDevRootOIDByModelName(model);
  if (root.empty()) MessageBox("can't get root OID");
  return root;
}

int CModifyPasswordService::SetSingleApPassword(const Input& input) {
  const std::string root =
      input.byModel ? ModelRoot(input.modelName) : GetGroupStore()->GetDefaultApSysObjectID(input.ip);
  if (root.empty()) return FAILED;
  if (!CDevicePasswordSet::SetApPassword(input.ip, root, input.currentPassword, input.newPassword)) return FAILED;
  return Store(input);
}

int CModifyPasswordService::SetSingleSwitchPassword(const Input& input) {
  if (input.newPassword == input.currentPassword) return SAME_PASSWORD;
  std::string root;
  if (input.byModel) {
    root = ModelRoot(input.modelName);
    if (root.empty()) return FAILED;
  } else {
    std::string mac;
    if (m_macOfIp)
      mac = m_macOfIp(input.ip);
    else
      GetGroupStore()->GetDevMacByIp(input.ip, mac);
    root = GetGroupStore()->GetDevSysObjectID(mac, KeyKind::Mac);
  }
  if (!CDevicePasswordSet::SetSwitchPassword(input.ip, root, input.currentPassword, input.newPassword)) return FAILED;
  return Store(input);
}

int CModifyPasswordService::Store(const Input& input) {
  return GetGroupStore()->SetDevPassword(input.ip, input.newPassword) ? CHANGED : CHANGED_NOT_STORED;
}
