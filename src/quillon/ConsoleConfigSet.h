#pragma once
// What the configuration dialog's "Set" makes of the user's input: the set record and the DHCP action to
// send, or the message that refuses the input. Pure: the dialog shows the message or sends the set.
#include <cstdint>
#include <optional>
#include <string>

#include "quillon/ConsoleProtocol.h"

namespace quillon {

class CConsoleSession;

struct ConsoleConfigForm {
  std::string productName, systemName, location, macText, password;
  std::optional<bool> dhcpEnable;  // empty when neither radio button is set
  std::uint32_t ipAddress = 0, subnetMask = 0, gateway = 0, trapAddress = 0;  // host order
  bool groupIntervalEnabled = false;
  std::string groupIntervalText;
};

struct ConsoleConfigSet {
  std::string error;             // empty when the set may go out
  std::string caption = "Error";
  ConsoleDeviceRecord record;
  int dhcpAction = kDhcpLeave;
};

// Checks the form for the selected switch (its index in the session's table) and composes the set.
ConsoleConfigSet ComposeConfigSet(const ConsoleConfigForm& form, const CConsoleSession& session, int selectedDevice);

// The password field holds 1 to 20 bytes on the wire; a longer one would reach the switch cut short, so
// it is refused (a character outside ASCII takes more than one byte).
bool IsPasswordLengthAllowed(const std::string& password);

}  // namespace quillon
