#include "db/AccessDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "db/ConnectionLease.h"
#include "db/DbError.h"
#include "db/DbErrorBox.h"
#include "db/Statement.h"
#include "db/StringMatrix.h"
#include "db/Transaction.h"
#include "db/db_maintain.h"
#include "platform/MessageBox.h"

using db::CDbError;

namespace {

const char kFileName[] = "AccessDatabase";

// A bare table name reads the whole table, as a statement would.
std::string SourceText(const std::string& statementOrTable) {
  const bool bareName = !statementOrTable.empty() &&
                        std::all_of(statementOrTable.begin(), statementOrTable.end(),
                                    [](unsigned char c) { return std::isalnum(c) || c == '_'; });
  return bareName ? "SELECT * FROM " + db::QuoteName(statementOrTable) : statementOrTable;
}

std::unique_ptr<db::CRecordset> Fetch(db::CConnection& connection, const std::string& statement,
                                      const db::SqlParams& params) {
  db::CStatement query(connection, SourceText(statement));
  query.Bind(params);
  auto recordset = std::make_unique<db::CRecordset>();
  recordset->Fill(query);
  return recordset;
}

CDbError Failure(const char* description) { return CDbError(description, sqlite3_errstr(SQLITE_ERROR), SQLITE_ERROR); }

// Reads the rows of an open recordset as texts; an error ends the walk and is handed back.
CAccessDatabase::TextRows ReadRows(db::CRecordset& recordset, std::optional<CDbError>& error) {
  CAccessDatabase::TextRows rows;
  try {
    if (CAccessDatabase::IsBofAndEof(recordset)) return rows;
    recordset.MoveFirst();
    while (!recordset.IsEOF()) {
      CAccessDatabase::TextRow row;
      for (int field = 0; field < recordset.GetFieldCount(); ++field) row.push_back(recordset.GetText(field));
      rows.push_back(std::move(row));
      recordset.MoveNext();
    }
  } catch (const CDbError& caught) {
    error = caught;
  }
  return rows;
}

}  // namespace

bool CAccessDatabase::GetConnection(db::CConnection*& connection) { return GetDBMaintain()->GetConnection(connection); }

bool CAccessDatabase::ReleaseConnection(db::CConnection* connection) {
  return GetDBMaintain()->ReleaseConnection(connection);
}

std::unique_ptr<db::CRecordset> CAccessDatabase::QueryRecordset(const std::string& statement,
                                                                const db::SqlParams& params) {
  try {
    db::CConnectionLease lease(*GetDBMaintain());
    return Fetch(lease.Connection(), statement, params);
  } catch (const CDbError& error) {
    ShowException(error, __LINE__);
    return nullptr;
  }
}

std::unique_ptr<db::CRecordset> CAccessDatabase::GetRecordset(const std::string& statementOrTable) {
  return QueryRecordset(statementOrTable);
}

bool CAccessDatabase::IsBofAndEof(const db::CRecordset& recordset) {
  if (!recordset.IsOpen()) throw Failure("Operation is not allowed when the object is closed");
  return recordset.IsBOF() && recordset.IsEOF();
}

bool CAccessDatabase::IsRecordsetEmpty(const db::CRecordset& recordset) {
  return CDB_Maintain::IsRecordsetEmpty(recordset);
}

bool CAccessDatabase::InsertRecord(const std::string& table, const std::vector<std::string>& values) {
  return AppendTextRows(table, {values}, nullptr);
}

int CAccessDatabase::ExecuteSql(const std::string& statement, db::CRecordset& recordset) {
  return ExecuteSql(statement, {}, recordset);
}

int CAccessDatabase::ExecuteSql(const std::string& statement, const db::SqlParams& params, db::CRecordset& recordset) {
  GetDBMaintain()->Execute(statement, params, recordset);
  return CDB_Maintain::GetFieldCount(recordset);
}

int CAccessDatabase::QueryFieldCount(const std::string& statement, const db::SqlParams& params) {
  db::CRecordset recordset;
  const int count = ExecuteSql(statement, params, recordset);
  GetDBMaintain()->ReleaseRecordset(recordset);
  return count;
}

