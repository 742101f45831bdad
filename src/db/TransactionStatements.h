#pragma once
// Statements run on one connection inside a transaction: the changes and reads of an operation that
// must succeed or fail as a whole. Each throws CDbError on failure.
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/SqlValue.h"

namespace db {

void RunStatement(CConnection& connection, const std::string& sql, const SqlParams& params = {});
// Every row of the result.
std::vector<std::vector<SqlValue>> ReadStatement(CConnection& connection, const std::string& sql,
                                                 const SqlParams& params = {});

}  // namespace db
