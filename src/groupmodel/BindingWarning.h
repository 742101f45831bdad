#pragma once
// The warning shown when an AP cannot join a group because another group already binds one of the
// properties the group's template sets: the AP's address twice, the lowest bound property's label and
// the other group.
#include <string>

#include "groups/GroupBindRecord.h"

std::string FormatBindingWarning(const std::string& apIp, const GroupBindRecord& binding);
