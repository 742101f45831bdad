#include "db/DbAccessBase.h"

#include "db/db_maintain.h"

bool CDbAccessBase::OpenRecordset(const std::string& statement, db::CRecordset& recordset) {
  return GetDBMaintain()->Execute(statement, recordset);
}

bool CDbAccessBase::OpenRecordset(const std::string& statement, const db::SqlParams& params,
                                  db::CRecordset& recordset) {
  return GetDBMaintain()->Execute(statement, params, recordset);
}

bool CDbAccessBase::CloseRecordset(db::CRecordset& recordset) { return GetDBMaintain()->ReleaseRecordset(recordset); }

bool CDbAccessBase::ExecuteCommand(const std::string& statement, const db::SqlParams& params) {
  return GetDBMaintain()->ExecuteCommand(statement, params);
}

int CDbAccessBase::GetFieldMaxValue(const std::string& table, const std::string& field) {
  return GetDBMaintain()->GetFieldMaxValue(table, field);
}

int CDbAccessBase::GetFieldMinValue(const std::string& table, const std::string& field, const std::string& clientMac) {
  return GetDBMaintain()->GetFieldMinValue(table, field, clientMac);
}

void CDbAccessBase::BeginTransact(db::CRecordset& recordset) { GetDBMaintain()->BeginTransact(recordset); }

bool CDbAccessBase::CommitTransact(db::CRecordset& recordset) { return GetDBMaintain()->CommitTransact(recordset); }

bool CDbAccessBase::RollBackTransact(db::CRecordset& recordset) { return GetDBMaintain()->RollBackTransact(recordset); }

bool CDbAccessBase::WriteExceptionLog(const std::string& text) { return GetDBMaintain()->WriteExceptionLog(text); }

int CDbAccessBase::GetPoolSize() { return GetDBMaintain()->GetPoolSize(); }

long CDbAccessBase::GetRecordCount(const db::CRecordset& recordset) { return CDB_Maintain::GetRecordCount(recordset); }

bool CDbAccessBase::BeginAccess() { return GetDBMaintain()->BeginAccess(); }

bool CDbAccessBase::EndAccess() { return GetDBMaintain()->EndAccess(); }
