#include "db/pollingdb.h"

#include <cstdlib>
#include <optional>

#include "db/DbErrorBox.h"
#include "db/MethodBox.h"
#include "db/db_maintain.h"
#include "db/PortMask.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"

namespace {

// The text of a database error raised by the program itself, like the engine's own errors.
db::CDbError ProgramError(const std::string& description) { return db::CDbError(description, description); }

}  // namespace

// ---- The three ways to the database ----

int CPollingDb::ReadQuery(const char* method, const std::string& sql, const db::SqlParams& params, int none,
                          const RecordsetWork& read, int errorResult, ErrorBox box) {
  // A query that cannot run is logged by the pool and reads as empty.
  if (box == ErrorBox::MethodName)
    return ReadSelection(sql, params, none, read, db::ShowMethodBox(method, errorResult));
  return ReadSelection(sql, params, none, read, [errorResult](const db::CDbError& error) {
    platform::MessageBox(error.ErrorMessage());
    return errorResult;
  });
}

int CPollingDb::ChangeRows(const char* method, const std::string& select, const db::SqlParams& params,
                           bool addWhenEmpty, const RecordsetWork& change, const DbErrorReport& report) {
  return ChangeSelection(select, params, addWhenEmpty ? std::nullopt : std::optional<int>(0), change,
                         std::string("pollingdb ") + method + " RollBackTransact",
                         report ? report : [](const db::CDbError&) { return -1; });
}

int CPollingDb::RunCommand(const std::string& sql, const db::SqlParams& params) {
  return ExecuteCommand(sql, params) ? 0 : -1;
}

std::string CPollingDb::FirstText(const char* method, const std::string& sql, const db::SqlParams& params,
                                  const char* column) {
  std::string text;
  ReadQuery(method, sql, params, 0, [&](db::CRecordset& rs) {
    text = rs.GetText(column);  // NULL reads as "", like no link
    return 1;
  });
  return text;
}

int CPollingDb::HasRow(const char* method, const std::string& sql, const std::string& mac, int none) {
  return ReadQuery(method, sql, {mac}, none, [](db::CRecordset&) { return 1; });
}

void CPollingDb::RequireRow(const db::CRecordset& recordset) {
  if (CDB_Maintain::IsRecordsetEmpty(recordset)) throw ProgramError("Either BOF or EOF is True: there is no row");
}

bool CPollingDb::IsNull(const db::CRecordset& recordset, const char* column) {
  return recordset.GetValue(column).IsNull();
}

std::string CPollingDb::RequiredText(const db::CRecordset& recordset, const char* column) {
  const db::SqlValue& value = recordset.GetValue(column);
  if (value.IsNull()) throw ProgramError(std::string("Invalid use of NULL in column ") + column);
  return db::ValueToText(value);
}

int CPollingDb::NumberOr(const db::CRecordset& recordset, const char* column, int fallback) {
  const db::SqlValue& value = recordset.GetValue(column);
  return value.IsNull() ? fallback : std::atoi(db::ValueToText(value).c_str());
}

// ---- Polling device list and device flags ----

std::optional<PollingDeviceRecord> CPollingDb::PollingDevice(const db::CRecordset& rs, int isNew) {
  if (IsNull(rs, "ip")) return std::nullopt;
  PollingDeviceRecord record;
  record.name = RequiredText(rs, "name");
  record.ip = rs.GetText("ip");
  record.mac = RequiredText(rs, "mac");
  record.type = NumberOr(rs, "type", 0);
  record.online = NumberOr(rs, "online", 0);
  record.status = NumberOr(rs, "status", 0);
  record.isNew = isNew;
  if (IsNull(rs, "write_community")) return std::nullopt;
  record.writeCommunity = rs.GetText("write_community");
  record.sysObjectId = rs.GetText("sysobjid");
  // Each table has one column of its own.
  if (isNew)
    record.isPropertySave = IsNull(rs, "IsPropertySave") ? "0" : rs.GetText("IsPropertySave");
  else
    record.groupBalance = IsNull(rs, "group_balance") ? "none" : rs.GetText("group_balance");
  return record;
}

int CPollingDb::GetPollingDevList(std::vector<PollingDeviceRecord>& list) {
  int count = 0;
  const auto collect = [&](int isNew) {
    return [&list, &count, isNew](db::CRecordset& rs) {
      for (; !rs.IsEOF(); rs.MoveNext()) {
        if (auto record = PollingDevice(rs, isNew)) {
          list.push_back(std::move(*record));
          ++count;
        }
      }
      return 0;
    };
  };
  // A failure among the managed devices shows the engine's own text and skips the new devices.
  const int managed = ReadQuery(
      "GetPollingDevList",
      "select name,ip,mac,type,online,status,group_balance,write_community,sysobjid FROM device_list_prev", {}, 0,
      collect(0), -1, ErrorBox::ErrorText);
  if (managed < 0) return -1;
  const int added = ReadQuery("GetPollingDevList",
                              "select name,ip,mac,type,online,status,write_community,sysobjid,IsPropertySave "
                              "FROM device_list where isnew='1'",
                              {}, 0, collect(1));
  return added < 0 ? -1 : count;
}

