// CPollingDb on sync_result: the differences between the APs and their stored properties that wait
// for the administrator's synchronisation, one row per (AP, property).
#include <algorithm>

#include "db/ApPropertyColumns.h"
#include "db/DbErrorBox.h"
#include "db/db_maintain.h"
#include "db/pollingdb.h"
#include "platform/MessageBox.h"
#include "platform/Utf8Text.h"

namespace {

constexpr std::size_t kMacTextCharacters = 17;

// A filter entry is stored only as a MAC text or as empty (an entry that went away).
bool IsWritten(const CDeviceProperty& row) {
  if (row.type != "ap_filter_mac") return true;
  const std::size_t length = platform::CharacterCount(row.current);
  return length == 0 || length == kMacTextCharacters;
}

bool SamePair(const CDeviceProperty& a, const CDeviceProperty& b) { return a.mac == b.mac && a.property == b.property; }

// The difference as the failure report names it; secret values stay out of it.
std::string DifferenceText(const CDeviceProperty& row) {
  return "mac:" + row.mac + "...\nproperty:" + row.property +
         "...\ncurrent:" + DeviceTextForLog(db::CApPropertyColumns::Loggable(row.property, row.current)) +
         "...\nprevious:" + DeviceTextForLog(db::CApPropertyColumns::Loggable(row.property, row.previous)) +
         "...\ntype:" + row.type;
}

}  // namespace

std::list<CDeviceProperty> CPollingDb::ReadSyncRows(db::CRecordset& rs) {
  std::list<CDeviceProperty> rows;
  // Each row is read on its own: a NULL column is "", never the value of the row before.
  for (; !rs.IsEOF(); rs.MoveNext())
    rows.push_back(
        {rs.GetText("mac"), rs.GetText("property"), rs.GetText("type"), rs.GetText("current"), rs.GetText("previous")});
  return rows;
}

void CPollingDb::WriteSyncRows(const std::list<CDeviceProperty>& rows, CDeviceProperty& writing) {
  for (const CDeviceProperty& row : rows) {
    if (!IsWritten(row)) continue;
    writing = row;
    Run("insert into sync_result (mac, property, \"current\", previous, type) values (?, ?, ?, ?, ?)",
        {row.mac, row.property, row.current, row.previous, row.type});
  }
}

int CPollingDb::ReportSyncWriteFailure(const db::CDbError& error, const CDeviceProperty& writing) {
  const std::string difference = DifferenceText(writing);
  WriteExceptionLog("pollingdb insertSyncResult RollBackTransact");
  WriteExceptionLog(difference);
  db::ShowDbErrorBox(error, db::FormatExceptionText(error, "pollingdb", __LINE__));
  platform::MessageBox(difference);
  platform::MessageBox("insertSyncResult()");
  return -1;
}

int CPollingDb::insertSyncResult(const std::list<CDeviceProperty>& rows) {
  CDeviceProperty writing;  // the row being written
  // The selection only opens the transaction the rows are appended in.
  return ChangeSelection(
      "select mac from sync_result limit 0", {}, std::nullopt,
      [&](db::CRecordset&) {
        WriteSyncRows(rows, writing);
        return 1;
      },
      "", [&](const db::CDbError& error) { return ReportSyncWriteFailure(error, writing); });
}

int CPollingDb::saveSyncResult(const std::list<CDeviceProperty>& changes) {
  bool reading = true;
  CDeviceProperty writing;  // a copy: the merged rows are gone when the failure is reported
  const auto report = [&](const db::CDbError& error) {
    if (!reading) return ReportSyncWriteFailure(error, writing);
    platform::MessageBox("saveSyncResult()");
    return -1;
  };
  // Reading, merging and rewriting share one transaction: a failed rewrite leaves the stored rows.
  return ChangeSelection(
      "select * from sync_result", {}, std::nullopt,
      [&](db::CRecordset& rs) {
        std::list<CDeviceProperty> stored = ReadSyncRows(rs);
        reading = false;
        if (stored.empty()) {
          WriteSyncRows(changes, writing);
          return 1;
        }
        bool changed = false;
        for (const CDeviceProperty& change : changes) {
          const auto same =
              std::find_if(stored.begin(), stored.end(), [&](const CDeviceProperty& s) { return SamePair(s, change); });
          if (same != stored.end()) {
            if (same->current == change.current && same->previous == change.previous) continue;
            stored.erase(same);
          }
          stored.push_back(change);
          changed = true;
        }
        if (!changed) return 0;
        Run("delete from sync_result");
        WriteSyncRows(stored, writing);
        return 1;
      },
      "", report);
}

int CPollingDb::ClearSyncResult() { return RunCommand("delete from sync_result"); }
