#pragma once
// The rows a statement returned, read when it ran, with a cursor over them. A recordset opened by
// CDB_Maintain::Execute holds the "DatabaseTransaction" lock until it is released (ReleaseRecordset or
// its destructor), so no path can keep the lock or give back one it never took. Transactions begun on
// it (CDB_Maintain::BeginTransact) end with it, rolled back unless committed. It must be released on
// the thread that opened it.
#include <memory>
#include <string>
#include <vector>

#include "db/SqlValue.h"
#include "platform/Sync.h"

namespace db {

class CStatement;
class CTransaction;

class CRecordset {
 public:
  using Row = std::vector<SqlValue>;

  CRecordset();
  ~CRecordset();
  CRecordset(CRecordset&& other) noexcept;
  CRecordset& operator=(CRecordset&& other) noexcept;
  CRecordset(const CRecordset&) = delete;
  CRecordset& operator=(const CRecordset&) = delete;

  // Open when the statement returned columns; a statement without a result leaves it closed.
  bool IsOpen() const { return open_; }
  bool IsBOF() const { return position_ < 0 || rows_.empty(); }
  bool IsEOF() const { return position_ >= static_cast<long>(rows_.size()); }
  void MoveFirst() { position_ = 0; }
  void MoveNext();
  // Moves by count rows from the current one.
  void Move(long count);
  long Position() const { return position_; }

  int GetFieldCount() const { return static_cast<int>(names_.size()); }
  const std::string& GetFieldName(int field) const;
  // The position of a field by name (case-insensitive), -1 when there is none.
  int FindField(const std::string& name) const;
  // The value in the current row. Throws CDbError at BOF or EOF, on a closed recordset or a bad field.
  const SqlValue& GetValue(int field) const;
  const SqlValue& GetValue(const std::string& name) const;
  std::string GetText(int field) const { return ValueToText(GetValue(field)); }
  std::string GetText(const std::string& name) const { return ValueToText(GetValue(name)); }

  const std::vector<Row>& Rows() const { return rows_; }
  // The table and column each field was read from (empty for expressions), for locating a row.
  const std::vector<std::string>& FieldTables() const { return tables_; }
  const std::vector<std::string>& FieldOrigins() const { return origins_; }

  // Reads every row of a statement that has just been bound; the cursor stands on the first row.
  void Fill(CStatement& statement);
  // Drops the rows; the lock and any transaction stay.
  void Close();

  // For CDB_Maintain: the lock the recordset holds until released.
  void HoldLock(platform::RecursiveMutex& lock);
  // Ends the open transactions (rolled back), gives back the lock and closes. False when the
  // recordset held no lock.
  bool Release();
  void PushTransaction(std::unique_ptr<CTransaction> transaction);
  std::unique_ptr<CTransaction> PopTransaction();
  bool InTransaction() const { return !transactions_.empty(); }

 private:
  void EndTransactions();
  void CheckField(int field) const;

  bool open_ = false;
  long position_ = 0;
  std::vector<std::string> names_;
  std::vector<std::string> tables_;
  std::vector<std::string> origins_;
  std::vector<Row> rows_;
  platform::RecursiveMutex* lock_ = nullptr;
  std::vector<std::unique_ptr<CTransaction>> transactions_;
};

}  // namespace db
