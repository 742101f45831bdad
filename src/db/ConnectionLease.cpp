#include "db/ConnectionLease.h"

#include <sqlite3.h>

#include "db/DbError.h"
#include "db/db_maintain.h"

namespace db {

CConnectionLease::CConnectionLease(CDB_Maintain& pool) : pool_(pool) {
  if (!pool_.GetConnection(connection_))
    throw CDbError("No connection is available", sqlite3_errstr(SQLITE_CANTOPEN), SQLITE_CANTOPEN);
}

CConnectionLease::~CConnectionLease() { pool_.ReleaseConnection(connection_); }

}  // namespace db
