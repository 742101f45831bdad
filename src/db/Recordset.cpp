#include "db/Recordset.h"

#include <sqlite3.h>

#include <utility>
#include <strings.h>

#include "db/DbError.h"
#include "db/Statement.h"
#include "db/Transaction.h"

namespace db {
namespace {

CDbError NoCurrentRow(const char* why) { return CDbError(why, sqlite3_errstr(SQLITE_RANGE), SQLITE_RANGE); }

}  // namespace

CRecordset::CRecordset() = default;

CRecordset::~CRecordset() { Release(); }

CRecordset::CRecordset(CRecordset&& other) noexcept { *this = std::move(other); }

CRecordset& CRecordset::operator=(CRecordset&& other) noexcept {
  if (this == &other) return *this;
  Release();
  open_ = std::exchange(other.open_, false);
  position_ = std::exchange(other.position_, 0);
  names_ = std::move(other.names_);
  tables_ = std::move(other.tables_);
  origins_ = std::move(other.origins_);
  rows_ = std::move(other.rows_);
  lock_ = std::exchange(other.lock_, nullptr);
  transactions_ = std::move(other.transactions_);
  return *this;
}

void CRecordset::MoveNext() {
  if (IsEOF()) throw NoCurrentRow("Either BOF or EOF is True, or the current record has been deleted");
  ++position_;
}

void CRecordset::Move(long count) {
  const long target = position_ + count;
  if (target < 0 || target > static_cast<long>(rows_.size()))
    throw NoCurrentRow("Either BOF or EOF is True, or the current record has been deleted");
  position_ = target;
}

const std::string& CRecordset::GetFieldName(int field) const {
  CheckField(field);
  return names_[field];
}

int CRecordset::FindField(const std::string& name) const {
  for (int i = 0; i < GetFieldCount(); ++i)
    if (strcasecmp(names_[i].c_str(), name.c_str()) == 0) return i;
  return -1;
}

const SqlValue& CRecordset::GetValue(int field) const {
  CheckField(field);
  if (IsBOF() || IsEOF()) throw NoCurrentRow("Either BOF or EOF is True, or the current record has been deleted");
  return rows_[position_][field];
}

const SqlValue& CRecordset::GetValue(const std::string& name) const {
  const int field = FindField(name);
  if (field < 0) throw NoCurrentRow(("Item cannot be found in the collection: " + name).c_str());
  return GetValue(field);
}

void CRecordset::Fill(CStatement& statement) {
  Close();
  const int count = statement.ColumnCount();
  for (int i = 0; i < count; ++i) {
    names_.push_back(statement.ColumnName(i));
    tables_.push_back(statement.ColumnTable(i));
    origins_.push_back(statement.ColumnOrigin(i));
  }
  while (statement.Step()) {
    Row row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) row.push_back(statement.Column(i));
    rows_.push_back(std::move(row));
  }
  open_ = count > 0;
}

void CRecordset::Close() {
  open_ = false;
  position_ = 0;
  names_.clear();
  tables_.clear();
  origins_.clear();
  rows_.clear();
}

void CRecordset::HoldLock(platform::RecursiveMutex& lock) {
  Release();
  lock.Lock();
  lock_ = &lock;
}

bool CRecordset::Release() {
  EndTransactions();
  Close();
  if (!lock_) return false;
  std::exchange(lock_, nullptr)->Unlock();
  return true;
}

void CRecordset::PushTransaction(std::unique_ptr<CTransaction> transaction) {
  transactions_.push_back(std::move(transaction));
}

std::unique_ptr<CTransaction> CRecordset::PopTransaction() {
  if (transactions_.empty()) return nullptr;
  auto transaction = std::move(transactions_.back());
  transactions_.pop_back();
  return transaction;
}

void CRecordset::EndTransactions() {
  // Innermost first: each guard rolls back what it did not commit.
  while (!transactions_.empty()) transactions_.pop_back();
}

void CRecordset::CheckField(int field) const {
  if (!open_) throw CDbError("Operation is not allowed when the object is closed", sqlite3_errstr(SQLITE_MISUSE),
                             SQLITE_MISUSE);
  if (field < 0 || field >= GetFieldCount()) throw NoCurrentRow("Item cannot be found in the collection");
}

}  // namespace db
