#pragma once
// The System page of one switch's configuration: what the page shows (from the database), the checks
// of its OK, and the OK itself: one SNMP set per changed value in a fixed order, one action-log line per
// set, and only the values the switch accepted stored in the device tables and in switch_property (a
// refused value keeps its stored one).
#include <optional>
#include <string>

#include "db/SwitchSettingsRecord.h"

class CYSnmp;

// What the page's controls hold when OK is pressed.
struct SwitchSystemInput {
  bool staticMode = false;
  bool dhcpMode = false;
  std::string ip, netmask, gateway;  // dotted texts
  std::string name, location;
  bool lldpEnabled = true;
};

class CSwitchSystemPageModel {
 public:
  // Which values the OK changed.
  struct DirtyFlags {
    bool ipMode = false, ip = false, netmask = false, gateway = false, name = false, location = false, lldp = false;
  };
  // Which sets the switch accepted.
  enum SuccessBits : int { kIp = 1, kNetmask = 2, kGateway = 4, kName = 8, kLocation = 0x10, kIpMode = 0x20 };

  explicit CSwitchSystemPageModel(std::string mac);

  // Reads the switch's values from the database; -1 when no device table has the MAC, else 0.
  int Load();
  // The controls' starting values: the loaded record, LLDP enabled unless the record says "2".
  SwitchSystemInput Shown() const;

  // The checks of OK: the message to show, none when the values may be sent.
  static std::optional<std::string> Check(const SwitchSystemInput& input);
  // Takes the controls' values into the record and notes what changed.
  void ReadDialogValues(const SwitchSystemInput& input);
  // Sends the changes and stores what the switch accepted. Disabling LLDP is asked about first
  // ("Set LLDP disable will cause the system function not work!!\n Abort?"): Yes sends nothing at all.
  // A switch without a write community gets the system-log line "device %s[%s] empty password".
  void Apply();

  const SwitchSettingsRecord& Record() const { return record_; }
  const DirtyFlags& Dirty() const { return dirty_; }
  int SuccessMask() const { return success_; }
  const std::string& Mac() const { return mac_; }

 private:
  // One set and its action-log line; true when the switch took it.
  bool SetValue(CYSnmp& snmp, const std::string& oid, const std::string& value, const char* word,
                const std::string& shown);
  void WriteLine(const char* word, const std::string& value, bool ok);
  void SetNetmask(CYSnmp& snmp, const std::string& root, const std::string& ip);
  void SetGateway(CYSnmp& snmp, const std::string& root, const std::string& ip);
  // The loaded record with the values the switch accepted put in.
  SwitchSettingsRecord Accepted() const;

  std::string mac_;
  SwitchSettingsRecord loaded_;  // as the database held it
  SwitchSettingsRecord record_;  // as the controls hold it
  std::string currentIp_;  // where the sets go: the address before this OK
  DirtyFlags dirty_;
  int success_ = 0;
};
