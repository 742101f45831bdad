#pragma once
// The pool's lent connection for the length of a scope: taken on construction, given back on every path.
#include "db/Connection.h"

class CDB_Maintain;

namespace db {

class CConnectionLease {
 public:
  // Throws CDbError when the pool has no connection to lend.
  explicit CConnectionLease(CDB_Maintain& pool);
  ~CConnectionLease();
  CConnectionLease(const CConnectionLease&) = delete;
  CConnectionLease& operator=(const CConnectionLease&) = delete;

  CConnection& Connection() { return *connection_; }

 private:
  CDB_Maintain& pool_;
  CConnection* connection_ = nullptr;
};

}  // namespace db
