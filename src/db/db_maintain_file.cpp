// The connection pool's work on the database file as a whole: backup, restore and the check of a file
// offered for restore.
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "db/ConnectionLease.h"
#include "db/DatabaseCopy.h"
#include "db/DatabaseFile.h"
#include "db/db_maintain.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

namespace {

const char kRestoreCaption[] = "RestoreDatabase";

std::string DatedCopyName() {
  return "Database_" + platform::FormatLocalTime(platform::Now(), "%Y%m%d_%H%M%S") + ".mdb";
}

}  // namespace

bool CDB_Maintain::BackupDatabase(std::string& folder) {
  if (folder.empty()) return false;
  const std::string chosen = folder;
  db::RememberBackupFolder(platform::DatabaseFilePath(), chosen);
  // The online backup reads one consistent state through a pooled connection, so the pool stays open;
  // holding both locks lets every statement and recordset in progress end first.
  LockAll();
  const bool copied = CopyDatabaseToFolder(folder);
  UnlockAll();
  // A backup killed earlier left its temporary copy here; this one's own is gone on every path.
  db::RemoveAbandonedTemporaries(chosen);
  ShowRebuildError();
  return copied;
}

bool CDB_Maintain::CopyDatabaseToFolder(std::string& folder) {
  folder = (std::filesystem::path(folder) / DatedCopyName()).string();
  try {
    db::CConnectionLease lease(*this);
    int errorNumber = 0;
    return db::CopyDatabase(lease.Connection().Handle(), folder, db::CopyPlacement::NewOnly, errorNumber);
  } catch (const db::CDbError&) {
    return false;  // no connection to read from
  }
}

bool CDB_Maintain::RestoreDatabase(const std::string& file) {
  if (file.empty()) return false;
  return ReplaceDatabaseFile(file);
}

bool CDB_Maintain::ReplaceDatabaseFile(const std::string& file) {
  if (file.empty()) return false;
  const std::string live = platform::DatabaseFilePath();
  if (file == live) return true;
  if (!CheckDatabaseFile(file)) return false;
  // Asked before any lock is taken: the answer may take the user a while.
  std::error_code ec;
  if (std::filesystem::exists(live, ec) &&
      platform::MessageBox("the file already exists , do you replace it", kRestoreCaption, platform::MB_OKCANCEL) !=
          platform::IDOK)
    return false;

  int errorNumber = 0;
  std::optional<db::CDbError> reopenError;
  LockAll();
  const bool replaced = SwapDatabaseFile(file, errorNumber, reopenError);
  UnlockAll();
  if (reopenError) ShowComError(*reopenError);
  if (!replaced) {
    char text[64];
    std::snprintf(text, sizeof text, "Restore database error number is : %d", errorNumber);
    platform::MessageBox(text, {}, platform::MB_OK);
  }
  return replaced;
}

bool CDB_Maintain::SwapDatabaseFile(const std::string& file, int& errorNumber,
                                    std::optional<db::CDbError>& reopenError) {
  // A thread that holds a lent connection would keep using a closed one.
  if (lendDepth_ > 0) {
    errorNumber = EBUSY;
    return false;
  }
  const std::string live = platform::DatabaseFilePath();
  pool_.clear();
  // The last connection to close folds the write-ahead log into the file and removes it. One that stays
  // belongs to a connection outside the pool, and would be replayed onto the new file.
  std::error_code ec;
  bool replaced = false;
  if (std::filesystem::exists(live + "-wal", ec))
    errorNumber = EBUSY;
  else
    replaced = db::CopyDatabaseFile(file, live, db::CopyPlacement::Replace, errorNumber);
  reopenError = OpenConnections(live, kConnectionTimeout);
  return replaced;
}

bool CDB_Maintain::CheckDatabaseFile(const std::string& file) {
  // The program's marker tables (device_list_prev among them) and a read of every page.
  std::string error;
  return db::IsProgramDatabase(file, error);
}
