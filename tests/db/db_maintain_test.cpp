// The connection pool: lending, the lock rules between threads, statements with bound values, MAX and
// MIN, transactions on recordsets and guards, the error log, and start-up failures.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>
#include <regex>
#include <thread>

#include <unistd.h>

#include "BoxLockProbe.h"
#include "PoolFixture.h"
#include "db/DatabaseFile.h"
#include "db/Transaction.h"
#include "platform/AppContext.h"
#include "platform/Shutdown.h"

namespace {

using namespace std::chrono_literals;

const std::string kSeparator = "\\" + std::string(70, '*') + "\\\r\n";

// The records of the error log, each without its closing CR LF.
std::vector<std::string> Records(const std::string& log) {
  std::vector<std::string> records;
  size_t at = 0;
  while ((at = log.find(kSeparator, at)) != std::string::npos) {
    at += kSeparator.size();
    const size_t next = log.find(kSeparator, at);
    const std::string body = log.substr(at, next == std::string::npos ? std::string::npos : next - at);
    records.push_back(body.substr(0, body.size() - 2));
  }
  return records;
}

// Files of the process that are the database file (the pool's open connections).
int OpenDatabaseHandles(const std::filesystem::path& file) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) == file) ++count;
  }
  return count;
}

// Records the order in which the threads of a test reach their steps.
class StepLog {
 public:
  void Note(const std::string& step) {
    std::lock_guard lock(mutex_);
    steps_.push_back(step);
  }
  std::vector<std::string> Steps() {
    std::lock_guard lock(mutex_);
    return steps_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> steps_;
};

// Starts op on another thread and gives it time to reach the lock it must wait for. A late thread
// can only make a test pass that should fail, never the reverse.
std::thread StartOther(StepLog& log, std::function<bool()> op) {
  std::atomic<bool> started{false};
  std::thread other([&log, &started, op = std::move(op)] {
    started = true;
    EXPECT_TRUE(op());
    log.Note("other done");
  });
  while (!started) std::this_thread::yield();
  std::this_thread::sleep_for(100ms);
  return other;
}

class PoolTest : public PoolFixture {
 protected:
  void SetUp() override {
    PoolFixture::SetUp();
    Run("CREATE TABLE t_items (id INTEGER, name TEXT)");
  }
  int Count() { return std::stoi(Column("SELECT COUNT(*) FROM t_items").at(0)); }
};

TEST_F(PoolTest, LendsOneConnectionAndTheSameOneAgainToItsHolder) {
  EXPECT_EQ(pool_->GetPoolSize(), CDB_Maintain::kPoolSize);
  db::CConnection* first = nullptr;
  db::CConnection* again = nullptr;
  ASSERT_TRUE(pool_->GetConnection(first));
  ASSERT_TRUE(pool_->GetConnection(again));
  EXPECT_EQ(first, again);
  EXPECT_EQ(pool_->GetPoolSize(), CDB_Maintain::kPoolSize - 1);
  // Statements of the holder run on its connection instead of waiting for the pool.
  EXPECT_TRUE(pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a')"));

  bool releasedByOther = true;
  std::thread([&] { releasedByOther = pool_->ReleaseConnection(first); }).join();
  EXPECT_FALSE(releasedByOther);

  EXPECT_TRUE(pool_->ReleaseConnection(again));
  EXPECT_TRUE(pool_->ReleaseConnection(first));
  EXPECT_FALSE(pool_->ReleaseConnection(first));
  EXPECT_EQ(pool_->GetPoolSize(), CDB_Maintain::kPoolSize);
}

TEST_F(PoolTest, LentConnectionHoldsOtherThreadsUntilReturned) {
  db::CConnection* connection = nullptr;
  ASSERT_TRUE(pool_->GetConnection(connection));
  StepLog log;
  std::thread other = StartOther(log, [&] { return pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a')"); });
  log.Note("returned");
  pool_->ReleaseConnection(connection);
  other.join();
  EXPECT_EQ(log.Steps(), (std::vector<std::string>{"returned", "other done"}));
}

TEST_F(PoolTest, ClosedConnectionsAreDroppedAndAShortPoolIsRebuilt) {
  // Close the lent connection 41 times: each closed one is dropped when the next is lent, and dropping
  // the 41st leaves 9, so the pool is refilled before the caller gets one.
  for (int i = 0; i < 41; ++i) {
    db::CConnection* connection = nullptr;
    ASSERT_TRUE(pool_->GetConnection(connection));
    connection->Close();
    pool_->ReleaseConnection(connection);
  }
  db::CConnection* connection = nullptr;
  ASSERT_TRUE(pool_->GetConnection(connection));
  EXPECT_TRUE(connection->IsOpen());
  pool_->ReleaseConnection(connection);
  EXPECT_EQ(pool_->GetPoolSize(), CDB_Maintain::kPoolSize);
  EXPECT_TRUE(pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a')"));
}

// The pool's rebuild fails when the file has become unopenable; its box must not keep the locks of the
// operation that ran into it, whichever operation that is.
TEST_F(PoolTest, FailedRebuildIsShownOnlyAfterTheOperationGaveItsLocksBack) {
  const std::string file = platform::DatabaseFilePath();
  const struct {
    const char* name;
    std::function<void()> run;
  } operations[] = {
      {"ExecuteCommand", [&] { EXPECT_FALSE(pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a')")); }},
      {"Execute", [&] {
         db::CRecordset recordset;
         EXPECT_FALSE(pool_->Execute("SELECT 1", recordset));
         pool_->ReleaseRecordset(recordset);
       }},
      {"transaction", [&] { EXPECT_THROW(db::CTransaction transaction(*pool_), db::CDbError); }},
      {"GetConnection", [&] {
         db::CConnection* connection = nullptr;
         EXPECT_FALSE(pool_->GetConnection(connection));
       }},
  };
  for (const auto& operation : operations) {
    SCOPED_TRACE(operation.name);
    if (pool_->GetPoolSize() == 0) {
      ASSERT_TRUE(pool_->Initialize("access", "", file, "", "", 50));
    }
    // Close the lent connection 41 times: the next lend finds 9 open ones and rebuilds the pool.
    for (int i = 0; i < 41; ++i) {
      db::CConnection* connection = nullptr;
      ASSERT_TRUE(pool_->GetConnection(connection));
      connection->Close();
      pool_->ReleaseConnection(connection);
    }
    std::filesystem::rename(file, file + ".kept");
    std::filesystem::create_directory(file);
    {
      BoxLockProbe probe;
      operation.run();
      const auto boxes = probe.Boxes();
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_TRUE(boxes[0].locksWereFree);
      EXPECT_NE(boxes[0].text.find("FileName: db_maintain"), std::string::npos) << boxes[0].text;
    }
    std::filesystem::remove(file);
    std::filesystem::rename(file + ".kept", file);
  }
}

TEST_F(PoolTest, PoolThatCannotReopenLendsNothingAndHoldsNoLock) {
  EXPECT_FALSE(pool_->Initialize("oracle", "server", "", "", "", 50));
  EXPECT_FALSE(pool_->Initialize("access", "", (Dir().Path() / "missing" / "x.db").string(), "", "", 50));
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_TRUE(std::regex_search(boxes_.Texts()[0], std::regex("^DBM- \\d{14} ;\\d+--\\d+ ;Exception__Desc: .+; "
                                                               "Source: SQLite; ErrMsg: .+; FileName: db_maintain; "
                                                               "LineNum: \\d+ \\r\\n$")));
  EXPECT_EQ(pool_->GetPoolSize(), 0);
  db::CConnection* connection = nullptr;
  EXPECT_FALSE(pool_->GetConnection(connection));
  EXPECT_EQ(connection, nullptr);
  // No lock was left behind: another thread fails the same way instead of waiting.
  bool otherResult = true;
  std::thread([&] { otherResult = pool_->ExecuteCommand("DELETE FROM t_items"); }).join();
  EXPECT_FALSE(otherResult);
  EXPECT_EQ(pool_->GetFieldMaxValue("t_items", "id"), -1);
}

struct BlockedOperation {
  const char* name;
  std::function<bool(CDB_Maintain&)> run;
};
void PrintTo(const BlockedOperation& operation, std::ostream* out) { *out << operation.name; }

class LockRuleTest : public PoolTest, public ::testing::WithParamInterface<BlockedOperation> {};

TEST_P(LockRuleTest, OpenRecordsetHoldsOtherThreadsUntilReleased) {
  Run("INSERT INTO t_items VALUES (4, 'a')");
  db::CRecordset recordset;
  ASSERT_TRUE(pool_->Execute("SELECT * FROM t_items", recordset));
  StepLog log;
  std::thread other = StartOther(log, [&] { return GetParam().run(*pool_); });
  log.Note("released");
  EXPECT_TRUE(pool_->ReleaseRecordset(recordset));
  other.join();
  EXPECT_EQ(log.Steps(), (std::vector<std::string>{"released", "other done"}));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, LockRuleTest,
    ::testing::Values(
        BlockedOperation{"Execute",
                         [](CDB_Maintain& pool) {
                           db::CRecordset recordset;
                           return pool.Execute("SELECT id FROM t_items", recordset) && pool.ReleaseRecordset(recordset);
                         }},
        BlockedOperation{"ExecuteCommand",
                         [](CDB_Maintain& pool) { return pool.ExecuteCommand("INSERT INTO t_items VALUES (5, 'b')"); }},
        BlockedOperation{"Max", [](CDB_Maintain& pool) { return pool.GetFieldMaxValue("t_items", "id") == 4; }},
        BlockedOperation{"Min",
                         [](CDB_Maintain& pool) {
                           return pool.GetFieldMinValue("client_connect_ap", "index_polling", "00:11") == 0;
                         }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PoolTest, NestedRecordsetsOnOneThreadWorkAndTheLastReleaseFreesOthers) {
  db::CRecordset outer;
  db::CRecordset inner;
  ASSERT_TRUE(pool_->Execute("SELECT * FROM t_items", outer));
  ASSERT_TRUE(pool_->Execute("SELECT * FROM t_items", inner));
  // The holder itself is never held up by its own recordsets.
  EXPECT_TRUE(pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a')"));
  EXPECT_EQ(pool_->GetFieldMaxValue("t_items", "id"), 1);

  StepLog log;
  std::thread other = StartOther(log, [&] { return pool_->ExecuteCommand("INSERT INTO t_items VALUES (2, 'b')"); });
  log.Note("inner released");
  EXPECT_TRUE(pool_->ReleaseRecordset(inner));
  std::this_thread::sleep_for(100ms);
  log.Note("outer released");
  EXPECT_TRUE(pool_->ReleaseRecordset(outer));
  other.join();
  EXPECT_EQ(log.Steps(), (std::vector<std::string>{"inner released", "outer released", "other done"}));
  EXPECT_EQ(Count(), 2);
}

TEST_F(PoolTest, RecordsetGivesItsLockBackWhenItGoesAway) {
  {
    db::CRecordset recordset;
    ASSERT_TRUE(pool_->Execute("SELECT * FROM t_items", recordset));
  }
  bool otherResult = false;
  std::thread([&] { otherResult = pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a')"); }).join();
  EXPECT_TRUE(otherResult);
}

TEST_F(PoolTest, FailedExecuteStillHoldsTheLockUntilReleasedAndLogsWhatFailed) {
  db::CRecordset recordset;
  EXPECT_FALSE(pool_->Execute("SELECT * FROM t_missing", recordset));
  EXPECT_FALSE(recordset.IsOpen());
  StepLog log;
  std::thread other = StartOther(log, [&] { return pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a')"); });
  log.Note("released");
  EXPECT_TRUE(pool_->ReleaseRecordset(recordset));
  other.join();
  EXPECT_EQ(log.Steps(), (std::vector<std::string>{"released", "other done"}));
  EXPECT_FALSE(pool_->ReleaseRecordset(recordset)) << "a recordset holding nothing releases nothing";

  const auto records = Records(ReadLog());
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0], "db_maintain Execute 205 BeginTrans strExecute : SELECT * FROM t_missing");
  EXPECT_EQ(records[1], "Execute RollbackTrans");
  EXPECT_EQ(records[2], "db_maintain Execute RollbackTrans");
  EXPECT_TRUE(std::regex_match(records[3], std::regex("DBM- \\d{14} ;\\d+--\\d+ ;Exception__Desc: no such table: "
                                                      "t_missing; Source: SQLite; ErrMsg: [^;]+; FileName: db_maintain; "
                                                      "LineNum: \\d+ \\r\\n \\r\\nSELECT \\* FROM t_missing")))
      << records[3];
}

TEST_F(PoolTest, FailedCommandLogsTheStatementAndChangesNothing) {
  EXPECT_FALSE(pool_->ExecuteCommand(""));
  EXPECT_EQ(ReadLog(), "") << "an empty statement fails without a log record";

  // A second statement in one text is refused, so pasted text can never run one of its own.
  EXPECT_FALSE(pool_->ExecuteCommand("INSERT INTO t_items VALUES (1, 'a'); DROP TABLE t_items"));
  EXPECT_EQ(Count(), 0);
  const auto records = Records(ReadLog());
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0], "INSERT INTO t_items VALUES (1, 'a'); DROP TABLE t_items");
  EXPECT_EQ(records[1], "db_maintain Execute 271 RollbackTrans");
  EXPECT_TRUE(std::regex_match(records[2], std::regex("DBM- .*FileName: db_maintain; LineNum: \\d+ \\r\\n\\n"
                                                      "SQL error : INSERT INTO t_items VALUES \\(1, 'a'\\); DROP TABLE t_items")))
      << records[2];
  EXPECT_TRUE(boxes_.Texts().empty()) << "statement errors go to the log, not to the user";
}

TEST_F(PoolTest, ValuesWithQuotesAreStoredAndReadBackUnchanged) {
  const std::string name = "O'Brien's \"AP\"; DROP TABLE t_items; --";
  Run("INSERT INTO t_items VALUES (?, ?)", {1, name});
  EXPECT_EQ(Column("SELECT name FROM t_items WHERE name = ?", {name}), std::vector<std::string>{name});
  // The few statements written as text quote through one function.
  Run("INSERT INTO t_items VALUES (2, " + db::QuoteSql(name) + ")");
  EXPECT_EQ(Column("SELECT COUNT(*) FROM t_items WHERE name = " + db::QuoteSql(name)), std::vector<std::string>{"2"});
  // A bound form with the wrong number of values fails instead of running.
  EXPECT_FALSE(pool_->ExecuteCommand("INSERT INTO t_items VALUES (?, ?)", {3}));
  EXPECT_EQ(Count(), 2);
}

TEST_F(PoolTest, ConnectionsUseWriteAheadLogging) {
  EXPECT_EQ(Column("PRAGMA journal_mode"), std::vector<std::string>{"wal"});
  EXPECT_EQ(Column("PRAGMA busy_timeout"), std::vector<std::string>{"50000"});
}

TEST_F(PoolTest, MaxAndMinEdgeCases) {
  Run("CREATE TABLE t_log (\"index\" INTEGER, note TEXT)");
  EXPECT_EQ(pool_->GetFieldMaxValue("t_log", "index"), 0) << "empty table";
  Run("INSERT INTO t_log VALUES (NULL, 'x')");
  EXPECT_EQ(pool_->GetFieldMaxValue("t_log", "index"), 0) << "NULL maximum";
  Run("INSERT INTO t_log VALUES (7, 'x')");
  Run("INSERT INTO t_log VALUES (3, 'x')");
  EXPECT_EQ(pool_->GetFieldMaxValue("t_log", "index"), 7);
  EXPECT_EQ(ReadLog(), "");

  EXPECT_EQ(pool_->GetFieldMaxValue("", "index"), -1);
  EXPECT_EQ(pool_->GetFieldMaxValue("t_log", ""), -1);
  EXPECT_EQ(pool_->GetFieldMinValue("", "index", "aa"), -1);
  EXPECT_EQ(ReadLog(), "") << "empty names fail without touching the database";

  Run("DELETE FROM client_connect_ap");
  const std::string mac = "00:11:22:33:44:55";
  for (auto [client, index] : {std::pair{mac, 9}, {mac, 5}, {std::string("66:77:88:99:aa:bb"), 2}})
    Run("INSERT INTO client_connect_ap (mac_ap, index_polling, mac_client) VALUES ('ap', ?, ?)", {index, client});
  EXPECT_EQ(pool_->GetFieldMinValue("client_connect_ap", "index_polling", mac), 5);
  EXPECT_EQ(pool_->GetFieldMinValue("client_connect_ap", "index_polling", ""), 0) << "always restricted by the MAC";
  EXPECT_EQ(pool_->GetFieldMinValue("client_connect_ap", "index_polling", "x' OR '1'='1"), 0);
  EXPECT_EQ(pool_->GetFieldMinValue("client_connect_ap", "client_connect_ap.index_polling", mac), 5);

  EXPECT_EQ(pool_->GetFieldMaxValue("t_missing", "index"), -1);
  EXPECT_EQ(pool_->GetFieldMinValue("t_missing", "index", mac), -1);
  EXPECT_EQ(Records(ReadLog()), (std::vector<std::string>{"db_maintain GetFieldMaxValue RollbackTrans",
                                                          "db_maintain GetFieldMaxValue 564 RollbackTrans"}));
}

TEST_F(PoolTest, RecordsetTransactionsCommitOrRollBackTheCommandsRunMeanwhile) {
  db::CRecordset recordset;
  ASSERT_TRUE(pool_->Execute("SELECT * FROM t_items", recordset));
  pool_->BeginTransact(recordset);
  Run("INSERT INTO t_items VALUES (1, 'gone')");
  EXPECT_EQ(Count(), 1) << "the thread sees its own uncommitted row";
  EXPECT_TRUE(pool_->RollBackTransact(recordset));
  EXPECT_EQ(Count(), 0);

  pool_->BeginTransact(recordset);
  Run("INSERT INTO t_items VALUES (2, 'kept')");
  EXPECT_TRUE(pool_->CommitTransact(recordset));
  EXPECT_FALSE(pool_->CommitTransact(recordset)) << "nothing left to commit";
  EXPECT_FALSE(pool_->RollBackTransact(recordset));

  // A recordset released with its transaction open rolls it back.
  pool_->BeginTransact(recordset);
  Run("INSERT INTO t_items VALUES (3, 'gone')");
  EXPECT_TRUE(pool_->ReleaseRecordset(recordset));
  EXPECT_EQ(Column("SELECT name FROM t_items"), std::vector<std::string>{"kept"});
  EXPECT_EQ(Records(ReadLog()), (std::vector<std::string>{"CommitTransact faild", "RollBackTransact error"}));
}

TEST_F(PoolTest, TransactionGuardsRollBackUnlessCommittedAndNestAsSavepoints) {
  {
    db::CTransaction outer(*pool_);
    Run("INSERT INTO t_items VALUES (1, 'outer')");
    {
      db::CTransaction inner(*pool_);
      EXPECT_EQ(&inner.Connection(), &outer.Connection());
      Run("INSERT INTO t_items VALUES (2, 'inner, rolled back')");
    }
    {
      db::CTransaction inner(*pool_);
      Run("INSERT INTO t_items VALUES (3, 'inner, committed')");
      inner.Commit();
    }
    outer.Commit();
  }
  EXPECT_EQ(Column("SELECT id FROM t_items ORDER BY id"), (std::vector<std::string>{"1", "3"}));
  {
    db::CTransaction outer(*pool_);
    {
      db::CTransaction inner(*pool_);
      Run("INSERT INTO t_items VALUES (4, 'undone with the outer one')");
      inner.Commit();
    }
  }
  EXPECT_EQ(Count(), 2);
  // A failing statement inside a guard fails alone; the guard decides about the rest.
  {
    db::CTransaction transaction(*pool_);
    Run("INSERT INTO t_items VALUES (5, 'kept')");
    EXPECT_FALSE(pool_->ExecuteCommand("INSERT INTO t_missing VALUES (1)"));
    transaction.Commit();
  }
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(pool_->GetPoolSize(), CDB_Maintain::kPoolSize) << "every guard gave its connection back";
}

TEST_F(PoolTest, ClosedRecordsetHelpers) {
  db::CRecordset recordset;
  EXPECT_FALSE(pool_->Execute("DELETE FROM t_items", recordset)) << "a statement without rows opens nothing";
  EXPECT_TRUE(CDB_Maintain::IsRecordsetEmpty(recordset));
  EXPECT_EQ(CDB_Maintain::GetFieldCount(recordset), -1);
  EXPECT_EQ(CDB_Maintain::GetRecordCount(recordset), -1);
  EXPECT_TRUE(pool_->ReleaseRecordset(recordset));

  Run("INSERT INTO t_items VALUES (1, 'a')");
  Run("INSERT INTO t_items VALUES (2, NULL)");
  ASSERT_TRUE(pool_->Execute("SELECT id, name FROM t_items ORDER BY id", recordset));
  EXPECT_FALSE(CDB_Maintain::IsRecordsetEmpty(recordset));
  EXPECT_EQ(CDB_Maintain::GetFieldCount(recordset), 2);
  EXPECT_EQ(CDB_Maintain::GetRecordCount(recordset), 2);
  recordset.MoveNext();
  EXPECT_EQ(recordset.GetText("NAME"), "");
  EXPECT_EQ(recordset.GetValue("id").AsInteger(), 2);
  recordset.MoveNext();
  EXPECT_TRUE(recordset.IsEOF());
  EXPECT_THROW(recordset.GetValue(0), db::CDbError);
  EXPECT_TRUE(pool_->ReleaseRecordset(recordset));

  EXPECT_TRUE(pool_->BeginAccess());
  EXPECT_TRUE(pool_->EndAccess());
  EXPECT_TRUE(pool_->SetServer("server"));
}

TEST_F(PoolTest, ExceptionLogRecordsAreAppendedInTheCurrentDirectory) {
  EXPECT_TRUE(pool_->WriteExceptionLog(""));
  EXPECT_FALSE(std::filesystem::exists(Dir().Path() / "Exception_log.txt"));
  EXPECT_TRUE(pool_->WriteExceptionLog("first"));
  EXPECT_TRUE(pool_->WriteExceptionLog("two\r\nlines"));
  EXPECT_EQ(ReadLog(), kSeparator + "first\r\n" + kSeparator + "two\r\nlines\r\n");
  // A record is cut, never split inside a character; device texts are cut shorter when quoted.
  std::filesystem::remove(Dir().Path() / "Exception_log.txt");
  EXPECT_TRUE(pool_->WriteExceptionLog(std::string(4095, 'x') + "\xC3\xA9" + std::string(60000, 'y')));
  EXPECT_EQ(ReadLog(), kSeparator + std::string(4095, 'x') + "\xC3\xA9\r\n");
  EXPECT_EQ(DeviceTextForLog(std::string(149, 'm') + "\xC3\xA9" + "tail"), std::string(149, 'm') + "\xC3\xA9");
  EXPECT_EQ(DeviceTextForLog("02:66:00:00:00:01"), "02:66:00:00:00:01");

  std::filesystem::create_directory(Dir().Path() / "elsewhere");
  std::filesystem::current_path(Dir().Path() / "elsewhere");
  EXPECT_TRUE(pool_->WriteExceptionLog("moved"));
  EXPECT_TRUE(std::filesystem::exists(Dir().Path() / "elsewhere" / "Exception_log.txt"));
}

TEST_F(PoolTest, ShutdownClosesThePoolAndALaterCallOpensANewOne) {
  const auto file = std::filesystem::canonical(Dir().Path() / "Database.mdb");
  EXPECT_EQ(OpenDatabaseHandles(file), CDB_Maintain::kPoolSize);
  platform::RunShutdown();
  EXPECT_EQ(OpenDatabaseHandles(file), 0);
  pool_ = GetDBMaintain();
  EXPECT_EQ(pool_->GetPoolSize(), CDB_Maintain::kPoolSize);
  EXPECT_EQ(Count(), 0);
}

TEST_F(PoolTest, SingletonIsCreatedOnceWhenManyThreadsAskAtOnce) {
  DeleteDBMaintain();
  std::vector<CDB_Maintain*> seen(8);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&seen, i] { seen[i] = GetDBMaintain(); });
  for (auto& thread : threads) thread.join();
  for (CDB_Maintain* pool : seen) EXPECT_EQ(pool, seen.front());
  pool_ = seen.front();
  EXPECT_EQ(pool_->GetPoolSize(), CDB_Maintain::kPoolSize);
}

TEST(PoolPathTest, BareDatabasePathOpensTheFileInTheCurrentDirectory) {
  testing_support::TempDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  platform::SetStartDirectory("");
  ASSERT_EQ(platform::GetDatabasePath(), "/Database.mdb");
  EXPECT_TRUE(GetDBMaintain()->ExecuteCommand("CREATE TABLE t_here (a)"));
  DeleteDBMaintain();
  std::filesystem::current_path(previous);
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "Database.mdb"));
}

struct StartFailure {
  const char* name;
  std::function<std::string(const std::filesystem::path&)> prepare;  // gives the start directory
  const char* box = "BOX<.+>";
  bool asUnprivilegedUser = false;  // root may write any file
};
void PrintTo(const StartFailure& failure, std::ostream* out) { *out << failure.name; }

class PoolStartDeathTest : public ::testing::TestWithParam<StartFailure> {};

TEST_P(PoolStartDeathTest, ShowsTheMessageThenEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testing_support::TempDir dir;
  const std::string start = GetParam().prepare(dir.Path());
  EXPECT_EXIT(
      {
        if (GetParam().asUnprivilegedUser && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
          std::exit(2);
        platform::SetStartDirectory(start);
        platform::SetMessageBoxHandler([](const std::string& text, const std::string&, unsigned) {
          std::fprintf(stderr, "BOX<%s>\n", text.c_str());
          return platform::IDOK;
        });
        GetDBMaintain();
      },
      ::testing::ExitedWithCode(1), GetParam().box);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, PoolStartDeathTest,
    ::testing::Values(StartFailure{"MissingFolder", [](const std::filesystem::path& dir) { return (dir / "no" / "such").string(); }},
                      StartFailure{"NotADatabase",
                                   [](const std::filesystem::path& dir) {
                                     std::ofstream(dir / "Database.mdb") << "plain text, not a database\n";
                                     return dir.string();
                                   }},
                      StartFailure{"ReadOnlyFile",
                                   [](const std::filesystem::path& dir) {
                                     std::string error;
                                     EXPECT_TRUE(db::PrepareDatabaseFile((dir / "Database.mdb").string(), error));
                                     std::filesystem::permissions(dir / "Database.mdb", std::filesystem::perms::owner_read |
                                                                                            std::filesystem::perms::others_read);
                                     std::filesystem::permissions(dir, std::filesystem::perms::all);
                                     return dir.string();
                                   },
                                   "BOX<The database file .*Database.mdb cannot be written: .+>", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
