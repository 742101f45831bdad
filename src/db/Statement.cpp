#include "db/Statement.h"

#include <sqlite3.h>

#include <cctype>

#include "db/Connection.h"
#include "db/DbError.h"

namespace db {
namespace {

std::string Text(const char* text) { return text ? text : ""; }

CDbError CountMismatch() {
  return CDbError("The number of values differs from the number of placeholders", sqlite3_errstr(SQLITE_RANGE),
                  SQLITE_RANGE);
}

}  // namespace

CStatement::CStatement(CConnection& connection, std::string_view sql) : connection_(connection) {
  if (!connection.IsOpen()) throw CDbError("The connection is closed", sqlite3_errstr(SQLITE_MISUSE), SQLITE_MISUSE);
  cached_ = connection.BorrowStatement(sql);
  if (cached_) {
    statement_ = cached_->statement;
    return;
  }
  const char* tail = nullptr;
  const int code = sqlite3_prepare_v3(connection.Handle(), sql.data(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement_, &tail);
  if (code != SQLITE_OK) throw CDbError::FromConnection(connection.Handle(), code);
  if (!statement_) throw CDbError("The statement is empty", sqlite3_errstr(SQLITE_MISUSE), SQLITE_MISUSE);
  // One text is one statement: a second one could only have come from pasted text.
  for (const char* p = tail; p && p < sql.data() + sql.size(); ++p) {
    if (!std::isspace(static_cast<unsigned char>(*p)) && *p != ';') {
      sqlite3_finalize(statement_);
      statement_ = nullptr;
      throw CDbError("The text holds more than one statement", sqlite3_errstr(SQLITE_MISUSE), SQLITE_MISUSE);
    }
  }
  cached_ = connection.KeepStatement(sql, statement_);
}

CStatement::~CStatement() {
  if (!statement_) return;
  // Reset ends the statement's read of the database, so no snapshot outlives it. The values bound stay
  // behind, pointing at the caller's memory; the next user binds its own before stepping.
  sqlite3_reset(statement_);
  if (cached_)
    connection_.ReturnStatement(*cached_);
  else
    sqlite3_finalize(statement_);
}

void CStatement::Bind(std::span<const SqlValue> params) {
  if (static_cast<int>(params.size()) != sqlite3_bind_parameter_count(statement_)) throw CountMismatch();
  for (int i = 0; i < static_cast<int>(params.size()); ++i) {
    const SqlValue& value = params[i];
    int code = SQLITE_OK;
    switch (value.GetKind()) {
      case SqlValue::Kind::Null:
        code = sqlite3_bind_null(statement_, i + 1);
        break;
      case SqlValue::Kind::Integer:
        code = sqlite3_bind_int64(statement_, i + 1, value.AsInteger());
        break;
      case SqlValue::Kind::Real:
        code = sqlite3_bind_double(statement_, i + 1, value.AsReal());
        break;
      case SqlValue::Kind::Text:
        code = sqlite3_bind_text64(statement_, i + 1, value.AsText().data(), value.AsText().size(), SQLITE_STATIC,
                                   SQLITE_UTF8);
        break;
      case SqlValue::Kind::Blob:
        code = sqlite3_bind_blob64(statement_, i + 1, value.AsBlob().data(), value.AsBlob().size(), SQLITE_STATIC);
        break;
    }
    if (code != SQLITE_OK) throw CDbError::FromConnection(connection_.Handle(), code);
  }
  bound_ = true;
}

bool CStatement::Step() {
  if (!bound_ && sqlite3_bind_parameter_count(statement_) > 0) throw CountMismatch();
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  throw CDbError::FromConnection(connection_.Handle(), code);
}

void CStatement::Run() {
  while (Step()) {
  }
}

int CStatement::ColumnCount() const { return sqlite3_column_count(statement_); }

std::string CStatement::ColumnName(int column) const { return Text(sqlite3_column_name(statement_, column)); }

std::string CStatement::ColumnTable(int column) const { return Text(sqlite3_column_table_name(statement_, column)); }

std::string CStatement::ColumnOrigin(int column) const { return Text(sqlite3_column_origin_name(statement_, column)); }

SqlValue CStatement::Column(int column) const {
  switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_INTEGER:
      return SqlValue(static_cast<std::int64_t>(sqlite3_column_int64(statement_, column)));
    case SQLITE_FLOAT:
      return SqlValue(sqlite3_column_double(statement_, column));
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
      return SqlValue(std::string(text, sqlite3_column_bytes(statement_, column)));
    }
    case SQLITE_BLOB: {
      const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
      return SqlValue(Blob(data, data + sqlite3_column_bytes(statement_, column)));
    }
    default:
      return SqlValue();
  }
}

}  // namespace db
