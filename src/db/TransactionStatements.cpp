#include "db/TransactionStatements.h"

#include "db/Statement.h"

namespace db {

void RunStatement(CConnection& connection, const std::string& sql, const SqlParams& params) {
  CStatement statement(connection, sql);
  statement.Bind(params);
  statement.Run();
}

std::vector<std::vector<SqlValue>> ReadStatement(CConnection& connection, const std::string& sql,
                                                 const SqlParams& params) {
  CStatement statement(connection, sql);
  statement.Bind(params);
  std::vector<std::vector<SqlValue>> rows;
  while (statement.Step()) {
    std::vector<SqlValue>& row = rows.emplace_back();
    for (int column = 0; column < statement.ColumnCount(); ++column) row.push_back(statement.Column(column));
  }
  return rows;
}

}  // namespace db
