#include "config/SwitchSystemPageModel.h"

#include <arpa/inet.h>

#include "db/SwitchSystemDb.h"
#include "db/pollingdb.h"
#include "groups/GroupStore.h"
#include "log/LogDBModule.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kLevelCritical = 1;
constexpr char kSysName[] = ".1.3.6.1.2.1.1.5.0";
constexpr char kSysLocation[] = ".1.3.6.1.2.1.1.6.0";
// Every switch model answers the LLDP state at this one absolute object.
constexpr char kLldpState[] = "1.3.6.1.4.1.44711.10.75.3.24.6.0";
constexpr char kIpModeOid[] = ".11.12.0";
constexpr char kIpAddress[] = ".11.16.0";
constexpr char kNetmaskOid[] = ".11.17.0";
constexpr char kGatewayOid[] = ".11.18.0";
constexpr char kStatic[] = "1";
constexpr char kDhcp[] = "2";

// The dotted text as a host-order address; 0 for anything that is not one.
std::uint32_t Address(const std::string& text) {
  in_addr address{};
  return inet_pton(AF_INET, text.c_str(), &address) == 1 ? ntohl(address.s_addr) : 0;
}

}  // namespace

CSwitchSystemPageModel::CSwitchSystemPageModel(std::string mac) : mac_(std::move(mac)) {}

int CSwitchSystemPageModel::Load() {
  record_ = {};
  const int found = CSwitchSystemDb().LoadSwitchProperty(mac_, record_);
  loaded_ = record_;
  return found;
}

SwitchSystemInput CSwitchSystemPageModel::Shown() const {
  SwitchSystemInput shown;
  shown.staticMode = record_.ipMode == kStatic;
  shown.dhcpMode = record_.ipMode == kDhcp;
  shown.ip = record_.ip;
  shown.netmask = record_.netmask;
  shown.gateway = record_.gateway;
  shown.name = record_.sysName;
  shown.location = record_.location;
  shown.lldpEnabled = record_.lldp != "2";
  return shown;
}

std::optional<std::string> CSwitchSystemPageModel::Check(const SwitchSystemInput& input) {
  const std::uint32_t ip = Address(input.ip), netmask = Address(input.netmask), gateway = Address(input.gateway);
  if (ip == 0) return "Please input IP";
  if (netmask == 0 && input.staticMode) return "Please input subnet mask";
  if (gateway == 0 && input.staticMode) return "Please input gateway";
  if ((ip & netmask) != (gateway & netmask)) return "Ip/Netmask/Gateway mismatch";
  return std::nullopt;
}

void CSwitchSystemPageModel::ReadDialogValues(const SwitchSystemInput& input) {
  if (input.staticMode && record_.ipMode == kDhcp) {
    dirty_.ipMode = true;
    record_.ipMode = kStatic;
  } else if (input.dhcpMode && record_.ipMode == kStatic) {
    dirty_.ipMode = true;
    record_.ipMode = kDhcp;
  }
  currentIp_ = record_.ip;
  // A control left at 0.0.0.0 never replaces the stored value.
  const auto take = [](const std::string& shown, std::string& stored, bool& flag) {
    if (shown != stored && shown != "0.0.0.0") {
      stored = shown;
      flag = true;
    }
  };
  take(input.ip, record_.ip, dirty_.ip);
  take(input.netmask, record_.netmask, dirty_.netmask);
  take(input.gateway, record_.gateway, dirty_.gateway);
  if (dirty_.ipMode) {
    const bool toStatic = record_.ipMode == kStatic;
    dirty_.ip = dirty_.netmask = dirty_.gateway = toStatic;
  }
  if (input.name != record_.sysName) {
    record_.sysName = input.name;
    dirty_.name = true;
  }
  if (input.location != record_.location) {
    record_.location = input.location;
    dirty_.location = true;
  }
  const char* lldp = input.lldpEnabled ? "1" : "2";
  if (record_.lldp != lldp) {
    record_.lldp = lldp;
    dirty_.lldp = true;
  }
  DebugTrace("%s%s", input.lldpEnabled ? "B Enable " : "B Disable ", record_.lldp.c_str());
}

void CSwitchSystemPageModel::WriteLine(const char* word, const std::string& value, bool ok) {
  GetLogDBModule()->WriteActionLog("Set switch " + currentIp_ + "[" + mac_ + "] " + word + " to " + value +
                                   (ok ? " success" : " fail"));
}

