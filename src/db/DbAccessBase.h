#pragma once
// The base of every database manager: each operation forwards to the process-wide pool.
#include <string>

#include "db/AccessDatabase.h"
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
  bool ExecuteCommand(const std::string& statement, const db::SqlParams& params = {});
  int GetFieldMaxValue(const std::string& table, const std::string& field);
  int GetFieldMinValue(const std::string& table, const std::string& field, const std::string& clientMac);
  void BeginTransact(db::CRecordset& recordset);
  bool CommitTransact(db::CRecordset& recordset);
  bool RollBackTransact(db::CRecordset& recordset);
  bool WriteExceptionLog(const std::string& text);

  // Forwarders that nothing in the program calls.
  int GetPoolSize();
  long GetRecordCount(const db::CRecordset& recordset);
  bool BeginAccess();
  bool EndAccess();
  // There is no component library to start on this platform; kept for the managers that expect them.
  bool InitializeCom() { return true; }
  void UninitializeCom() {}
};
