#include "groupmodel/BindingWarning.h"

#include "groupmodel/TextFormat.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"

std::string FormatBindingWarning(const std::string& apIp, const GroupBindRecord& binding) {
  std::string label;
  if (!binding.properties.empty()) GetGroupStore()->GetPropertyLabel(*binding.properties.begin(), label);
  return FormatText("Warning: couldn't add Ap '%s' to group!\r\nReason: Ap '%s' has bind %s with group %s",
                    {apIp, apIp, label, binding.groupName});
}

bool WarnOfBoundAp(const std::vector<ApInfoRecord>& aps, const GroupTemplateRecord& groupTemplate,
                   const std::string& group) {
  for (const ApInfoRecord& ap : aps) {
    GroupBindRecord binding;
    if (!GetGroupStore()->CheckTemplateBinding(ap.mac, &groupTemplate, &binding, group)) continue;
    platform::MessageBox(FormatBindingWarning(ap.ip, binding), "", platform::MB_ICONWARNING);
    return true;
  }
  return false;
}
