#include "quillon/ConsoleConfigSet.h"

#include "quillon/ConsoleSession.h"
#include "quillon/ConsoleValidators.h"

namespace quillon {
namespace {

ConsoleConfigSet Refused(std::string text, std::string caption = "Error") {
  ConsoleConfigSet set;
  set.error = std::move(text);
  set.caption = std::move(caption);
  return set;
}

bool AddressTakenByAnother(const CConsoleSession& session, int selectedDevice, std::uint32_t address) {
  const int listed = std::min(session.List().Count(), CConsoleSession::kTableSize);
  for (int i = 0; i < listed; ++i)
    if (i != selectedDevice && session.Device(i).ipAddress == address) return true;
  return false;
}

}  // namespace

bool IsPasswordLengthAllowed(const std::string& password) {
  return !password.empty() && password.size() <= field::kPassword;
}

ConsoleConfigSet ComposeConfigSet(const ConsoleConfigForm& form, const CConsoleSession& session, int selectedDevice) {
  ConsoleConfigSet set;
  ConsoleDeviceRecord& record = set.record;
  record.dhcpState = kDhcpNotReported;
  record.groupInterval = -1;
  if (form.dhcpEnable) record.dhcpState = *form.dhcpEnable ? 1 : 0;
  record.productName = form.productName;
  record.systemName = form.systemName;
  record.location = form.location;
  if (!IsPasswordLengthAllowed(form.password)) return Refused("Password lengths between 1-20");
  record.password = form.password;
  record.macText = form.macText;

  if (record.dhcpState != 1) {
    if (form.ipAddress == 0) return Refused("Illegal ip address");
    if (AddressTakenByAnother(session, selectedDevice, form.ipAddress))
      return Refused("The setting IP have already existed ", "Setting fail");
    if (CheckHostPart(form.ipAddress, form.subnetMask) != 0) return Refused("Subnet mask is illegal");
    if (CheckGatewaySubnet(form.ipAddress, form.gateway, form.subnetMask) != 0)
      return Refused("Gateway and ip address are not in the same net ");
    if (IsContiguousMask(form.subnetMask) == 0) return Refused("Invalid subnet");
    record.ipAddress = form.ipAddress;
    record.subnetMask = form.subnetMask;
    record.gateway = form.gateway;
  }
  if (form.trapAddress != 0 && IsValidHostAddress(form.trapAddress) == 0) return Refused("Error Trap IP");
  record.trapIp = form.trapAddress;

  if (form.groupIntervalEnabled) {
    const GroupIntervalCheck interval = CheckGroupInterval(form.groupIntervalText);
    if (!interval.value) return Refused(interval.error);
    record.groupIntervalText = form.groupIntervalText;
    record.groupInterval = *interval.value;
  }

  const ConsoleDeviceRecord& device = session.Device(selectedDevice);
  record.capabilities = device.capabilities;
  if (record.dhcpState == 0 && device.dhcpState != 0)
    set.dhcpAction = kDhcpOff;
  else if (record.dhcpState == 1 && device.dhcpState != 1)
    set.dhcpAction = kDhcpOn;
  return set;
}

}  // namespace quillon
