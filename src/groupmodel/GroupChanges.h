#pragma once
// The group changes the group windows store, each checked: when the database does not take a change the
// user is told so in a box and the caller goes no further (no tree showing it, no offer to apply a template
// that was never stored).
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/GroupTemplateRecord.h"

// Creates the group with its template, then makes the APs members in order. False after the box for the
// first change that failed; the APs after it are not added.
bool StoreNewGroup(const std::string& group, GroupTemplateRecord& record, const std::vector<ApInfoRecord>& members);
// Makes the AP a member; false after the box "add AP <ip> to group <group> fail".
bool StoreGroupMember(const std::string& group, const std::string& mac, const std::string& ip);
// Replaces the group's template; false after the box "save group <group> template fail".
bool StoreGroupTemplate(const std::string& group, const GroupTemplateRecord& record);
