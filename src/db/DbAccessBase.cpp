#include "db/DbAccessBase.h"

#include "db/db_maintain.h"

namespace {

// A database error raised by the program itself: its text is its description.
db::CDbError ProgramError(const std::string& description) { return db::CDbError(description, description); }

}  // namespace

bool CDbAccessBase::OpenRecordset(const std::string& statement, db::CRecordset& recordset) {
  return GetDBMaintain()->Execute(statement, recordset);
}

bool CDbAccessBase::OpenRecordset(const std::string& statement, const db::SqlParams& params,
                                  db::CRecordset& recordset) {
  return GetDBMaintain()->Execute(statement, params, recordset);
}

bool CDbAccessBase::CloseRecordset(db::CRecordset& recordset) { return GetDBMaintain()->ReleaseRecordset(recordset); }

int CDbAccessBase::GetFieldMaxValue(const std::string& table, const std::string& field) {
  return GetDBMaintain()->GetFieldMaxValue(table, field);
}

int CDbAccessBase::GetFieldMinValue(const std::string& table, const std::string& field, const std::string& clientMac) {
  return GetDBMaintain()->GetFieldMinValue(table, field, clientMac);
}

bool CDbAccessBase::BeginTransact(db::CRecordset& recordset) { return GetDBMaintain()->BeginTransact(recordset); }

bool CDbAccessBase::CommitTransact(db::CRecordset& recordset) { return GetDBMaintain()->CommitTransact(recordset); }

bool CDbAccessBase::RollBackTransact(db::CRecordset& recordset) { return GetDBMaintain()->RollBackTransact(recordset); }

bool CDbAccessBase::WriteExceptionLog(const std::string& text) { return GetDBMaintain()->WriteExceptionLog(text); }

bool CDbAccessBase::BackupDatabase(std::string& folder) { return GetDBMaintain()->BackupDatabase(folder); }

bool CDbAccessBase::RestoreDatabase(const std::string& file) { return GetDBMaintain()->RestoreDatabase(file); }

int CDbAccessBase::GetPoolSize() { return GetDBMaintain()->GetPoolSize(); }

long CDbAccessBase::GetRecordCount(const db::CRecordset& recordset) { return CDB_Maintain::GetRecordCount(recordset); }

bool CDbAccessBase::BeginAccess() { return GetDBMaintain()->BeginAccess(); }

bool CDbAccessBase::EndAccess() { return GetDBMaintain()->EndAccess(); }

int CDbAccessBase::ReadSelection(const std::string& sql, const db::SqlParams& params, int none,
                                 const RecordsetWork& read, const DbErrorReport& report) {
  db::CRecordset recordset;
  OpenRecordset(sql, params, recordset);
  if (CDB_Maintain::IsRecordsetEmpty(recordset)) {
    CloseRecordset(recordset);
    return none;
  }
  try {
    recordset.MoveFirst();
    const int result = read(recordset);
    CloseRecordset(recordset);
    return result;
  } catch (const db::CDbError& error) {
    CloseRecordset(recordset);
    return report(error);
  }
}

int CDbAccessBase::ChangeSelection(const std::string& select, const db::SqlParams& params,
                                   std::optional<int> whenEmpty, const RecordsetWork& change,
                                   const std::string& rollbackLog, const DbErrorReport& report) {
  db::CRecordset recordset;
  const bool read = OpenRecordset(select, params, recordset);
  if (read && whenEmpty && CDB_Maintain::IsRecordsetEmpty(recordset)) {
    CloseRecordset(recordset);
    return *whenEmpty;
  }
  try {
    // Rows that were not read look like no rows, and a statement outside a transaction cannot be undone
    // when a later one fails: either way the change would replace only part of what it should.
    if (!read) throw ProgramError("The rows to change could not be read");
    if (auto refused = GetDBMaintain()->BeginTransactOrError(recordset)) throw *refused;
    recordset.MoveFirst();
    const int result = change(recordset);
    if (!CommitTransact(recordset)) throw ProgramError("The transaction could not be committed");
    CloseRecordset(recordset);
    return result;
  } catch (const db::CDbError& error) {
    WriteExceptionLog(rollbackLog);  // an empty text writes nothing
    if (recordset.InTransaction()) RollBackTransact(recordset);
    CloseRecordset(recordset);
    return report(error);
  }
}

void CDbAccessBase::Run(const std::string& sql, const db::SqlParams& params) {
  if (!ExecuteCommand(sql, params)) throw ProgramError("The statement failed: " + sql);
}
