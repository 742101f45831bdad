#include "db/SchemaUpgrade.h"

#include "db/Connection.h"
#include "db/Statement.h"

namespace db {
namespace {

struct AddedColumn {
  const char* table;
  const char* name;
  const char* type;
};

// Columns a file made by an earlier version lacks; the schema script has them already.
constexpr AddedColumn kAddedColumns[] = {
    {"global_setting", "smtp_require_tls", "TEXT"},
};

bool HasColumn(CConnection& connection, const AddedColumn& column) {
  CStatement statement(connection, "SELECT 1 FROM pragma_table_info(?) WHERE name=?");
  const SqlParams params{column.table, column.name};
  statement.Bind(params);
  return statement.Step();
}

}  // namespace

void AddMissingColumns(CConnection& connection) {
  for (const AddedColumn& column : kAddedColumns) {
    if (HasColumn(connection, column)) continue;
    CStatement(connection, std::string("ALTER TABLE ") + column.table + " ADD COLUMN " + column.name + " " +
                               column.type)
        .Run();
  }
}

}  // namespace db
