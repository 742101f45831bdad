#pragma once
// Statements in, rows and tables of texts out: the general operations that the table-specific
// operations and every database manager are built on. No state; create one on the stack where needed.
// Every operation takes the statement as text and, in its bound form, the values for its '?'
// placeholders; values from users and devices always go in bound.
#include <memory>
#include <string>
#include <vector>

#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/SqlValue.h"

class CStringMatrix;
namespace db {
class CConnection;
}

class CAccessDatabase {
 public:
  using TextRow = std::vector<std::string>;
  using TextRows = std::vector<TextRow>;

  CAccessDatabase() = default;
  virtual ~CAccessDatabase() = default;

  // ---- General operations ----

  // The pool's lending; "ConnectPoolMutex" stays held until ReleaseConnection.
  bool GetConnection(db::CConnection*& connection);
  bool ReleaseConnection(db::CConnection* connection);

  // Runs a statement (or reads a whole table given by its bare name) under the pool lock only.
  // An error shows the exception text and gives no recordset. The recordset holds no lock.
  std::unique_ptr<db::CRecordset> QueryRecordset(const std::string& statement, const db::SqlParams& params = {});
  std::unique_ptr<db::CRecordset> GetRecordset(const std::string& statementOrTable);
  // No state test: a closed recordset throws db::CDbError.
  static bool IsBofAndEof(const db::CRecordset& recordset);

  // Inserts one row, values as texts in the table's column order; missing ones keep their defaults.
  bool InsertRecord(const std::string& table, const std::vector<std::string>& values);

  // CDB_Maintain::Execute into recordset, then its number of fields (-1 when it cannot be read). The
  // recordset keeps "DatabaseTransaction" held until CDB_Maintain::ReleaseRecordset.
  int ExecuteSql(const std::string& statement, db::CRecordset& recordset);
  int ExecuteSql(const std::string& statement, const db::SqlParams& params, db::CRecordset& recordset);
  int QueryFieldCount(const std::string& statement, const db::SqlParams& params = {});

  // Deletes every row of the table; false on a database error (after the message box).
  bool DeleteAllRecords(const std::string& table);

  // Rows as texts in the statement's column order, NULL as "". On an error the message box is shown
  // and the rows read so far are returned. QueryRows needs only the pool lock; QueryValues goes
  // through "DatabaseTransaction".
  TextRows QueryRows(const std::string& statement, const db::SqlParams& params = {});
  TextRows QueryValues(const std::string& statement, const db::SqlParams& params = {});
  // The rows as a matrix owned by the caller; none when there is no row or on an error (no message).
  std::unique_ptr<CStringMatrix> QueryMatrix(const std::string& statement, const db::SqlParams& params = {});
  // Inserts the matrix's rows in one transaction (cells in row order); an error rolls back all of them.
  bool InsertMatrix(const std::string& table, const CStringMatrix& matrix);

  // ---- General operations that nothing in the program calls ----

  // Appends rows of texts (fields 0, 1, 2 ... in column order) in one transaction.
  bool table_append_records(const std::string& table, const TextRows& rows);
  // Deletes or rewrites the row at position (0 = first) of the statement's result. The fields of the
  // result must come from one table.
  bool DeleteRecordAt(const std::string& statement, long position);
  bool UpdateRecordAt(const std::string& statement, long position, const std::vector<std::string>& values);
  static std::string VariantToText(const db::SqlValue& value);
  static char* GetTextBuffer(std::string& text);

 private:
  void ShowException(const db::CDbError& error, int line);
  // Inserts rows (each filling the first columns of table) in one transaction; logText, when given,
  // goes to the error log once the transaction has begun.
  bool AppendTextRows(const std::string& table, const TextRows& rows, const char* logText);
  void InsertRows(db::CConnection& connection, const std::string& table, const TextRows& rows);
  bool ChangeRecordAt(const std::string& statement, long position, const std::vector<std::string>* values);
};
