#pragma once
// The event log: the table system_log, written by every subsystem (system-log rows by level, action-log
// rows for what the administrator did), shown line by line in the main window's output bar, and read back
// for the log browser, the alert senders and the Log menu's commands.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/SqlValue.h"
#include "log/LogItem.h"
#include "log/LogLevels.h"
#include "log/LogListTarget.h"

class CLogDBModule {
 public:
  // Asks the user for a file; nothing when cancelled. The windows supply it (log/ui/LogFileDialogs.h).
  using PathChooser = std::function<std::optional<std::string>()>;

  CLogDBModule() = default;
  virtual ~CLogDBModule() = default;
  CLogDBModule(const CLogDBModule&) = delete;
  CLogDBModule& operator=(const CLogDBModule&) = delete;

  // Records and shows a system-log row when the level's bit is set in g_nLogLevelMask. 0 when recorded
  // or disabled; -1 for a level outside 1..4 or a failed insert.
  int WriteSystemLog(int level, const std::string& text);
  // Records and shows an action-log row. 0 when recorded, -1 when the insert failed.
  int WriteActionLog(const std::string& text);

  // MAX(column) of table; 0 for no row, NULL or a negative value.
  int GetMaxIndex(const std::string& column, const std::string& table);

  // Post the line to the main window's System Log or Action Log pane; dropped without a main window.
  int ShowSystemLogLine(const std::string& line, int level);
  int ShowActionLogLine(const std::string& line);

  // Readers of rows of system_log; params are bound to the query's '?' placeholders.
  // The first column of the first row (a COUNT), 0 without a row.
  int GetLogCount(const std::string& sql, const db::SqlParams& params = {});
  // Replaces the list's rows: date-time and description (type 0), or date-time, level name and
  // description (type 1). -1 after a read error.
  int FillLogList(LogListTarget& list, const std::string& sql, int type, const db::SqlParams& params = {});
  // Appends "date-time    level    description\r\n" per row; false when the query gave no row.
  bool ReadLogText(const std::string& sql, std::string& text, const db::SqlParams& params = {});
  // Appends one LogItem per row; false when the query gave no row.
  bool ReadLogItems(const std::string& sql, std::vector<LogItem>& items, const db::SqlParams& params = {});

  // Deletes every row, system and action; the next row is number 1.
  bool ClearSystemLog();

  // The Log menu's "Open Log...": opens the chosen file in the desktop's default application.
  void OpenLogFile(const PathChooser& chooseFile);
  // The Log menu's "Save Log As...": writes the whole table to the chosen file.
  void SaveLogAs(const PathChooser& chooseFile);

 private:
  // Numbers and inserts one row in one transaction; dateTime receives the row's time text.
  bool InsertRow(int type, int level, const std::string& text, std::string& dateTime);
};

// The process-wide event log, created on first use from any thread and deleted at shut-down.
CLogDBModule* GetLogDBModule();
