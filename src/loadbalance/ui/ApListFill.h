#pragma once
// Fills the load-balance AP lists: one row per record, each inserted on top, its item data the record's
// position in the list given, so a row leads back to its record (an SSID shown as "<NULL>" included).
#include <vector>

#include "controls/ReportCtrl.h"
#include "db/ApInfoRecord.h"

// The dialogs' lists: SSID or "<NULL>", IP, MAC, then as many of location and group as the list has
// columns for, image 0.
void InsertApListItems(CReportCtrl& list, const std::vector<ApInfoRecord>& aps, bool check);
// The AP list pane: SSID, IP, MAC, group, with the image of the AP's state.
void InsertApListItemsWithState(CReportCtrl& list, const std::vector<ApInfoRecord>& aps, bool check);
// The records of the rows that are ticked (or, with selected, selected), top to bottom.
std::vector<ApInfoRecord> ApsOfRows(const CReportCtrl& list, const std::vector<ApInfoRecord>& aps, unsigned states);
