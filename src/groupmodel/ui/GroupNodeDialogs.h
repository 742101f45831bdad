#pragma once
// The dialogs a group node opens, the same from the group view and the group tree view; each view then
// refreshes its own tree.
#include <optional>
#include <string>

#include "db/GroupTemplateRecord.h"

class wxWindow;

// The group's template in its sheet; once confirmed, stored and returned (nothing when cancelled).
std::optional<GroupTemplateRecord> EditGroupTemplate(const std::string& group);
// The AP-list dialog of the group, refused with a warning for the default group; true when confirmed.
bool ConfigureGroupApList(wxWindow* parent, const std::string& group);
// The add-AP dialog of the group; true when confirmed.
bool AddApsToGroup(wxWindow* parent, const std::string& group);
