#pragma once
// What "Modify Password" does when OK is pressed, without its window: the checks in their order, the
// new password set on one device over SNMP with the current one as community, stored and logged, or
// handed to the changer of all managed devices. Every outcome is shown in a message box.
#include <functional>
#include <string>
#include <vector>

class CModifyPasswordService {
 public:
  enum Mode { SINGLE_DEVICE = 1, ALL_DEVICES = 2 };
  // The Device Type list's positions, and the kinds the password manager hands over.
  enum DeviceType { TYPE_NONE = -1, TYPE_AP = 0, TYPE_SWITCH = 1 };
  enum Kind { KIND_AP = 1, KIND_SWITCH = 2 };
  // Results of a single device's change.
  enum { CHANGED = 0, FAILED = -1, SAME_PASSWORD = -2, CHANGED_NOT_STORED = -3 };
  enum Control { IDC_IP = 1304, IDC_DEVICE_TYPE = 1339, IDC_CURRENT = 1341, IDC_NEW = 1196 };
  static constexpr std::size_t kMaxPassword = 20;

  struct Input {
    std::string ip;  // dotted text; empty when no device was given
    int deviceType = TYPE_NONE;
    bool byModel = false;  // the list names models instead of "AP" and "Switch"
    std::string modelName;
    std::string currentPassword;
    std::string newPassword;
  };
  struct Outcome {
    bool close = false;
    int focus = 0;  // the control to focus while the dialog stays open; 0 none
  };

  // The map's MAC of a switch's address ("" when unknown; without a lookup the device tables are asked);
  // starts the changer of all managed devices.
  using MacLookup = std::function<std::string(const std::string& ip)>;
  using StartAll = std::function<void(const std::string& newPassword)>;

  CModifyPasswordService(MacLookup macOfIp, StartAll startAll)
      : m_macOfIp(std::move(macOfIp)), m_startAll(std::move(startAll)) {}

  static int DeviceTypeOfKind(int kind);
  // The supported model names for a dialog opened without a device; a message box when none can be read.
  static std::vector<std::string> ModelNames();

  Outcome Apply(Mode mode, Input input);

  int SetSingleApPassword(const Input& input);
  int SetSingleSwitchPassword(const Input& input);

 private:
  // The model's root for the by-model mode; "" after the message box.
  static std::string ModelRoot(const std::string& model);
  int Store(const Input& input);

  MacLookup m_macOfIp;
  StartAll m_startAll;
};
