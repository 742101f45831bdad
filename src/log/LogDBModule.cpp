#include "log/LogDBModule.h"

#include <atomic>
#include <fstream>
#include <mutex>

#include "db/AccessDatabase.h"
#include "db/Transaction.h"
#include "db/db_maintain.h"
#include "log/LogLevelMask.h"
#include "log/LogText.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/ShellOpen.h"
#include "platform/Shutdown.h"
#include "platform/Window.h"

namespace {

constexpr int kSystemRow = 1;
constexpr int kActionRow = 0;
const char kReadError[] = "Read log table error!";

std::atomic<CLogDBModule*> g_pLogDBModule{nullptr};
std::mutex g_creation;

// Runs a query; the recordset holds the rows read and gives the pool's lock back when it goes.
db::CRecordset OpenQuery(const std::string& sql, const db::SqlParams& params) {
  db::CRecordset recordset;
  GetDBMaintain()->Execute(sql, params, recordset);
  return recordset;
}

// A level column as a number; -1 when it is empty.
int LevelOf(const db::SqlValue& value) {
  switch (value.GetKind()) {
    case db::SqlValue::Kind::Integer: return static_cast<int>(value.AsInteger());
    case db::SqlValue::Kind::Real: return static_cast<int>(value.AsReal());
    default: return -1;
  }
}

enum class ReadResult { NoRows, Rows, Error };

// Calls readRow for every row of the query. A read error shows its message box.
template <typename ReadRow>
ReadResult ForEachRow(const std::string& sql, const db::SqlParams& params, ReadRow readRow) {
  db::CRecordset recordset = OpenQuery(sql, params);
  if (CDB_Maintain::IsRecordsetEmpty(recordset)) return ReadResult::NoRows;
  try {
    for (recordset.MoveFirst(); !recordset.IsEOF(); recordset.MoveNext()) readRow(recordset);
  } catch (const db::CDbError&) {
    GetDBMaintain()->ReleaseRecordset(recordset);  // the box may wait for the user: hold no lock meanwhile
    platform::MessageBox(kReadError);
    return ReadResult::Error;
  }
  return ReadResult::Rows;
}

}  // namespace

CLogDBModule* GetLogDBModule() {
  if (CLogDBModule* module = g_pLogDBModule.load(std::memory_order_acquire)) return module;
  std::lock_guard lock(g_creation);
  CLogDBModule* module = g_pLogDBModule.load(std::memory_order_acquire);
  if (!module) {
    module = new CLogDBModule;
    g_pLogDBModule.store(module, std::memory_order_release);
    // The database layer's own action-log lines (the clear of the database) come here.
    CAccessDatabase::SetActionLogWriter([](const std::string& text) { GetLogDBModule()->WriteActionLog(text); });
    platform::RegisterShutdown(platform::ShutdownStage::EventLog,
                               [] {
                                 CAccessDatabase::SetActionLogWriter(nullptr);
                                 delete g_pLogDBModule.exchange(nullptr, std::memory_order_acq_rel);
                               });
  }
  return module;
}

int CLogDBModule::WriteSystemLog(int level, const std::string& text) {
  if (!IsLogLevel(level)) return -1;
  if ((g_nLogLevelMask.load(std::memory_order_relaxed) & LogLevelBit(level)) == 0) return 0;
  std::string dateTime;
  const std::string description = CutLogText(text);
  if (!InsertRow(kSystemRow, level, description, dateTime)) return -1;
  ShowSystemLogLine("[" + dateTime + "] " + description, level);
  return 0;
}

int CLogDBModule::WriteActionLog(const std::string& text) {
  std::string dateTime;
  const std::string description = CutLogText(text);
  if (!InsertRow(kActionRow, 0, description, dateTime)) return -1;
  ShowActionLogLine("[" + dateTime + "] " + description + " ");
  return 0;
}

bool CLogDBModule::InsertRow(int type, int level, const std::string& text, std::string& dateTime) {
  // The transaction holds both of the pool's locks from the numbering to the end of the insert, so two
  // writers never take the same number. A lock of the module's own taken before them would deadlock: a
  // writer that holds a recordset or a transaction already has the pool's locks when it comes here.
  try {
    db::CTransaction transaction(*GetDBMaintain());
    const int index = GetMaxIndex("index", "system_log") + 1;
    dateTime = platform::NowText();
    if (!GetDBMaintain()->ExecuteCommand("INSERT INTO system_log VALUES(?, ?, ?, ?, ?)",
                                         {index, dateTime, type, level, text}))
      return false;
    transaction.Commit();
    return true;
  } catch (const db::CDbError& error) {
    GetDBMaintain()->WriteExceptionLog(db::FormatDbmText(error, "LogDBModule", __LINE__));
    return false;
  }
}

