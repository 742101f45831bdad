// CAccessDatabase on the trap table, the quick-launch tables, the settings row and the pictures of the
// location maps. Every value goes in bound.
#include <cstdio>
#include <cstdlib>

#include "db/AccessDatabase.h"
#include "db/Connection.h"
#include "db/QuickLaunchEntry.h"
#include "db/Statement.h"
#include "db/TransactionStatements.h"
#include "db/TrapEntry.h"
#include "db/db_maintain.h"
#include "platform/AppContext.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"

using db::CDbError;

namespace {

std::string Printf(const char* format, const std::string& a, const std::string& b = {}, int n = 0) {
  char text[1024];
  std::snprintf(text, sizeof text, format, a.c_str(), b.c_str(), n);
  return text;
}

// Leading white space, an optional sign and the decimal digits up to the first other character.
int Number(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

void InsertMembers(db::CConnection& connection, const QuickLaunchEntry& entry) {
  for (const std::string& mac : entry.members)
    db::RunStatement(connection, "INSERT INTO quicklaunch_list (name, mac) VALUES (?, ?)", {entry.name, mac});
}

}  // namespace

bool CAccessDatabase::OpenJetConnection(const std::string& file, const std::string&, const std::string&,
                                        db::CConnection& connection) {
  if (file.empty()) return false;
  try {
    connection.Open(file, CDB_Maintain::kConnectionTimeout);
    return true;
  } catch (const CDbError& error) {
    connection.Close();
    platform::MessageBox(Printf("Connecting DB failed !\n\rError info:%s DESC: %s  ErrNum: %d", error.ErrorMessage(),
                                error.Description(), error.Code() & 0xFFFF),
                         {}, platform::MB_OK);
    return false;
  }
}

int CAccessDatabase::GetNextTrapIndex(db::CRecordset& recordset, const std::string& field) {
  if (!recordset.IsOpen() || recordset.Rows().empty()) return 0;
  recordset.MoveFirst();
  recordset.Move(static_cast<long>(recordset.Rows().size()) - 1);
  return Number(recordset.GetText(field)) + 1;
}

bool CAccessDatabase::AddTrapRecord(db::CConnection& connection, db::CRecordset& recordset, const TrapEntry& trap) {
  if (!recordset.IsOpen()) return false;
  try {
    const int index = GetNextTrapIndex(recordset, "index");
    const db::SqlValue description = trap.description.empty() ? db::SqlValue() : db::SqlValue(trap.description);
    db::RunStatement(connection, "INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (?, ?, ?)",
                     {index, trap.time, description});
    return true;
  } catch (const CDbError& error) {
    platform::MessageBox(Printf("Adding the DB recorders failed\n\rError info:%s", error.ErrorMessage()), {},
                         platform::MB_OK);
    return false;
  }
}

bool CAccessDatabase::AddTrap(const TrapEntry& trap) {
  // The pool's database file: the one file of this program, whatever the letter case of its name.
  db::CConnection connection;
  if (!OpenJetConnection(platform::DatabaseFilePath(), "", "", connection)) return false;
  db::CRecordset recordset;
  try {
    db::CStatement query(connection, "select * from trap");
    recordset.Fill(query);
  } catch (const CDbError&) {
    return false;  // the connection closes with its object
  }
  return AddTrapRecord(connection, recordset, trap);
}

int CAccessDatabase::GetQuickLaunchList(std::vector<QuickLaunchEntry>& entries) {
  const TextRows rows = QueryValues("SELECT name,from_ip,to_ip,type FROM quick_launch");
  if (rows.empty()) return -1;
  for (const TextRow& row : rows) {
    if (row.size() < 4) continue;
    QuickLaunchEntry entry;
    entry.name = row[0];
    entry.fromIp = row[1];
    entry.toIp = row[2];
    entry.type = Number(row[3]);
    for (const TextRow& member : QueryRows("SELECT mac FROM quicklaunch_list WHERE name=?", {entry.name}))
      entry.members.push_back(member.at(0));
    entries.push_back(std::move(entry));
  }
  return 0;
}

int CAccessDatabase::AddQuickLaunch(const QuickLaunchEntry& entry) {
  bool exists = false;
  const bool written = RunInTransaction(
      [&](db::CConnection& connection) {
        exists = !db::ReadStatement(connection, "SELECT name FROM quick_launch WHERE name=?", {entry.name}).empty();
        if (exists) return;
        db::RunStatement(connection, "INSERT INTO quick_launch (name, from_ip, to_ip, type) VALUES (?, ?, ?, ?)",
                         {entry.name, entry.fromIp, entry.toIp, std::to_string(entry.type)});
        InsertMembers(connection, entry);
      },
      __LINE__);
  return written && !exists ? 0 : -1;
}

int CAccessDatabase::ModifyQuickLaunch(const QuickLaunchEntry& entry) {
  const bool written = RunInTransaction(
      [&](db::CConnection& connection) {
        db::RunStatement(connection, "UPDATE quick_launch SET from_ip=?, to_ip=?, type=? WHERE name=?",
                         {entry.fromIp, entry.toIp, std::to_string(entry.type), entry.name});
        if (entry.members.empty()) return;
        db::RunStatement(connection, "DELETE FROM quicklaunch_list WHERE name=?", {entry.name});
        InsertMembers(connection, entry);
      },
      __LINE__);
  return written ? 0 : -1;
}

int CAccessDatabase::DeleteQuickLaunch(const std::string& name) {
  const bool written = RunInTransaction(
      [&](db::CConnection& connection) {
        db::RunStatement(connection, "DELETE FROM quicklaunch_list WHERE name=?", {name});
        db::RunStatement(connection, "DELETE FROM quick_launch WHERE name=?", {name});
      },
      __LINE__);
  return written ? 0 : -1;
}

int CAccessDatabase::ReadGlobalSetting(std::string& community, int& interval, int& timeout) {
  const TextRows rows = QueryValues("SELECT * FROM global_setting");
  if (rows.empty() || rows[0].size() < 3) return -1;
  community = rows[0][0];
  interval = Number(rows[0][1]);
  timeout = Number(rows[0][2]);
  return 0;
}

int CAccessDatabase::WriteGlobalSetting(const std::string& community, int interval, int timeout) {
  const bool written = RunInTransaction(
      [&](db::CConnection& connection) {
        if (db::ReadStatement(connection, "SELECT rowid FROM global_setting LIMIT 1").empty())
          db::RunStatement(connection, "INSERT INTO global_setting DEFAULT VALUES");
        db::RunStatement(connection,
                         "UPDATE global_setting SET community=?, interval=?, timeout=? "
                         "WHERE rowid = (SELECT MIN(rowid) FROM global_setting)",
                         {community, std::to_string(interval), std::to_string(timeout)});
      },
      __LINE__);
  return written ? 0 : -1;
}

int CAccessDatabase::LoadBmpData(const std::string& location, std::vector<std::uint8_t>& bytes) {
  db::CRecordset recordset;
  std::optional<CDbError> failure;
  int result = -1;
  if (GetDBMaintain()->Execute("SELECt * FROM location WHERE location=?", {location}, recordset) &&
      !CDB_Maintain::IsRecordsetEmpty(recordset)) {
    try {
      const db::SqlValue& picture = recordset.GetValue("bmp");
      // Only binary data is a picture; NULL, an empty value or a text is none.
      if (picture.GetKind() == db::SqlValue::Kind::Blob && !picture.AsBlob().empty()) {
        bytes = picture.AsBlob();
        result = 0;
      }
    } catch (const CDbError& error) {
      failure = error;
    }
  }
  GetDBMaintain()->ReleaseRecordset(recordset);
  if (failure) ShowException(*failure, __LINE__);
  return result;
}

int CAccessDatabase::SaveBmpData(const std::string& location, std::span<const std::uint8_t> bytes) {
  DebugTrace("SaveBmpData");
  const db::SqlValue picture = bytes.empty() ? db::SqlValue() : db::SqlValue(db::Blob(bytes.begin(), bytes.end()));
  const bool written = RunInTransaction(
      [&](db::CConnection& connection) {
        if (db::ReadStatement(connection, "SELECT location FROM location WHERE location=?", {location}).empty())
          db::RunStatement(connection, "INSERT INTO location (location, bmp) VALUES (?, ?)", {location, picture});
        else
          db::RunStatement(connection,
                           "UPDATE location SET bmp=? WHERE rowid = (SELECT MIN(rowid) FROM location WHERE location=?)",
                           {picture, location});
      },
      __LINE__);
  return written ? 0 : -1;
}
