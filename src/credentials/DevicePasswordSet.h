#pragma once
// The SNMP exchanges that give one device a new password (its write community), authenticated with the
// password it has now. The objects lie under the device's root object identifier, its sysObjectID.
#include <string>

class CDevicePasswordSet {
 public:
  // An AP takes the new password into its password object and makes it effective with a commit, which
  // still goes out under the old one; the commit's answer does not count. True when the AP accepted the
  // password.
  static bool SetApPassword(const std::string& ip, const std::string& root, const std::string& community,
                            const std::string& newPassword);
  // A switch's new password is effective at once. True when the switch accepted it.
  static bool SetSwitchPassword(const std::string& ip, const std::string& root, const std::string& community,
                                const std::string& newPassword);
};
