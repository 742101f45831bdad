#include "db/Transaction.h"

#include <sqlite3.h>

#include <utility>

#include "db/DbError.h"
#include "db/db_maintain.h"

namespace db {

CTransaction::CTransaction(CDB_Maintain& pool) : pool_(pool) {
  pool_.LockAll();
  try {
    // Both locks are held, so the connection is lent without taking the pool lock again.
    connection_ = pool_.Lend();
    if (!connection_) throw CDbError("No connection is available", sqlite3_errstr(SQLITE_CANTOPEN), SQLITE_CANTOPEN);
    connection_->Begin();
    open_ = true;
  } catch (...) {
    Finish();
    pool_.ShowRebuildError();
    throw;
  }
}

CTransaction::~CTransaction() {
  if (open_) {
    try {
      connection_->Rollback();
    } catch (const CDbError&) {
      // The engine has already undone the work when it cannot roll back itself.
    }
  }
  Finish();
}

void CTransaction::Commit() {
  if (!open_) return;
  connection_->Commit();
  open_ = false;
}

void CTransaction::Rollback() {
  if (!open_) return;
  open_ = false;
  connection_->Rollback();
}

void CTransaction::Finish() {
  if (std::exchange(connection_, nullptr)) pool_.GiveBack();
  pool_.UnlockAll();
}

}  // namespace db
