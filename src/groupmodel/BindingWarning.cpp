#include "groupmodel/BindingWarning.h"

#include "groupmodel/TextFormat.h"
#include "groups/GroupStore.h"

std::string FormatBindingWarning(const std::string& apIp, const GroupBindRecord& binding) {
  std::string label;
  if (!binding.properties.empty()) GetGroupStore()->GetPropertyLabel(*binding.properties.begin(), label);
  return FormatText("Warning: couldn't add Ap '%s' to group!\r\nReason: Ap '%s' has bind %s with group %s",
                    {apIp, apIp, label, binding.groupName});
}