bool CAccessDatabase::ExecuteCommand(const std::string& statement, const db::SqlParams& params) {
  return GetDBMaintain()->ExecuteCommand(statement, params);
}

bool CAccessDatabase::DeleteAllRecords(const std::string& table) {
  return QueryRecordset("DELETE FROM " + db::QuoteName(table)) != nullptr;
}

CAccessDatabase::TextRows CAccessDatabase::QueryRows(const std::string& statement, const db::SqlParams& params) {
  auto recordset = QueryRecordset(statement, params);
  if (!recordset) return {};
  std::optional<CDbError> error;
  TextRows rows = ReadRows(*recordset, error);
  if (error) ShowException(*error, __LINE__);
  return rows;
}

CAccessDatabase::TextRows CAccessDatabase::QueryValues(const std::string& statement, const db::SqlParams& params) {
  db::CRecordset recordset;
  ExecuteSql(statement, params, recordset);
  std::optional<CDbError> error;
  TextRows rows = ReadRows(recordset, error);
  // Give the lock back before a message box can keep it waiting.
  GetDBMaintain()->ReleaseRecordset(recordset);
  if (error) ShowException(*error, __LINE__);
  return rows;
}

std::unique_ptr<CStringMatrix> CAccessDatabase::QueryMatrix(const std::string& statement, const db::SqlParams& params) {
  db::CRecordset recordset;
  const int fields = ExecuteSql(statement, params, recordset);
  std::optional<CDbError> error;
  const TextRows rows = ReadRows(recordset, error);
  GetDBMaintain()->ReleaseRecordset(recordset);
  if (error || rows.empty() || fields <= 0) return nullptr;
  std::vector<std::string> cells;
  for (const TextRow& row : rows) cells.insert(cells.end(), row.begin(), row.end());
  auto matrix = std::make_unique<CStringMatrix>();
  matrix->SetColumnCount(fields);
  matrix->SetRowCount(static_cast<int>((cells.size() + fields - 1) / fields));
  matrix->SetCells(cells);
  return matrix;
}

bool CAccessDatabase::InsertMatrix(const std::string& table, const CStringMatrix& matrix) {
  const std::vector<std::string>& cells = matrix.GetCells();
  const size_t columns = static_cast<size_t>(std::max(matrix.GetLastColumn() + 1, 0));
  TextRows rows;
  for (int row = 0; row <= matrix.GetLastRow() && columns > 0; ++row) {
    const size_t first = row * columns;
    if (first >= cells.size()) break;
    rows.emplace_back(cells.begin() + first, cells.begin() + std::min(first + columns, cells.size()));
  }
  return AppendTextRows(table, rows, nullptr);
}

bool CAccessDatabase::table_append_records(const std::string& table, const TextRows& rows) {
  return AppendTextRows(table, rows, "AccessDatabase table_append_records BeginTransact--");
}

bool CAccessDatabase::AppendTextRows(const std::string& table, const TextRows& rows, const char* logText) {
  try {
    db::CTransaction transaction(*GetDBMaintain());
    if (logText) GetDBMaintain()->WriteExceptionLog(logText);
    InsertRows(transaction.Connection(), table, rows);
    transaction.Commit();
    return true;
  } catch (const CDbError& error) {
    ShowException(error, __LINE__);
    return false;
  }
}

bool CAccessDatabase::RunInTransaction(const std::function<void(db::CConnection&)>& work, int line) {
  try {
    db::CTransaction transaction(*GetDBMaintain());
    work(transaction.Connection());
    transaction.Commit();
    return true;
  } catch (const CDbError& error) {
    ShowException(error, line);
    return false;
  }
}

