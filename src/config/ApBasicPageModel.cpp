#include "config/ApBasicPageModel.h"

#include "config/Ipv4Bytes.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

namespace {

// An address whose first byte is 0, 127 or 224 and above is no host's.
bool IsHostAddress(const Ipv4Bytes& address) {
  return address[0] != 0 && address[0] != 127 && address[0] < 224;
}

bool SameNetwork(const Ipv4Bytes& a, const Ipv4Bytes& b, const Ipv4Bytes& mask) {
  for (int i = 0; i < 4; ++i)
    if ((a[i] & mask[i]) != (b[i] & mask[i])) return false;
  return true;
}

}  // namespace

std::vector<SyncMark> CApBasicPageModel::Marks(const std::vector<ApSyncMarker>& markers) {
  struct Row {
    const char* property;
    int mark;
    const char* label;
  };
  static const Row rows[] = {
      {"ip", 1140, "IP address"},         {"APSysSubnetMask", 1142, "Sub netmask"},
      {"APSysDefaultGateway", 1144, "Gateway"}, {"crvAPName", 1147, "Name"},
      {"location", 1154, "Location"},     {"enterpriseAPSysSNMPTrapIP", 1162, "Trap host"},
      {"crvAPUserNumLimit", 1150, "Connection"}, {"staNumber", 1157, "No of online"},
  };
  std::vector<SyncMark> marks;
  for (const ApSyncMarker& marker : markers)
    for (const Row& row : rows)
      if (marker.property == row.property)
        marks.push_back({row.mark, std::string("{\\b '") + row.label + "' previous value is : " +
                                       (marker.previous.empty() ? "unknown" : marker.previous) + "}"});
  return marks;
}

void CApBasicPageModel::Start(const ApSheetContext& context) {
  clientsText = std::to_string(onlineStations);
  const int code = countryCode.empty() ? -1 : std::atoi(countryCode.c_str());
  const std::string shown = countries_.GetNameByCode(code);
  countryName = countries_.GetCodeByName(shown) == -1 ? "" : shown;
  startDhcp_ = dhcp;
  // When the AP answers at another address than the one shown, the shown one counts as a change.
  startIp_ = context.storedIp ? *context.storedIp : ip;
  startMask_ = subnetMask;
  startGateway_ = gateway;
  startName_ = name;
  startLocation_ = location;
  startCountry_ = countryCode;
  startHost_ = managementHost;
  startLimit_ = connectionLimit;
}

void CApBasicPageModel::UpdateFlags(const ApSheetContext& context) {
  if (!countryName.empty()) {
    const int code = countries_.GetCodeByName(countryName);
    if (code != -1) countryCode = std::to_string(code);
  }
  changed_[kFlagDhcp] |= dhcp != startDhcp_;
  changed_[kFlagIp] |= ip != startIp_;
  changed_[kFlagMask] |= subnetMask != startMask_;
  changed_[kFlagGateway] |= gateway != startGateway_;
  changed_[kFlagName] |= name != startName_;
  changed_[kFlagLocation] |= location != startLocation_;
  changed_[kFlagCountry] |= countryCode != startCountry_;
  changed_[kFlagHost] |= managementHost != startHost_;
  changed_[kFlagLimit] |= connectionLimit != startLimit_;
  if (context.SendsEverything())
    for (Flag flag : {kFlagDhcp, kFlagMask, kFlagGateway, kFlagName, kFlagLocation, kFlagHost, kFlagLimit})
      changed_[flag] = true;
}

PageCheck CApBasicPageModel::Check(const ApSheetContext& context) {
  if (connectionLimit < 0 || connectionLimit > 60)
    return PageCheckFailure{kConnectionLimit, "Connection limit must between 0 and 60"};
  if (!dhcp) {
    const Ipv4Bytes address = ParseIpv4Bytes(ip), mask = ParseIpv4Bytes(subnetMask),
                    router = ParseIpv4Bytes(gateway);
    if (!IsHostAddress(address)) return PageCheckFailure{kIp, "Incorrect IP"};
    if (mask == Ipv4Bytes{}) return PageCheckFailure{kSubnetMask, "Please input subnet mask"};
    if (!IsHostAddress(router)) return PageCheckFailure{kGateway, "Incorrect Gateway"};
    if (!SameNetwork(address, router, mask)) return PageCheckFailure{kIp, "Ip/Netmask/Gateway mismatch"};
  }
  UpdateFlags(context);
  // Leaving the page and OK both check: an address the user already accepted is not asked about again.
  if (changed_[kFlagIp] && ip != acceptedIp_ && GetGroupStore()->IsDevIpExist(ip) == 1) {
    const int answer = platform::MessageBox(
        "New IP address " + ip + " already existed in current system,\r\nare you sure to change to new IP address?",
        "Warning", platform::MB_YESNO | platform::MB_ICONINFORMATION);
    if (answer != platform::IDYES) return PageCheckFailure{kIp, ""};
    acceptedIp_ = ip;
  }
  return std::nullopt;
}

void CApBasicPageModel::AppendEntries(const ApSheetContext& context, ApSetEntryList& entries) {
  UpdateFlags(context);
  if (changed_[kFlagDhcp]) {
    // A static address goes with its mask and gateway, changed or not.
    if (!dhcp) changed_[kFlagIp] = changed_[kFlagMask] = changed_[kFlagGateway] = true;
    entries.push_back({1, ".1.10.1.0", dhcp ? "1" : "0"});
  }
  if (!dhcp) {
    if (changed_[kFlagIp]) entries.push_back({1, ".1.10.2.0", FormatIpv4Bytes(ParseIpv4Bytes(ip))});
    if (changed_[kFlagMask]) entries.push_back({1, ".1.10.4.0", FormatIpv4Bytes(ParseIpv4Bytes(subnetMask))});
    if (changed_[kFlagGateway]) entries.push_back({1, ".1.10.3.0", FormatIpv4Bytes(ParseIpv4Bytes(gateway))});
    if (ip == startIp_) changed_[kFlagIp] = false;
  }
  if (changed_[kFlagName]) entries.push_back({1, ".4.1.0", name});
  if (changed_[kFlagLimit]) entries.push_back({1, ".4.16.0", std::to_string(connectionLimit)});
  if (changed_[kFlagCountry]) entries.push_back({1, ".1.14.0", countryCode});
  if (changed_[kFlagHost]) entries.push_back({1, ".1.9.0", managementHost});
  if (changed_[kFlagLocation]) entries.push_back({0, ".1.3.6.1.2.1.1.6.0", location});
}
