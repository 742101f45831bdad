#pragma once
// A transaction on the calling thread's lent connection, rolled back unless committed. It holds both
// pool locks for its lifetime, so every statement the thread runs meanwhile (ExecuteCommand, Execute,
// the data-access classes) runs on the same connection inside it; nested guards become savepoints.
#include "db/Connection.h"

class CDB_Maintain;

namespace db {

class CTransaction {
 public:
  // Throws CDbError when no connection can be lent or the transaction cannot begin.
  explicit CTransaction(CDB_Maintain& pool);
  ~CTransaction();
  CTransaction(const CTransaction&) = delete;
  CTransaction& operator=(const CTransaction&) = delete;

  // Throws CDbError; the guard then still rolls back when it goes.
  void Commit();
  void Rollback();
  CConnection& Connection() { return *connection_; }

 private:
  void Finish();

  CDB_Maintain& pool_;
  CConnection* connection_ = nullptr;
  bool open_ = false;
};

}  // namespace db
