#include "db/db_maintain.h"

#include <sqlite3.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <utility>

#include "db/DatabaseFile.h"
#include "db/DbErrorBox.h"
#include "db/SchemaUpgrade.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/AppContext.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"
#include "platform/Shutdown.h"
#include "platform/Utf8Text.h"

using db::CDbError;

namespace {

const char kFileName[] = "db_maintain";
const char kProviderKind[] = "access";
const char kLogFileName[] = "Exception_log.txt";

// Never destroyed: the process may end (a pool that cannot open) while it is held.
std::mutex& CreationMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}
std::atomic<CDB_Maintain*> g_instance{nullptr};

int ToInteger(const db::SqlValue& value) {
  switch (value.GetKind()) {
    case db::SqlValue::Kind::Integer:
      return static_cast<int>(value.AsInteger());
    case db::SqlValue::Kind::Real:
      return static_cast<int>(std::trunc(value.AsReal()));
    case db::SqlValue::Kind::Text:
      return static_cast<int>(std::strtol(value.AsText().c_str(), nullptr, 10));
    default:
      return 0;
  }
}

}  // namespace

CDB_Maintain::CDB_Maintain() : kind_(kProviderKind) {
  const std::string file = platform::DatabaseFilePath();
  std::string error;
  if (!db::PrepareDatabaseFile(file, error)) {
    platform::MessageBox(error, {}, platform::MB_OK | platform::MB_ICONERROR);
    std::exit(1);
  }
  // Initialize has shown the error when it fails; the program cannot run without its database.
  if (!Initialize(kind_, "", file, "", "", kConnectionTimeout)) std::exit(1);
}

CDB_Maintain::~CDB_Maintain() {
  LockAll();
  pool_.clear();
  lent_.reset();
  UnlockAll();
}

bool CDB_Maintain::Initialize(const std::string& kind, const std::string&, const std::string& file,
                              const std::string&, const std::string&, int timeout) {
  // Only the database file is known here; the server kinds of other engines open nothing.
  if (kind != kProviderKind) return false;
  if (const auto error = OpenConnections(file, timeout)) {
    ShowComError(*error);
    return false;
  }
  return !pool_.empty();
}

std::optional<CDbError> CDB_Maintain::OpenConnections(const std::string& file, int timeout) {
  int opened = 0;
  try {
    for (int attempts = 0; opened < kPoolSize && attempts < kOpenAttempts; ++attempts) {
      auto connection = std::make_unique<db::CConnection>();
      connection->Open(file, timeout);
      if (opened == 0) db::AddMissingColumns(*connection);
      pool_.push_back(std::move(connection));
      ++opened;
    }
  } catch (const CDbError& error) {
    pool_.clear();
    return error;
  }
  return std::nullopt;
}

// The lent connection for one statement under the pool lock, with the transaction lock taken together
// with it when asked; given back on every path. The pool lock is taken once: the connection is lent
// without locking it a second time.
class CDB_Maintain::CLease {
 public:
  enum class Locks { Pool, Both };

  CLease(CDB_Maintain& pool, Locks locks) : pool_(pool), both_(locks == Locks::Both) {
    if (both_)
      pool_.LockAll();
    else
      pool_.connectPoolMutex_.Lock();
    connection_ = pool_.Lend();
    if (connection_) return;
    Unlock();
    throw CDbError("No connection is available", sqlite3_errstr(SQLITE_CANTOPEN), SQLITE_CANTOPEN);
  }
  ~CLease() {
    pool_.GiveBack();
    Unlock();
  }
  CLease(const CLease&) = delete;
  CLease& operator=(const CLease&) = delete;

  db::CConnection& Connection() { return *connection_; }

 private:
  void Unlock() {
    if (both_)
      pool_.UnlockAll();
    else
      pool_.connectPoolMutex_.Unlock();
  }

  CDB_Maintain& pool_;
  const bool both_;
  db::CConnection* connection_;
};

bool CDB_Maintain::GetConnection(db::CConnection*& connection) {
  connectPoolMutex_.Lock();
  connection = Lend();
  if (connection) return true;
  connectPoolMutex_.Unlock();
  ShowRebuildError();
  return false;
}

bool CDB_Maintain::ReleaseConnection(db::CConnection* connection) {
  // Fails at once for a thread that holds no lend, rather than unlocking what it does not own.
  if (!connectPoolMutex_.TryLock()) return false;
  const bool lentHere = lendDepth_ > 0 && connection == lent_.get();
  if (lentHere) GiveBack();
  connectPoolMutex_.Unlock();
  if (lentHere) connectPoolMutex_.Unlock();
  return lentHere;
}