int CLogDBModule::GetMaxIndex(const std::string& column, const std::string& table) {
  db::CRecordset recordset = OpenQuery("SELECT MAX(" + db::QuoteName(column) + ") FROM " + db::QuoteName(table), {});
  if (CDB_Maintain::IsRecordsetEmpty(recordset)) return 0;
  const db::SqlValue& value = recordset.GetValue(0);
  if (value.GetKind() != db::SqlValue::Kind::Integer || value.AsInteger() < 0) return 0;
  return static_cast<int>(value.AsInteger());
}

int CLogDBModule::ShowSystemLogLine(const std::string& line, int level) {
  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_SYSLOG_LINE, static_cast<std::uintptr_t>(level), 0,
                        line);
  return 0;
}

int CLogDBModule::ShowActionLogLine(const std::string& line) {
  // Posted, not sent: a worker that logs an action never waits for the user-interface thread.
  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_ACTION_LINE, 0, 0, line);
  return 0;
}

int CLogDBModule::GetLogCount(const std::string& sql, const db::SqlParams& params) {
  db::CRecordset recordset = OpenQuery(sql, params);
  if (CDB_Maintain::IsRecordsetEmpty(recordset)) return 0;
  recordset.MoveFirst();
  const db::SqlValue& value = recordset.GetValue(0);
  return value.GetKind() == db::SqlValue::Kind::Integer ? static_cast<int>(value.AsInteger()) : 0;
}

int CLogDBModule::FillLogList(LogListTarget& list, const std::string& sql, int type, const db::SqlParams& params) {
  list.DeleteAllItems();
  const ReadResult result = ForEachRow(sql, params, [&](const db::CRecordset& row) {
    std::vector<std::string> columns{row.GetText("datetime")};
    if (type == kSystemRow) columns.push_back(LogLevelName(LevelOf(row.GetValue("level"))));
    columns.push_back(row.GetText("description"));
    list.AppendRow(columns);
  });
  return result == ReadResult::Error ? -1 : 0;
}

bool CLogDBModule::ReadLogText(const std::string& sql, std::string& text, const db::SqlParams& params) {
  const ReadResult result = ForEachRow(sql, params, [&](const db::CRecordset& row) {
    text += row.GetText("datetime") + "    " + LogLevelName(LevelOf(row.GetValue("level"))) + "    " +
            row.GetText("description") + "\r\n";
  });
  return result == ReadResult::Rows && !text.empty();
}

bool CLogDBModule::ReadLogItems(const std::string& sql, std::vector<LogItem>& items, const db::SqlParams& params) {
  return ForEachRow(sql, params, [&](const db::CRecordset& row) {
           items.push_back(
               LogItem{LevelOf(row.GetValue("level")), row.GetText("datetime") + "    " + row.GetText("description")});
         }) == ReadResult::Rows;
}

bool CLogDBModule::ClearSystemLog() { return GetDBMaintain()->ExecuteCommand("DELETE FROM system_log"); }

void CLogDBModule::OpenLogFile(const PathChooser& chooseFile) {
  if (std::optional<std::string> path = chooseFile()) platform::OpenWithDefaultApplication(*path);
}

void CLogDBModule::SaveLogAs(const PathChooser& chooseFile) {
  // The rows are read and the query released before the file dialog, so no other thread's database work
  // waits for the user.
  std::string lines;
  {
    db::CRecordset recordset = OpenQuery("SELECT * FROM system_log ORDER BY \"index\"", {});
    if (CDB_Maintain::IsRecordsetEmpty(recordset)) {
      GetDBMaintain()->ReleaseRecordset(recordset);
      platform::MessageBox("There are no log in current system");
      return;
    }
    try {
      for (recordset.MoveFirst(); !recordset.IsEOF(); recordset.MoveNext()) {
        const db::SqlValue& type = recordset.GetValue("type");
        const bool action = type.GetKind() == db::SqlValue::Kind::Integer && type.AsInteger() == kActionRow;
        lines += SavedLogLine(action ? kActionRow : kSystemRow, recordset.GetText("datetime"),
                              LevelOf(recordset.GetValue("level")), recordset.GetText("description"));
      }
    } catch (const db::CDbError&) {
      return;  // a database error while saving ends the command without a message
    }
  }
  const std::optional<std::string> path = chooseFile();
  if (!path) return;
  std::ofstream file(*path, std::ios::binary | std::ios::trunc);
  if (file) file << *path << "\r\n\r\n" << SavedLogHeader() << lines;
  file.close();
  // A file that could not be created or written is reported, never announced as saved.
  platform::MessageBox(file ? "Save log success" : "Cannot write the log file " + *path);
}
