#pragma once
// The connection pool: the one road to the database file. It lends one connection at a time under
// "ConnectPoolMutex" (a thread that already holds the lent connection gets it again), runs statements,
// opens recordsets that keep "DatabaseTransaction" held until they are released, answers MAX and MIN
// queries and writes the database error log. Every caller runs its database work on its own thread.
#include <atomic>
#include <deque>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <source_location>
#include <span>
#include <string>

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/SqlValue.h"
#include "platform/Sync.h"

namespace db {
class CTransaction;
}

class CDB_Maintain {
 public:
  static constexpr int kPoolSize = 50;
  static constexpr int kOpenAttempts = 70;
  static constexpr int kRebuildThreshold = 10;
  static constexpr int kConnectionTimeout = 50;  // seconds

  // Prepares the database file and opens the pool; ends the process (exit code 1) after a message box
  // when either fails.
  CDB_Maintain();
  virtual ~CDB_Maintain();
  CDB_Maintain(const CDB_Maintain&) = delete;
  CDB_Maintain& operator=(const CDB_Maintain&) = delete;

  // Opens up to kPoolSize connections to file; only the kind "access" is known. The server, user and
  // password are accepted and not used. True when at least one connection opened.
  bool Initialize(const std::string& kind, const std::string& server, const std::string& file,
                  const std::string& user, const std::string& password, int timeout);

  // Lends a connection and keeps "ConnectPoolMutex" held until ReleaseConnection; the thread that holds
  // it gets the same connection again. False (nothing held) when the pool is empty.
  bool GetConnection(db::CConnection*& connection);
  // False, releasing nothing, when connection is not the one this thread holds.
  bool ReleaseConnection(db::CConnection* connection);

  // Runs a statement into the recordset, which keeps "DatabaseTransaction" held until ReleaseRecordset
  // (or its destructor) on the same thread, also when the statement failed. True when it is open.
  bool Execute(const std::string& statement, db::CRecordset& recordset);
  bool Execute(const std::string& statement, std::span<const db::SqlValue> params, db::CRecordset& recordset);
  bool Execute(const std::string& statement, std::initializer_list<db::SqlValue> params, db::CRecordset& recordset) {
    return Execute(statement, std::span(params), recordset);
  }
  // Gives back the lock the recordset holds and closes it; false when it held none.
  bool ReleaseRecordset(db::CRecordset& recordset);

  // Runs a statement without result rows; false for an empty statement or on a database error. The values
  // are bound where they are, so a list written at the call stays on the stack.
  bool ExecuteCommand(const std::string& statement, std::span<const db::SqlValue> params = {});
  bool ExecuteCommand(const std::string& statement, std::initializer_list<db::SqlValue> params) {
    return ExecuteCommand(statement, std::span(params));
  }

  // MAX(field) of table as an integer: 0 for no row or NULL, -1 for empty names or an error.
  int GetFieldMaxValue(const std::string& table, const std::string& field);
  // MIN(field) of table restricted to client_connect_ap.mac_client = clientMac.
  int GetFieldMinValue(const std::string& table, const std::string& field, const std::string& clientMac);

  // A transaction on this thread's lent connection, ended by the recordset's commit or rollback (or by
  // its release, which rolls back). False when it could not begin (another holder kept the file busy
  // past the time-out, no connection): nothing may then be written in its name.
  bool BeginTransact(db::CRecordset& recordset);
  // The same, giving the engine's error when the transaction could not begin (nothing when it began), so
  // that a caller can tell a busy database from other failures.
  std::optional<db::CDbError> BeginTransactOrError(db::CRecordset& recordset);
  bool CommitTransact(db::CRecordset& recordset);
  bool RollBackTransact(db::CRecordset& recordset);

