#pragma once
// The AP list's database side: the columns it can show and the administrator's choice of them, its rows
// as display texts with their filter, the texts of stored property values in both directions, the AP
// tooltip, and the reading and clearing of the differences the poller recorded. Stateless, created on
// the stack where it is used. Values and keys are always bound; a column name reaches a statement only
// when it is one of the fixed device fields or a real ap_property column.
#include <string>
#include <vector>

#include "db/ApListColumn.h"
#include "db/ApListRow.h"
#include "db/DbAccessBase.h"

namespace db {
class CApPropertyColumns;
}

class ApListDBManager : public CDbAccessBase {
 public:
  // ---- Columns, rows and per-device lookups (ApListDBManager.cpp) ----
  // A query that fails reads as an empty result: false, 0 or the empty text.

  // The five device columns (IP, MAC, Group, Name, Model Name), then every displayable polled property
  // with a name and a header. False, nothing appended, when no polled property is displayable.
  bool GetDisplayedApColumns(std::vector<ApListColumn>& columns);
  // The columns the list shows: the administrator's choice (ap_usr) when there is one, else the
  // displayed columns. Replaces the list; false when neither gives a column.
  bool GetChosenApColumns(std::vector<ApListColumn>& columns);
  // Replaces the chosen columns with these, in one transaction: on a database error the earlier choice
  // stays, the exception is logged and shown, and the result is false. A non-empty choice writes
  // "Customize the header of the AP list view ".
  bool SaveDisplayedApPropertyNames(const std::vector<ApListColumn>& columns);
  // Appends one row per AP property row selected (managed APs, or also the found ones), with the texts of
  // the columns in their order, optionally narrowed to the APs whose filter column shows the filter text,
  // and to one MAC. -1 for no column, 0 when nothing was found or the query failed (also for a column or
  // filter column that is neither a device field nor an ap_property column), 1 when rows were appended.
  int GetApListRows(std::vector<ApListRow>& rows, const std::vector<ApListColumn>& columns,
                    const std::string& filterColumn, const std::string& filterText, int managedOnly,
                    const std::string& mac);
  // Replaces values by the distinct texts the filter column shows, empty texts left out. False for an
  // empty or unknown column, or when there is no value.
  bool GetGroupFilterValues(const std::string& filterColumn, std::vector<std::string>& values);
  // Appends each row with its values turned into display texts.
  static void ConvertApListRowsToText(const std::vector<ApListColumn>& columns, const std::vector<ApListRow>& rows,
                                      std::vector<ApListRow>& texts);
  // The AP's groups, joined with "," in row order.
  std::string GetDeviceGroupName(const std::string& mac);
  std::string GetDeviceGroupBalance(const std::string& mac);
  // The managed device's name, else the found device's.
  std::string GetDeviceName(const std::string& mac);
  // The supported model of the managed device's sysObjectID, looked up without its leading ".".
  std::string GetDeviceModelName(const std::string& mac);
  bool SetApTrapHost(const std::string& mac, const std::string& ip);

  // ---- Value texts and the AP tooltip (ApListDBManagerTexts.cpp) ----

  // A stored value as the console shows it ("108" -> "54Mbps"); "#ERROR#" for a value its column's table
  // lacks; values of columns without a table stay.
  static void ApPropertyValueToText(const std::string& column, std::string& value);
  // Appends one text per value, its column taken from the same position; nothing when the lengths differ.
  static void ApPropertyFieldToText(const std::vector<ApListColumn>& columns, const std::vector<std::string>& values,
                                    std::vector<std::string>& texts);
  // A shown text back to its stored value; a text its column's table lacks stays.
  static void ApPropertyTextToValue(const std::string& column, std::string& text);
  // Name, IP, MAC, SSID, channel, security type and location, each followed by the two characters "\n",
  // then the status word; empty when the AP has no property row.
  std::string GetApTooltipText(const std::string& mac);
  // The word the views show for a display status code; empty for a code without one.
  static std::string StatusText(int status);

  // ---- Sync results (ApListDBManagerSyncResults.cpp) ----

  // For an online AP with the status "changed": per column 1 when a difference names it, else 0, and the
  // texts of what the AP reports now (the empty value's text where there is no difference). True when a
  // column differs. False, outputs untouched, for no column or an AP without differences.
  bool GetApSyncResults(const std::string& mac, const std::vector<ApListColumn>& columns, std::vector<int>& flags,
                        std::vector<std::string>& texts);
  // Removes the AP's property and MAC-filter differences and sets its status back to normal, in one
  // transaction; writes "Save AP properties". False, nothing changed, on a database error.
  bool ClearApSyncResults(const std::string& mac);
  // The same for every online AP with the status "changed", then every property and MAC-filter difference
  // of every device. False when there is no such AP (nothing deleted) or on a database error.
  bool ClearAllApSyncResults();
  // For a replacing AP: the MAC of the AP it replaced (previous keeps its value when that is NULL).
  bool GetPortReloadState(const std::string& mac, std::string& previous);
  bool ClearPortReload(const std::string& mac);
  // Only for a device in the system-key-error state.
  bool ClearSystemKeyError(const std::string& mac);

 private:
  // Appends column of every row of the selection; NULLs too (as "") unless skipNull.
  void ReadTexts(const std::string& sql, const db::SqlParams& params, const char* column, bool skipNull,
                 std::vector<std::string>& texts);
  // The row condition of GetApListRows with its bound values.
  static std::string RowCondition(const db::CApPropertyColumns& propertyColumns, const std::string& filterColumn,
                                  const std::string& filterText, int managedOnly, db::SqlParams& params);
  // TopologyDBManager::GetDeviceStatus by MAC, -1 when it cannot be read.
  static int DeviceStatus(const std::string& mac);
  // The column's value for the AP when it is one of the device fields; false otherwise.
  bool LookUpDeviceField(const std::string& column, const std::string& mac, std::string& value);
};