bool CSwitchSystemPageModel::SetValue(CYSnmp& snmp, const std::string& oid, const std::string& value, const char* word,
                                      const std::string& shown) {
  const bool ok = snmp.Set(oid, value) == 0;
  WriteLine(word, shown, ok);
  return ok;
}

void CSwitchSystemPageModel::SetNetmask(CYSnmp& snmp, const std::string& root, const std::string& ip) {
  snmp.SetIp(ip);
  if (SetValue(snmp, root + kNetmaskOid, record_.netmask, "netmask", record_.netmask)) success_ |= kNetmask;
}

void CSwitchSystemPageModel::SetGateway(CYSnmp& snmp, const std::string& root, const std::string& ip) {
  snmp.SetIp(ip);
  if (SetValue(snmp, root + kGatewayOid, record_.gateway, "gateway", record_.gateway)) success_ |= kGateway;
}

SwitchSettingsRecord CSwitchSystemPageModel::Accepted() const {
  SwitchSettingsRecord stored = loaded_;
  if (success_ & kIp) stored.ip = record_.ip;
  if (success_ & kIpMode) stored.ipMode = record_.ipMode;
  if (success_ & kNetmask) stored.netmask = record_.netmask;
  if (success_ & kGateway) stored.gateway = record_.gateway;
  if (success_ & kName) stored.sysName = record_.sysName;
  if (success_ & kLocation) stored.location = record_.location;
  return stored;
}

void CSwitchSystemPageModel::Apply() {
  CGroupStore* store = GetGroupStore();
  const std::string community = store->GetDevPassword(mac_, KeyKind::Mac);
  if (community.empty()) {
    GetLogDBModule()->WriteSystemLog(kLevelCritical, "device " + currentIp_ + "[" + mac_ + "] empty password");
    return;
  }
  // Asked before anything is sent, so a Yes leaves the switch and the database as they were.
  if (dirty_.lldp && record_.lldp == "2" &&
      platform::MessageBox("Set LLDP disable will cause the system function not work!!\n Abort?", {},
                           platform::MB_YESNO) == platform::IDYES)
    return;
  CYSnmp snmp;
  snmp.SetIp(currentIp_);
  snmp.SetWriteCommunity(community);
  success_ = 0;
  const std::string root = store->GetDevSysObjectID(mac_, KeyKind::Mac);
  bool wrote = false;
  if (dirty_.netmask && !dirty_.ipMode) {
    SetNetmask(snmp, root, currentIp_);
    wrote = true;
  }
  if (dirty_.gateway && !dirty_.ipMode) {
    SetGateway(snmp, root, currentIp_);
    wrote = true;
  }
  if (dirty_.name) {
    if (SetValue(snmp, kSysName, record_.sysName, "name", record_.sysName)) success_ |= kName;
    wrote = true;
  }
  if (dirty_.location) {
    if (SetValue(snmp, kSysLocation, record_.location, "location", record_.location)) success_ |= kLocation;
    wrote = true;
  }
  if (dirty_.ipMode) {
    if (SetValue(snmp, root + kIpModeOid, record_.ipMode, "ip mode", record_.ipMode == kStatic ? "static" : "DHCP"))
      success_ |= kIpMode;
    wrote = true;
  }
  if (dirty_.ip) {
    // The switch takes a new address only in static mode; the line follows the address set itself.
    bool ok = snmp.Set(root + kIpModeOid, kStatic) == 0;
    ok = ok && snmp.Set(root + kIpAddress, record_.ip) == 0;
    if (ok) success_ |= kIp;
    WriteLine("ip", record_.ip, ok);
    wrote = true;
  }
  if (dirty_.netmask && dirty_.ipMode) {
    SetNetmask(snmp, root, record_.ip);
    wrote = true;
  }
  if (dirty_.gateway && dirty_.ipMode) {
    SetGateway(snmp, root, record_.ip);
    wrote = true;
  }
  if (dirty_.lldp) {
    const int state = snmp.Set(kLldpState, record_.lldp);
    DebugTrace("state = %d", state);
    DebugTrace(state == 0 ? "set succeed" : "set fail");
    if (state == 0) CPollingDb().updateLLDP(mac_, record_.lldp);
    WriteLine("LLDP", record_.lldp, state == 0);
  }
  if (!wrote) return;
  int parts = 0;
  if (success_ & (kIp | kName)) parts |= CSwitchSystemDb::kDeviceRow;
  if (success_ & (kNetmask | kGateway | kName | kLocation | kIpMode)) parts |= CSwitchSystemDb::kPropertyRow;
  if (parts != 0) CSwitchSystemDb().SetSwitchProperty(mac_, Accepted(), parts);
}
