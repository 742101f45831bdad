#pragma once
// The warning shown when an AP cannot join a group because another group already binds one of the
// properties the group's template sets: the AP's address twice, the lowest bound property's label and
// the other group.
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/GroupTemplateRecord.h"
#include "groups/GroupBindRecord.h"

std::string FormatBindingWarning(const std::string& apIp, const GroupBindRecord& binding);

// Shows that warning for the first of aps that may not join group with groupTemplate; true when one was
// shown (the group is then not to be made).
bool WarnOfBoundAp(const std::vector<ApInfoRecord>& aps, const GroupTemplateRecord& groupTemplate,
                   const std::string& group);
