#include "groupmodel/GroupNameRule.h"

#include "platform/MessageBox.h"
#include "platform/Utf8Text.h"

std::optional<GroupNameRefusal> CGroupNameRule::Check(const std::string& name, const std::string& emptyText) {
  if (name.empty()) return GroupNameRefusal{emptyText, "info", platform::MB_ICONINFORMATION};
  if (platform::CharacterCount(name) > kMaxLength)
    return GroupNameRefusal{"group name max length is 30 characters", "error", platform::MB_ICONWARNING};
  return std::nullopt;
}