void CAccessDatabase::InsertRows(db::CConnection& connection, const std::string& table, const TextRows& rows) {
  const std::string name = db::QuoteName(table);
  db::CStatement layout(connection, "SELECT * FROM " + name + " LIMIT 0");
  for (const TextRow& row : rows) {
    if (static_cast<int>(row.size()) > layout.ColumnCount()) throw Failure("More values than the table has columns");
    std::string columns;
    std::string marks;
    db::SqlParams params;
    for (size_t i = 0; i < row.size(); ++i) {
      columns += (i ? "," : "") + db::QuoteName(layout.ColumnName(static_cast<int>(i)));
      marks += i ? ",?" : "?";
      params.emplace_back(row[i]);
    }
    db::CStatement insert(connection, row.empty() ? "INSERT INTO " + name + " DEFAULT VALUES"
                                                  : "INSERT INTO " + name + " (" + columns + ") VALUES (" + marks + ")");
    insert.Bind(params);
    insert.Run();
  }
}

bool CAccessDatabase::DeleteRecordAt(const std::string& statement, long position) {
  return ChangeRecordAt(statement, {}, position, nullptr);
}

bool CAccessDatabase::DeleteRecordAt(const std::string& statement, const db::SqlParams& params, long position) {
  return ChangeRecordAt(statement, params, position, nullptr);
}

bool CAccessDatabase::UpdateRecordAt(const std::string& statement, long position,
                                     const std::vector<std::string>& values) {
  return ChangeRecordAt(statement, {}, position, &values);
}

bool CAccessDatabase::UpdateRecordAt(const std::string& statement, const db::SqlParams& params, long position,
                                     const std::vector<std::string>& values) {
  return ChangeRecordAt(statement, params, position, &values);
}

bool CAccessDatabase::ChangeRecordAt(const std::string& statement, const db::SqlParams& params, long position,
                                     const std::vector<std::string>* values) {
  try {
    db::CTransaction transaction(*GetDBMaintain());
    db::CConnection& connection = transaction.Connection();
    auto recordset = Fetch(connection, statement, params);
    recordset->MoveFirst();
    recordset->Move(position);
    if (recordset->IsBOF() || recordset->IsEOF())
      throw Failure("Either BOF or EOF is True, or the current record has been deleted");
    // The row is found again by the values it was read with, in the one table its fields come from.
    const std::vector<std::string>& tables = recordset->FieldTables();
    if (tables.empty() || tables.front().empty() ||
        std::any_of(tables.begin(), tables.end(), [&](const std::string& t) { return t != tables.front(); }))
      throw Failure("The fields do not come from one table");
    const std::string table = db::QuoteName(tables.front());
    const std::vector<std::string>& origins = recordset->FieldOrigins();
    std::string match;
    for (size_t i = 0; i < origins.size(); ++i) match += (i ? " AND " : "") + db::QuoteName(origins[i]) + " IS ?";
    const std::string where =
        " WHERE rowid = (SELECT rowid FROM " + table + " WHERE " + match + " LIMIT 1)";
    db::SqlParams bound;
    std::string sql = "DELETE FROM " + table + where;
    if (values) {
      if (values->size() > origins.size()) throw Failure("More values than the recordset has fields");
      if (values->empty()) return true;
      std::string assignments;
      for (size_t i = 0; i < values->size(); ++i) {
        assignments += (i ? "," : "") + db::QuoteName(origins[i]) + " = ?";
        bound.emplace_back((*values)[i]);
      }
      sql = "UPDATE " + table + " SET " + assignments + where;
    }
    const db::CRecordset::Row& row = recordset->Rows()[recordset->Position()];
    bound.insert(bound.end(), row.begin(), row.end());
    db::CStatement change(connection, sql);
    change.Bind(bound);
    change.Run();
    if (sqlite3_changes(connection.Handle()) == 0) throw Failure("Row cannot be located for updating");
    transaction.Commit();
    return true;
  } catch (const CDbError& error) {
    ShowException(error, __LINE__);
    return false;
  }
}

std::string CAccessDatabase::VariantToText(const db::SqlValue& value) { return db::ValueToText(value); }

char* CAccessDatabase::GetTextBuffer(std::string& text) { return text.data(); }

void CAccessDatabase::ShowException(const CDbError& error, int line) {
  db::ShowDbErrorBox(error, db::FormatExceptionText(error, kFileName, line));
}
