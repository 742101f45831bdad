#pragma once
// The base of every database manager: each operation forwards to the process-wide pool.
#include <functional>
#include <optional>
#include <string>

#include "db/AccessDatabase.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/SqlValue.h"

class CDbAccessBase : public CAccessDatabase {
 public:
  CDbAccessBase() = default;
  ~CDbAccessBase() override = default;

  // Reads rows; the recordset keeps "DatabaseTransaction" held until CloseRecordset on every path.
  bool OpenRecordset(const std::string& statement, db::CRecordset& recordset);
  bool OpenRecordset(const std::string& statement, const db::SqlParams& params, db::CRecordset& recordset);
  bool CloseRecordset(db::CRecordset& recordset);
  int GetFieldMaxValue(const std::string& table, const std::string& field);
  int GetFieldMinValue(const std::string& table, const std::string& field, const std::string& clientMac);
  bool BeginTransact(db::CRecordset& recordset);
  bool CommitTransact(db::CRecordset& recordset);
  bool RollBackTransact(db::CRecordset& recordset);
  bool WriteExceptionLog(const std::string& text);
  // The Backup and Restore commands' road to the pool (CDB_Maintain::BackupDatabase, RestoreDatabase).
  bool BackupDatabase(std::string& folder);
  bool RestoreDatabase(const std::string& file);

  // Forwarders that nothing in the program calls.
  int GetPoolSize();
  long GetRecordCount(const db::CRecordset& recordset);
  bool BeginAccess();
  bool EndAccess();
  // There is no component library to start on this platform; kept for the managers that expect them.
  bool InitializeCom() { return true; }
  void UninitializeCom() {}

 protected:
  // Called with the cursor on the first row; gives the operation's result.
  using RecordsetWork = std::function<int(db::CRecordset&)>;
  // How a manager reports a database error once the recordset is closed; gives the operation's result.
  using DbErrorReport = std::function<int(const db::CDbError&)>;

  // Reads a query: an empty result, or one that could not be opened (the pool logs why), gives none.
  // Otherwise read runs; a database error while reading closes the recordset and gives report's result.
  int ReadSelection(const std::string& sql, const db::SqlParams& params, int none, const RecordsetWork& read,
                    const DbErrorReport& report);
  // Opens the selection and runs change inside a transaction on its connection, then commits. With
  // whenEmpty set, an empty selection gives it and nothing runs. A database error, a failed commit
  // included, writes rollbackLog to the exception log (unless empty), rolls back, closes the recordset
  // and gives report's result. A selection that cannot be read or a transaction that cannot begin is
  // such an error too, met before change runs.
  int ChangeSelection(const std::string& select, const db::SqlParams& params, std::optional<int> whenEmpty,
                      const RecordsetWork& change, const std::string& rollbackLog, const DbErrorReport& report);
  // A statement inside ChangeSelection's change; throws db::CDbError when it fails.
  void Run(const std::string& sql, const db::SqlParams& params = {});
};