db::CConnection* CDB_Maintain::Lend() {
  if (lendDepth_ > 0) {
    // Only the thread holding the lend can be here: it gets its own connection again.
    ++lendDepth_;
    return lent_.get();
  }
  while (!pool_.empty() && !pool_.front()->IsOpen()) {
    pool_.pop_front();
    if (static_cast<int>(pool_.size()) < kRebuildThreshold) {
      pool_.clear();
      kind_ = kProviderKind;
      if (auto error = OpenConnections(platform::DatabaseFilePath(), kConnectionTimeout)) {
        std::lock_guard lock(rebuildErrorMutex_);
        rebuildError_ = std::move(error);
        hasRebuildError_ = true;
      }
    }
  }
  if (pool_.empty()) return nullptr;
  lent_ = std::move(pool_.front());
  pool_.pop_front();
  lendDepth_ = 1;
  return lent_.get();
}

void CDB_Maintain::ShowRebuildError() {
  if (!hasRebuildError_.load(std::memory_order_relaxed)) return;
  std::optional<CDbError> error;
  {
    std::lock_guard lock(rebuildErrorMutex_);
    error = std::exchange(rebuildError_, std::nullopt);
    hasRebuildError_ = false;
  }
  if (error) ShowComError(*error);
}

void CDB_Maintain::GiveBack() {
  // Back at the front: the connection used last is lent next, with its page and statement caches warm.
  // Taking the longest idle one instead would make every statement rebuild a cold connection's cache.
  if (--lendDepth_ == 0) pool_.push_front(std::move(lent_));
}

bool CDB_Maintain::Execute(const std::string& statement, db::CRecordset& recordset) {
  return Execute(statement, std::span<const db::SqlValue>(), recordset);
}

bool CDB_Maintain::Execute(const std::string& statement, std::span<const db::SqlValue> params,
                          db::CRecordset& recordset) {
  recordset.HoldLock(databaseTransaction_);
  try {
    CLease lease(*this, CLease::Locks::Pool);
    db::CStatement query(lease.Connection(), statement);
    query.Bind(params);
    recordset.Fill(query);
    return recordset.IsOpen();
  } catch (const CDbError& error) {
    recordset.Close();
    WriteExceptionLog("db_maintain Execute 205 BeginTrans strExecute : " + statement);
    WriteExceptionLog("Execute RollbackTrans");
    WriteExceptionLog("db_maintain Execute RollbackTrans");
    const std::string text = db::FormatDbmText(error, kFileName, __LINE__) + " \r\n" + statement;
    DebugTrace("%s", text.c_str());
    WriteExceptionLog(text);
    return false;
  }
}

bool CDB_Maintain::ReleaseRecordset(db::CRecordset& recordset) {
  const bool released = recordset.Release();
  ShowRebuildError();
  return released;
}

bool CDB_Maintain::ExecuteCommand(const std::string& statement, std::span<const db::SqlValue> params) {
  if (statement.empty()) return false;
  std::string failure;
  try {
    CLease lease(*this, CLease::Locks::Both);
    db::CStatement command(lease.Connection(), statement);
    command.Bind(params);
    command.Run();
  } catch (const CDbError& error) {
    failure = db::FormatDbmText(error, kFileName, __LINE__) + "\nSQL error : " + statement;
  }
  ShowRebuildError();
  if (failure.empty()) return true;
  WriteExceptionLog(statement);
  WriteExceptionLog("db_maintain Execute 271 RollbackTrans");
  DebugTrace("%s", failure.c_str());
  WriteExceptionLog(failure);
  return false;
}

int CDB_Maintain::GetFieldMaxValue(const std::string& table, const std::string& field) {
  if (table.empty() || field.empty()) return -1;
  return ExtremeValue("SELECT MAX(" + db::QuoteName(field) + ") FROM " + db::QuoteName(table), {},
                      "db_maintain GetFieldMaxValue RollbackTrans");
}

int CDB_Maintain::GetFieldMinValue(const std::string& table, const std::string& field, const std::string& clientMac) {
  if (table.empty() || field.empty()) return -1;
  return ExtremeValue("SELECT MIN(" + db::QuoteName(field) + ") FROM " + db::QuoteName(table) +
                          " WHERE client_connect_ap.mac_client = ?",
                      {clientMac}, "db_maintain GetFieldMaxValue 564 RollbackTrans");
}

