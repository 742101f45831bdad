#pragma once
// The rows of the load-balance AP lists (the AP list pane and the dialogs' lists): their texts, their
// state image and the record a row reads back as. Every list shows the SSID, IP and MAC first.
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"

// Images of an AP row.
enum ApRowImage : int { kApImage = 0, kNewApImage = 1, kOfflineApImage = 2 };

// Keeps the APs in no group (keepUngrouped) or only those in one, in their order.
void FilterApListByGroup(std::vector<ApInfoRecord>& aps, bool keepUngrouped);
// The AP list pane: SSID, IP, MAC, group.
std::vector<std::string> ApListRowTexts(const ApInfoRecord& ap);
// Offline wins over new.
int ApStateImage(const ApInfoRecord& ap);
// The dialogs' lists: SSID ("<NULL>" when empty), IP, MAC, location, group.
std::vector<std::string> ApDialogRowTexts(const ApInfoRecord& ap);
