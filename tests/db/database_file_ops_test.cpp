// The database file as a whole: backup, the check of a file offered for restore, restore, and the clear.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "PoolFixture.h"
#include "db/AccessDatabase.h"
#include "db/DatabaseCleared.h"
#include "db/DbAccessBase.h"
#include "db/Transaction.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "support/LocalTime.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A connection of the test's own to a database file, outside the pool.
class RawDatabase {
 public:
  explicit RawDatabase(const std::string& path) {
    if (sqlite3_open(path.c_str(), &handle_) != SQLITE_OK) ADD_FAILURE() << "cannot open " << path;
    sqlite3_busy_timeout(handle_, 10000);
  }
  ~RawDatabase() { sqlite3_close(handle_); }
  RawDatabase(const RawDatabase&) = delete;
  RawDatabase& operator=(const RawDatabase&) = delete;

  bool Exec(const std::string& sql) {
    return sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  std::string Text(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    std::string text;
    if (sqlite3_prepare_v2(handle_, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
      text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return text;
  }

 private:
  sqlite3* handle_ = nullptr;
};

class DatabaseFileTest : public PoolFixture {
 protected:
  ~DatabaseFileTest() override { platform::UnpinClock(); }

  std::string Backup() {
    std::string folder = backups_.Path().string();
    EXPECT_TRUE(pool_->BackupDatabase(folder));
    return folder;
  }
  std::string Live() const { return platform::DatabaseFilePath(); }
  std::string Count(const std::string& table) { return database_.Value("SELECT COUNT(*) FROM " + table); }

  testing_support::TempDir backups_;
};

// A writer outside the pool commits two rows at a time while the backup runs: a consistent copy holds
// whole transactions only, so its row count is even.
TEST_F(DatabaseFileTest, BackupIsAConsistentDatedCopyWhileAnotherConnectionWrites) {
  testing_support::PinLocalTime(2009, 3, 5, 14, 7, 9);
  std::atomic<bool> stop{false};
  std::atomic<int> committed{0};
  std::thread writer([&] {
    RawDatabase raw(Live());
    for (int i = 0; !stop; ++i) {
      const std::string row = "('w" + std::to_string(i) + "')";
      if (raw.Exec("BEGIN IMMEDIATE; INSERT INTO trap (trap_des) VALUES " + row +
                   "; INSERT INTO trap (trap_des) VALUES " + row + "; COMMIT;"))
        ++committed;
    }
  });
  while (committed < 20) std::this_thread::yield();
  CDbAccessBase manager;
  std::string folder = backups_.Path().string();
  const bool copied = manager.BackupDatabase(folder);
  stop = true;
  writer.join();

  ASSERT_TRUE(copied);
  EXPECT_EQ(folder, (backups_.Path() / "Database_20090305_140709.mdb").string());
  RawDatabase copy(folder);
  EXPECT_EQ(copy.Text("PRAGMA integrity_check"), "ok");
  const int rows = std::stoi(copy.Text("SELECT COUNT(*) FROM trap"));
  EXPECT_GE(rows, 40);
  EXPECT_EQ(rows % 2, 0);
  EXPECT_TRUE(CDB_Maintain::CheckDatabaseFile(folder));
  // No temporary file of the copy is left in the folder.
  for (const auto& entry : fs::directory_iterator(backups_.Path()))
    EXPECT_TRUE(entry.path().filename().string().starts_with("Database_")) << entry.path();
}

TEST_F(DatabaseFileTest, SecondBackupInTheSameSecondFailsAndTheDatabaseStaysUsable) {
  testing_support::PinLocalTime(2020, 1, 2, 3, 4, 5);
  const std::string first = Backup();
  const std::string before = ReadBytes(first);
  Run("INSERT INTO trap (trap_des) VALUES ('after the first copy')");

  std::string folder = backups_.Path().string();
  EXPECT_FALSE(pool_->BackupDatabase(folder));
  EXPECT_EQ(folder, first);
  EXPECT_EQ(ReadBytes(first), before) << "the first copy must not be overwritten";
  std::string empty;
  EXPECT_FALSE(pool_->BackupDatabase(empty));
  EXPECT_TRUE(empty.empty());
  std::string missing = (backups_.Path() / "no such folder").string();
  EXPECT_FALSE(pool_->BackupDatabase(missing));

  EXPECT_EQ(Count("trap"), "1");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(DatabaseFileTest, CheckAcceptsOnlyUndamagedDatabasesOfThisProgram) {
  const std::string good = Backup();
  const std::string text = (backups_.Path() / "notes.mdb").string();
  std::ofstream(text) << "SQLite format 3 is not enough\n";
  const std::string foreign = (backups_.Path() / "foreign.mdb").string();
  RawDatabase(foreign).Exec("CREATE TABLE other (a TEXT); INSERT INTO other VALUES ('x')");
  const std::string withoutPrevious = (backups_.Path() / "without.mdb").string();
  fs::copy_file(good, withoutPrevious);
  RawDatabase(withoutPrevious).Exec("DROP TABLE device_list_prev");
  const std::string truncated = (backups_.Path() / "truncated.mdb").string();
  fs::copy_file(good, truncated);
  fs::resize_file(truncated, fs::file_size(truncated) / 2);

  const struct {
    std::string path;
    bool accepted;
  } cases[] = {{good, true},
               {text, false},
               {foreign, false},
               {withoutPrevious, false},
               {truncated, false},
               {(backups_.Path() / "missing.mdb").string(), false},
               {backups_.Path().string(), false}};
  for (const auto& c : cases) EXPECT_EQ(CDB_Maintain::CheckDatabaseFile(c.path), c.accepted) << c.path;
  EXPECT_TRUE(boxes_.Texts().empty()) << "the check is silent";
  // The check leaves no companion files behind.
  EXPECT_FALSE(fs::exists(text + "-wal"));
  EXPECT_FALSE(fs::exists(foreign + "-shm"));
}

TEST_F(DatabaseFileTest, RestoreOfABackupReplacesTheDatabaseAfterConfirmation) {
  const std::string backup = Backup();
  Run("INSERT INTO trap (trap_des) VALUES ('made after the backup')");
  boxes_.ScriptAnswers({platform::IDOK});

  CDbAccessBase manager;
  EXPECT_TRUE(manager.RestoreDatabase(backup));
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, "the file already exists , do you replace it");
  EXPECT_EQ(boxes_.Boxes()[0].caption, "RestoreDatabase");
  EXPECT_EQ(boxes_.Boxes()[0].style & 0xF, platform::MB_OKCANCEL);
  // The pool works on the restored file.
  EXPECT_EQ(Count("trap"), "0");
  Run("INSERT INTO trap (trap_des) VALUES ('after the restore')");
  EXPECT_EQ(Count("trap"), "1");
  // No temporary file stays beside the database.
  for (const auto& entry : fs::directory_iterator(fs::path(Live()).parent_path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".Database-")) << entry.path();
}

TEST_F(DatabaseFileTest, RefusedOrCancelledRestoreLeavesTheDatabaseByteIdentical) {
  const std::string backup = Backup();
  const std::string text = (backups_.Path() / "notes.mdb").string();
  std::ofstream(text) << "just text\n";
  const std::string foreign = (backups_.Path() / "foreign.mdb").string();
  RawDatabase(foreign).Exec("CREATE TABLE other (a TEXT)");
  Run("INSERT INTO trap (trap_des) VALUES ('live row')");
  const auto filesBefore = std::distance(fs::directory_iterator(Dir().Path()), fs::directory_iterator());

  const struct {
    std::string path;
    int answer;
    size_t boxes;
  } cases[] = {{text, platform::IDOK, 0},
               {foreign, platform::IDOK, 0},
               {backup, platform::IDCANCEL, 1},
               {"", platform::IDOK, 0}};
  for (const auto& c : cases) {
    boxes_.ScriptAnswers({c.answer});
    const size_t boxesBefore = boxes_.Boxes().size();
    const std::string before = ReadBytes(Live());
    EXPECT_FALSE(pool_->RestoreDatabase(c.path)) << c.path;
    EXPECT_EQ(ReadBytes(Live()), before) << c.path;
    EXPECT_EQ(boxes_.Boxes().size() - boxesBefore, c.boxes) << c.path;
    EXPECT_EQ(Count("trap"), "1") << c.path;
  }
  // Cancel writes no copy anywhere.
  EXPECT_EQ(std::distance(fs::directory_iterator(Dir().Path()), fs::directory_iterator()), filesBefore);
}

TEST_F(DatabaseFileTest, RestoreOfTheDatabaseOntoItselfAsksNothing) {
  Run("INSERT INTO trap (trap_des) VALUES ('stays')");
  EXPECT_TRUE(pool_->RestoreDatabase(Live()));
  EXPECT_TRUE(boxes_.Boxes().empty());
  EXPECT_EQ(Count("trap"), "1");
}

// A connection outside the pool keeps the write-ahead log open: renaming a file under it would lose its
// changes, so the restore says so with its error number and keeps the database.
TEST_F(DatabaseFileTest, RestoreThatCannotReplaceTheFileSaysSoAndKeepsTheDatabase) {
  const std::string backup = Backup();
  Run("INSERT INTO trap (trap_des) VALUES ('kept')");
  RawDatabase outside(Live());
  ASSERT_EQ(outside.Text("SELECT COUNT(*) FROM trap"), "1");
  boxes_.ScriptAnswers({platform::IDOK});

  EXPECT_FALSE(pool_->RestoreDatabase(backup));
  ASSERT_EQ(boxes_.Texts().size(), 2u);
  EXPECT_EQ(boxes_.Texts()[1], "Restore database error number is : 16");
  EXPECT_EQ(Count("trap"), "1");
  Run("INSERT INTO trap (trap_des) VALUES ('pool open again')");
  EXPECT_EQ(Count("trap"), "2");
}

TEST_F(DatabaseFileTest, ClearEmptiesAllButTheKeptTablesWhileTheMonitorWrites) {
  g_bDatabaseCleared = false;
  std::vector<std::string> logged;
  const auto previous = CAccessDatabase::SetActionLogWriter([&](const std::string& text) { logged.push_back(text); });
  Run("INSERT INTO location (location) VALUES ('hall')");
  Run("INSERT INTO device_list (mac) VALUES ('00:11:22:33:44:55')");
  Run("CREATE TABLE \"~TMP kept\" (a TEXT)");
  Run("INSERT INTO \"~TMP kept\" VALUES ('x')");
  Run("CREATE TABLE \"odd \"\"name\" (a TEXT)");
  Run("INSERT INTO \"odd \"\"name\" VALUES ('x')");
  Run("CREATE TABLE Location2 (a TEXT)");
  Run("INSERT INTO Location2 VALUES ('not kept: only exact names are')");
  const std::string settings = Count("global_setting");
  const std::string products = Count("support_product");

  // The monitor records two rows per pass in one transaction; the clear takes whole passes or none.
  std::atomic<bool> stop{false};
  std::atomic<int> passes{0};
  std::thread monitor([&] {
    CAccessDatabase access;
    while (!stop) {
      db::CTransaction pass(*GetDBMaintain());
      GetDBMaintain()->ExecuteCommand("INSERT INTO client_connect_ap (mac_client) VALUES ('a')");
      GetDBMaintain()->ExecuteCommand("INSERT INTO client_connect_ap (mac_client) VALUES ('b')");
      pass.Commit();
      ++passes;
    }
  });
  while (passes < 5) std::this_thread::yield();
  const bool cleared = CAccessDatabase().ClearDatabase();
  stop = true;
  monitor.join();
  CAccessDatabase::SetActionLogWriter(previous);

  ASSERT_TRUE(cleared);
  EXPECT_TRUE(g_bDatabaseCleared);
  EXPECT_EQ(logged, std::vector<std::string>{"Clear database"});
  EXPECT_EQ(std::stoi(Count("client_connect_ap")) % 2, 0);
  EXPECT_LT(std::stoi(Count("client_connect_ap")), passes * 2);
  for (const char* emptied : {"device_list", "\"odd \"\"name\"", "Location2", "system_log"})
    EXPECT_EQ(Count(emptied), "0") << emptied;
  EXPECT_EQ(Count("location"), "1");
  EXPECT_EQ(Count("\"~TMP kept\""), "1");
  EXPECT_EQ(Count("global_setting"), settings);
  EXPECT_EQ(Count("support_product"), products);
  EXPECT_NE(products, "0");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(DatabaseFileTest, FailedClearKeepsEveryRowAndLeavesTheFlagDown) {
  g_bDatabaseCleared = false;
  Run("INSERT INTO device_list (mac) VALUES ('00:11:22:33:44:55')");
  Run("INSERT INTO trap (trap_des) VALUES ('t')");
  ASSERT_TRUE(database_.BreakWrites("trap", "DELETE"));

  EXPECT_FALSE(CAccessDatabase().ClearDatabase());
  EXPECT_FALSE(g_bDatabaseCleared);
  EXPECT_EQ(Count("device_list"), "1");
  EXPECT_EQ(Count("trap"), "1");
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_NE(boxes_.Texts()[0].find("Exception__Desc: "), std::string::npos);
}

}  // namespace

namespace {

// What a backup killed midway leaves in its folder: its temporary copy and a companion, held by nobody.
std::vector<fs::path> LeaveKilledBackup(const fs::path& folder) {
  std::vector<fs::path> left = {folder / ".Database-k1lled", folder / ".Database-k1lled-journal"};
  for (const fs::path& file : left) std::ofstream(file) << "half a copy";
  return left;
}

}  // namespace

// A killed backup's temporary copy goes with the next backup into that folder, failed or not, and at the
// next start; a copy that a backup still running holds stays.
TEST_F(DatabaseFileTest, WhatAKilledBackupLeftInItsFolderIsRemoved) {
  testing_support::PinLocalTime(2021, 6, 7, 8, 9, 10);
  const fs::path running = backups_.Path() / ".Database-runnin";
  std::ofstream(running) << "being written";
  const int held = open(running.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  auto gone = [](const std::vector<fs::path>& files) {
    return std::none_of(files.begin(), files.end(), [](const fs::path& file) { return fs::exists(file); });
  };

  std::vector<fs::path> left = LeaveKilledBackup(backups_.Path());
  Backup();
  EXPECT_TRUE(gone(left)) << "after a backup";

  left = LeaveKilledBackup(backups_.Path());
  std::string folder = backups_.Path().string();
  EXPECT_FALSE(pool_->BackupDatabase(folder)) << "the same second: the copy exists";
  EXPECT_TRUE(gone(left)) << "after a failed backup";

  left = LeaveKilledBackup(backups_.Path());
  DeleteDBMaintain();
  pool_ = GetDBMaintain();
  EXPECT_TRUE(gone(left)) << "after the next start";
  EXPECT_TRUE(fs::exists(running)) << "held by a backup in progress";
  close(held);
}
