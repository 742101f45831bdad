#pragma once
// Brings a database file of an earlier version of the program up to the current schema when the pool
// opens it, at start and after a restore: columns added since are added, empty.
namespace db {

class CConnection;

// Throws CDbError when a missing column cannot be added.
void AddMissingColumns(CConnection& connection);

}  // namespace db