  // ---- The database file as a whole (db_maintain_file.cpp) ----
  // Writes a copy of the database named "Database_" + local "%Y%m%d_%H%M%S" + ".mdb" into folder, which
  // comes back extended by that name. False for an empty folder or a failed copy (a copy of that name
  // exists already, an unwritable folder); the database stays in use either way.
  bool BackupDatabase(std::string& folder);
  bool CopyDatabaseToFolder(std::string& folder);
  // Puts the chosen file in the place of the database file: ReplaceDatabaseFile; false for an empty path.
  bool RestoreDatabase(const std::string& file);
  // True when the database file is now a copy of file (or is file). A file that is not a database of
  // this program is refused; with a database file in place the user confirms the replacement ("OK"),
  // Cancel writes nothing. The copy is made beside the database file and renamed over it only when it
  // is complete, with the pool closed; a failure shows its error number and leaves the file as it was.
  bool ReplaceDatabaseFile(const std::string& file);
  // True when file is an undamaged database of this program with a device_list_prev table; silent.
  // Takes no lock of the pool.
  static bool CheckDatabaseFile(const std::string& file);

  static bool IsRecordsetEmpty(const db::CRecordset& recordset);
  // The DBM text of the error in a message box.
  void ShowComError(const db::CDbError& error, std::source_location where = std::source_location::current());
  // Appends a record to "Exception_log.txt" in the current directory; an empty text writes nothing. A
  // record is cut after kMaxExceptionRecordCharacters characters.
  // Needs no pool, so a box for an error met while the pool opens can write it too.
  static constexpr std::size_t kMaxExceptionRecordCharacters = 4096;
  static bool WriteExceptionLog(const std::string& text);
  // Number of fields, -1 for a closed recordset.
  static int GetFieldCount(const db::CRecordset& recordset);

  // Operations that nothing in the program calls.
  int GetPoolSize();
  static long GetRecordCount(const db::CRecordset& recordset);
  bool BeginAccess() { return true; }
  bool EndAccess() { return true; }
  bool SetServer(const std::string& server);

 private:
  friend class db::CTransaction;
  class CLease;

  // Opens up to kPoolSize connections to file, adding the columns a file of an earlier version lacks; on
  // a database error the pool is emptied and the error handed back, so that it can be shown once no lock
  // is held.
  std::optional<db::CDbError> OpenConnections(const std::string& file, int timeout);
  // With the pool lock held by this thread: lends it a connection (its own again when it holds one),
  // nullptr when the pool is empty; and takes one lend back.
  db::CConnection* Lend();
  void GiveBack();
  // Shows the error of a rebuild that failed inside Lend, once; called where an operation has given back
  // the locks it took, so a box that waits for another thread never keeps them.
  void ShowRebuildError();
  // With both locks and no lend on this thread: closes every connection, replaces the database file by a
  // copy of file, and opens the pool again. errorNumber tells why the file could not be replaced.
  bool SwapDatabaseFile(const std::string& file, int& errorNumber, std::optional<db::CDbError>& reopenError);
  // Both locks together, for work that needs the pool and the transaction lock at once.
  void LockAll();
  void UnlockAll();
  int ExtremeValue(const std::string& statement, std::initializer_list<db::SqlValue> params, const char* errorLog);

  std::deque<std::unique_ptr<db::CConnection>> pool_;  // idle connections, lent from the front
  platform::RecursiveMutex connectPoolMutex_;  // "ConnectPoolMutex"
  std::string kind_;
  std::string server_;
  platform::RecursiveMutex databaseTransaction_;  // "DatabaseTransaction"
  std::unique_ptr<db::CConnection> lent_;
  int lendDepth_ = 0;
  std::mutex rebuildErrorMutex_;
  std::optional<db::CDbError> rebuildError_;
  std::atomic<bool> hasRebuildError_{false};
};

// What a record of "Exception_log.txt" quotes of a text a device supplied: its first 150 characters, as
// the event log keeps of a description. An agent that sends endless values must not fill the disk.
std::string DeviceTextForLog(const std::string& text);

// The pool, created on first use from any thread.
CDB_Maintain* GetDBMaintain();
// Deletes the pool if it exists; the shut-down uses it, and tests between cases.
void DeleteDBMaintain();
