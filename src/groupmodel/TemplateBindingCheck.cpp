#include "groupmodel/TemplateBindingCheck.h"

#include "groupmodel/TextFormat.h"
#include "platform/MessageBox.h"

namespace {
// The action word and the property's name in the warning of each bound property 0..16.
struct Warning {
  const char* verb;
  const char* param;
  const char* bound;
};
const Warning kWarnings[] = {
    {"add", "bgmode", "bgmode"},
    {"add", "wireless radio", "wireless radio"},
    {"select", "ssid", "ssid"},
    {"select", "channel", "channel"},
    {"select", "superG", "superG mode"},
    {"select", "wmm function", "wmm function"},
    {"select", "ssid broadcast", "ssid broadcast"},
    {"select", "security", "security"},
    {"select", "tx rates", "txrates"},
    {"select", "transmit power", "transmit power"},
    {"select", "beacon interval", "beacon interval"},
    {"select", "rts threshold", "rts threshold"},
    {"select", "fragmentation", "fragmentation"},
    {"select", "dtim interval", "dtim interval"},
    {"select", "preamble type", "preamble type"},
    {"select", "cts mode", "cts mode"},
    {"add", "mac address control", "mac address control"},
};
constexpr int kWarningCount = static_cast<int>(std::size(kWarnings));
}  // namespace

bool CTemplateBindingCheck::CheckFieldBinding(int property) {
  for (const GroupBindRecord& binding : bindings_) {
    if (!binding.properties.contains(property)) continue;
    if (property < 0 || property >= kWarningCount) return true;
    const Warning& w = kWarnings[property];
    const std::string text = FormatText("Warning: couldn't %s %s param!\r\nReason: current group device '%s' has bind %s in group %s",
                                        {w.verb, w.param, binding.ip, w.bound, binding.groupName});
    platform::MessageBox(text, "", platform::MB_ICONINFORMATION);
    return false;
  }
  return true;
}