int CPollingDb::SetOnline(int inNewList, const std::string& mac, int online) {
  const std::string table = DeviceTable(inNewList);
  if (online == 1) return RunCommand("update " + table + " set online=?,status='0' where mac=?", {online, mac});
  if (online == 0) return RunCommand("update " + table + " set online=? where mac=?", {online, mac});
  return -1;
}

int CPollingDb::SetPrevIsNew(const std::string& mac, int isNew) {
  return RunCommand("update device_list_prev set isnew=? where mac=?", {isNew, mac});
}

int CPollingDb::findMangementDevice(const std::string& mac, std::string* ip) {
  return ReadQuery("findMangementDevice", "select ip FROM device_list_prev where mac=?", {mac}, 0,
                   [&](db::CRecordset& rs) {
                     if (!ip) return 1;
                     if (IsNull(rs, "ip")) return -2;
                     *ip = rs.GetText("ip");
                     return 1;
                   });
}

int CPollingDb::IsMacRecorded(const std::string& mac) {
  auto found = [](db::CRecordset&) { return 1; };
  const int property = ReadQuery("IsMacRecorded", "select mac FROM ap_property where mac=?", {mac}, 0, found);
  if (property != 0) return property;
  return ReadQuery("IsMacRecorded", "select mac FROM device_list where mac=?", {mac}, 0, found);
}

// ---- Single-column updates ----

int CPollingDb::updateLLDP(const std::string& mac, const std::string& value) {
  return ChangeRows("updateLLDP", "select * from switch_property where mac=?", {mac}, false, [&](db::CRecordset& rs) {
    Run("update switch_property set LLDPonoff=? where mac=?", {value, mac});
    return static_cast<int>(rs.Rows().size());
  });
}

int CPollingDb::updatePreAPIP(const std::string& mac, const std::string& ip) {
  return ChangeRows("updatePreAPIP", "select * from ap_property where mac=?", {mac}, false, [&](db::CRecordset& rs) {
    Run("update ap_property set KipAPIP=? where mac=?", {ip, mac});
    return static_cast<int>(rs.Rows().size());
  });
}

// ---- MAC filter entries, anti-rogue ports and vendor prefix ----

int CPollingDb::insertFilterEntry(const std::string& apMac, const std::vector<std::string>& entries) {
  constexpr size_t kMacTextLength = 17;
  std::string entryWritten;  // the entry last handed to the database, named when the change fails
  // Every database error, in the delete, an insert or the commit, is reported the same way.
  const auto report = [&](const db::CDbError& error) {
    WriteExceptionLog("AP MAC : " + apMac + "...Filter MAC : " + DeviceTextForLog(entryWritten));
    db::ShowDbErrorBox(error, db::FormatExceptionText(error, "pollingdb", __LINE__));
    platform::MessageBox("insertFilterEntry()");
    return -1;
  };
  // The old rows go in the same transaction as the new ones, so a failed write leaves them in place.
  return ChangeRows(
      "insertFilterEntry", "select mac,filterMAC from filter_entry where mac=?", {apMac}, true,
      [&](db::CRecordset& rs) {
        if (rs.IsOpen() && !rs.Rows().empty()) Run("delete from filter_entry where mac=?", {apMac});
        int count = 0;
        for (const std::string& entry : entries) {
          if (entry.size() != kMacTextLength) continue;
          entryWritten = entry;
          Run("insert into filter_entry (mac, filterMAC) values (?, ?)", {apMac, entry});
          ++count;
        }
        return count;
      },
      report);
}

int CPollingDb::getFilterEntry(const std::string& apMac, std::vector<std::string>& entries) {
  bool found = false;
  const int count = ReadQuery("getFilterEntry", "select filterMAC from filter_entry where mac=?", {apMac}, 0,
                              [&](db::CRecordset& rs) {
                                found = true;
                                int appended = 0;
                                for (; !rs.IsEOF(); rs.MoveNext()) {
                                  if (IsNull(rs, "filterMAC")) continue;
                                  entries.push_back(rs.GetText("filterMAC"));
                                  ++appended;
                                }
                                return appended;
                              });
  if (!found && count == 0) DebugTrace("Empty table!!!");
  return count;
}

int CPollingDb::GetSwitchOUI(const std::string& sysObjectId, std::string& oui) {
  return ReadQuery(
      "GetSwitchOUI", "select oui FROM support_product where sys_object_oid=?", {sysObjectId}, -1,
      [&](db::CRecordset& rs) {
        if (IsNull(rs, "oui")) return -1;
        oui = rs.GetText("oui");
        return 1;
      },
      -2);
}

int CPollingDb::CheckAntiRogue(const std::string& switchMac, int port, std::string& objid) {
  return ReadQuery("CheckAntiRogue", "select anti_rogue,objid FROM switch_property where mac=?", {switchMac}, -1,
                   [&](db::CRecordset& rs) {
                     if (IsNull(rs, "anti_rogue") || IsNull(rs, "objid")) return 0;
                     objid = rs.GetText("objid");
                     return IsPortInPortMask(rs.GetText("anti_rogue"), port, objid) >= 1 ? 1 : 0;
                   });
}
