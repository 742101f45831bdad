// The clear of the database: every table emptied except the ones that hold configuration and reference
// data.
#include <algorithm>
#include <mutex>
#include <string_view>
#include <utility>

#include "db/AccessDatabase.h"
#include "db/DatabaseCleared.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "db/db_maintain.h"

std::atomic<bool> g_bDatabaseCleared{false};

namespace {

// Compared letter for letter.
constexpr std::string_view kKeptTables[] = {"location",           "ap_polling_data", "global_setting", "ap_usr",
                                            "management_segment", "support_product", "system_password"};
constexpr std::string_view kTemporaryTablePrefix = "~TMP";

bool IsKept(std::string_view table) {
  return table.starts_with(kTemporaryTablePrefix) ||
         std::find(std::begin(kKeptTables), std::end(kKeptTables), table) != std::end(kKeptTables);
}

// Any table name as an identifier: a restored file may hold names with quotes or blanks.
std::string QuoteIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::mutex g_writerMutex;
CAccessDatabase::ActionLogWriter g_actionLogWriter;

}  // namespace

void CAccessDatabase::WriteActionLog(const std::string& text) {
  ActionLogWriter writer;
  {
    std::lock_guard lock(g_writerMutex);
    writer = g_actionLogWriter;
  }
  if (writer) writer(text);
}

CAccessDatabase::ActionLogWriter CAccessDatabase::SetActionLogWriter(ActionLogWriter writer) {
  std::lock_guard lock(g_writerMutex);
  return std::exchange(g_actionLogWriter, std::move(writer));
}

bool CAccessDatabase::ClearDatabase() {
  try {
    db::CTransaction transaction(*GetDBMaintain());
    db::CConnection& connection = transaction.Connection();
    std::vector<std::string> tables;
    {
      // User tables only: the engine's own tables and views are not emptied.
      db::CStatement list(
          connection, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
      while (list.Step()) tables.push_back(db::ValueToText(list.Column(0)));
    }
    for (const std::string& table : tables) {
      if (IsKept(table)) continue;
      db::CStatement empty(connection, "DELETE FROM " + QuoteIdentifier(table));
      empty.Run();
    }
    transaction.Commit();
  } catch (const db::CDbError& error) {
    ShowException(error, __LINE__);
    return false;
  }
  // Only now: a monitor that saw the flag earlier would drop its lists while the rows still stood.
  g_bDatabaseCleared.store(true);
  WriteActionLog("Clear database");
  return true;
}