int CDB_Maintain::ExtremeValue(const std::string& statement, std::initializer_list<db::SqlValue> params,
                               const char* errorLog) {
  int result = 0;
  bool failed = false;
  try {
    CLease lease(*this, CLease::Locks::Both);
    db::CStatement query(lease.Connection(), statement);
    query.Bind(std::span(params));
    if (query.Step()) result = ToInteger(query.Column(0));
  } catch (const CDbError&) {
    failed = true;
  }
  ShowRebuildError();
  if (!failed) return result;
  WriteExceptionLog(errorLog);
  return -1;
}

bool CDB_Maintain::BeginTransact(db::CRecordset& recordset) { return !BeginTransactOrError(recordset); }

std::optional<CDbError> CDB_Maintain::BeginTransactOrError(db::CRecordset& recordset) {
  try {
    recordset.PushTransaction(std::make_unique<db::CTransaction>(*this));
    return std::nullopt;
  } catch (const CDbError& error) {
    WriteExceptionLog("BeginTransact faild");
    DebugTrace("BeginTransact error");
    return error;
  }
}

bool CDB_Maintain::CommitTransact(db::CRecordset& recordset) {
  // A transaction that cannot commit is rolled back when its guard goes.
  const auto transaction = recordset.PopTransaction();
  try {
    if (!transaction) throw CDbError("No transaction is open", "misuse");
    transaction->Commit();
    return true;
  } catch (const CDbError&) {
    WriteExceptionLog("CommitTransact faild");
    DebugTrace("CommitTransact error");
    return false;
  }
}

bool CDB_Maintain::RollBackTransact(db::CRecordset& recordset) {
  const auto transaction = recordset.PopTransaction();
  try {
    if (!transaction) throw CDbError("No transaction is open", "misuse");
    transaction->Rollback();
    return true;
  } catch (const CDbError&) {
    WriteExceptionLog("RollBackTransact error");
    DebugTrace("RollBackTransact error");
    return false;
  }
}

bool CDB_Maintain::IsRecordsetEmpty(const db::CRecordset& recordset) {
  return !recordset.IsOpen() || (recordset.IsBOF() && recordset.IsEOF());
}

void CDB_Maintain::ShowComError(const CDbError& error, std::source_location where) {
  db::ShowDbErrorBox(error, db::FormatDbmText(error, kFileName, static_cast<int>(where.line())));
}

bool CDB_Maintain::WriteExceptionLog(const std::string& text) {
  if (text.empty()) return true;
  static std::mutex fileMutex;
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  const std::string record = "\\" + std::string(70, '*') + "\\\r\n" +
                             platform::FirstCharacters(text, kMaxExceptionRecordCharacters) + "\r\n";
  std::lock_guard lock(fileMutex);
  // A log that cannot be opened loses the record; there is nowhere else to report it.
  if (FILE* file = std::fopen((folder / kLogFileName).c_str(), "ab")) {
    std::fwrite(record.data(), 1, record.size(), file);
    std::fclose(file);
  }
  return true;
}

std::string DeviceTextForLog(const std::string& text) {
  constexpr std::size_t kMaxDeviceTextCharacters = 150;
  return platform::FirstCharacters(text, kMaxDeviceTextCharacters);
}

int CDB_Maintain::GetFieldCount(const db::CRecordset& recordset) {
  return recordset.IsOpen() ? recordset.GetFieldCount() : -1;
}

int CDB_Maintain::GetPoolSize() {
  std::lock_guard lock(connectPoolMutex_);
  return static_cast<int>(pool_.size());
}

long CDB_Maintain::GetRecordCount(const db::CRecordset& recordset) {
  return recordset.IsOpen() ? static_cast<long>(recordset.Rows().size()) : -1;
}

bool CDB_Maintain::SetServer(const std::string& server) {
  server_ = server;
  return true;
}

void CDB_Maintain::LockAll() { platform::LockBoth(connectPoolMutex_, databaseTransaction_); }

void CDB_Maintain::UnlockAll() { platform::UnlockBoth(connectPoolMutex_, databaseTransaction_); }

CDB_Maintain* GetDBMaintain() {
  if (CDB_Maintain* instance = g_instance.load(std::memory_order_acquire)) return instance;
  std::lock_guard lock(CreationMutex());
  if (!g_instance.load(std::memory_order_relaxed)) {
    g_instance.store(new CDB_Maintain, std::memory_order_release);
    platform::RegisterShutdown(platform::ShutdownStage::ConnectionPool, DeleteDBMaintain);
  }
  return g_instance.load(std::memory_order_relaxed);
}

void DeleteDBMaintain() {
  std::lock_guard lock(CreationMutex());
  delete g_instance.exchange(nullptr);
}
