// The database file made on first start: its schema, its seed rows, and the refusal of foreign files.
#include "db/DatabaseFile.h"
#include "platform/AppContext.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <sqlite3.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

class SchemaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetStartDirectory(dir_.Path().string());
    path_ = platform::DatabaseFilePath();
  }
  void TearDown() override { sqlite3_close(db_); }

  void CreateAndOpen() {
    std::string error;
    ASSERT_TRUE(db::PrepareDatabaseFile(path_, error)) << error;
    ASSERT_EQ(sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  }

  Rows Query(const std::string& sql) {
    Rows rows;
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
        << sql << ": " << sqlite3_errmsg(db_);
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const auto* text = sqlite3_column_text(statement, i);
        row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
      }
      rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rows;
  }

  void Exec(const std::string& sql) {
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message), SQLITE_OK)
        << sql << ": " << (message ? message : "");
    sqlite3_free(message);
  }

  // Column name and declared type, in table order.
  Rows Columns(const std::string& table) { return Query("SELECT name, type FROM pragma_table_info('" + table + "')"); }

  std::vector<std::string> ColumnNames(const std::string& table) {
    std::vector<std::string> names;
    for (const auto& row : Columns(table)) names.push_back(row[0]);
    return names;
  }

  testing_support::TempDir dir_;
  std::string path_;
  sqlite3* db_ = nullptr;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(SchemaTest, FirstStartCreatesAPrivateFileAndLaterStartsOpenItAsItIs) {
  CreateAndOpen();
  struct stat info {};
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  Exec("INSERT INTO management_segment VALUES ('10.0.0.1', '10.0.0.9')");
  sqlite3_close(db_);
  db_ = nullptr;

  // No temporary file of the creation stays behind.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"Database.mdb"});

  CreateAndOpen();
  EXPECT_EQ(Query("SELECT from_ip FROM management_segment"), (Rows{{"10.0.0.1"}}));
}

TEST_F(SchemaTest, RefusesFilesThatAreNotItsDatabaseAndLeavesThemUntouched) {
  // A text file, an empty file and an SQLite database without this program's tables.
  {
    std::ofstream(path_) << "not a database at all, but someone's notes\n";
  }
  const std::string notes = ReadFile(path_);
  std::string error;
  EXPECT_FALSE(db::PrepareDatabaseFile(path_, error));
  EXPECT_NE(error.find("is not a database of this program"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(path_), notes);

  {
    std::ofstream truncate(path_, std::ios::trunc);
  }
  EXPECT_FALSE(db::PrepareDatabaseFile(path_, error));
  EXPECT_EQ(std::filesystem::file_size(path_), 0u);

  std::filesystem::remove(path_);
  ASSERT_EQ(sqlite3_open(path_.c_str(), &db_), SQLITE_OK);
  Exec("CREATE TABLE device_list (name TEXT); CREATE TABLE other (x)");
  sqlite3_close(db_);
  db_ = nullptr;
  const std::string foreign = ReadFile(path_);
  EXPECT_FALSE(db::PrepareDatabaseFile(path_, error));
  EXPECT_NE(error.find(path_), std::string::npos) << error;
  EXPECT_EQ(ReadFile(path_), foreign);
}

std::set<std::string> FileNames(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

// A foreign database in WAL mode and one of ours cut short: each is refused with its own reason, left as
// it is, and the check leaves no journal files beside it.
TEST_F(SchemaTest, RefusedFilesAreNamedForWhatIsWrongAndGetNoCompanions) {
  struct Case {
    const char* what;
    std::function<void()> make;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"foreign", [&] {
         ASSERT_EQ(sqlite3_open(path_.c_str(), &db_), SQLITE_OK);
         Exec("PRAGMA journal_mode=WAL; CREATE TABLE other (x); INSERT INTO other VALUES (1)");
       }, "is not a database of this program"},
      {"cut short", [&] {
         CreateAndOpen();
         Exec("CREATE TABLE filler (x); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
              "WHERE i < 2000) INSERT INTO filler SELECT randomblob(200) FROM n");
         sqlite3_close(db_);
         db_ = nullptr;
         std::filesystem::resize_file(path_, std::filesystem::file_size(path_) / 2);
       }, "is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(path_);
    c.make();
    sqlite3_close(db_);
    db_ = nullptr;
    ASSERT_EQ(FileNames(dir_.Path()), std::set<std::string>{"Database.mdb"});
    const std::string before = ReadFile(path_);

    std::string error;
    EXPECT_FALSE(db::PrepareDatabaseFile(path_, error));
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(ReadFile(path_), before);
    EXPECT_EQ(FileNames(dir_.Path()), std::set<std::string>{"Database.mdb"});
  }
}

// Runs the check as a user without the right to write (root may write anything), in a child process.
std::pair<bool, std::string> PrepareAsUnprivilegedUser(const std::string& path) {
  int channel[2];
  if (pipe(channel) != 0) return {true, "no pipe"};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    std::string error;
    const bool ready = db::PrepareDatabaseFile(path, error);
    if (write(channel[1], error.data(), error.size()) < 0) _exit(2);
    _exit(ready ? 0 : 1);
  }
  close(channel[1]);
  std::string error;
  char buffer[512];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) error.append(buffer, n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0, error};
}

TEST_F(SchemaTest, AFileOrFolderThatCannotBeWrittenIsRefusedWithTheReason) {
  CreateAndOpen();
  sqlite3_close(db_);
  db_ = nullptr;
  struct Case {
    std::filesystem::perms file, folder;
    std::string reason;
  };
  using std::filesystem::perms;
  const std::vector<Case> cases = {
      {perms::owner_read | perms::group_read | perms::others_read, perms::all,
       "The database file " + path_ + " cannot be written"},
      {perms::all, perms::owner_all | perms::group_read | perms::group_exec | perms::others_read | perms::others_exec,
       "The folder " + dir_.Path().string() + " of the database file cannot be written"},
  };
  for (const Case& c : cases) {
    std::filesystem::permissions(path_, c.file);
    std::filesystem::permissions(dir_.Path(), c.folder);
    const auto [ready, error] = PrepareAsUnprivilegedUser(path_);
    EXPECT_FALSE(ready);
    EXPECT_EQ(error.rfind(c.reason, 0), 0u) << error;
  }
  std::filesystem::permissions(dir_.Path(), perms::owner_all);
  EXPECT_EQ(FileNames(dir_.Path()), std::set<std::string>{"Database.mdb"});
}

TEST_F(SchemaTest, TemporaryFilesOfAKilledCreationGoAtTheNextStart) {
  const std::set<std::string> abandoned = {".Database-a1B2c3", ".Database-a1B2c3-journal", ".Database-zZ9y8x-wal"};
  for (const std::string& name : abandoned) std::ofstream(dir_.File(name)) << "half made";
  std::ofstream(dir_.File("notes.txt")) << "kept";
  // A creation under way in another process holds its file locked.
  std::ofstream(dir_.File(".Database-busy00")) << "being made";
  const int held = open(dir_.File(".Database-busy00").c_str(), O_RDONLY);
  ASSERT_EQ(flock(held, LOCK_EX), 0);

  CreateAndOpen();
  close(held);
  EXPECT_EQ(FileNames(dir_.Path()), (std::set<std::string>{"Database.mdb", ".Database-busy00", "notes.txt"}));
}

TEST_F(SchemaTest, PositionalReadersFindTheColumnsWhereTheyExpectThem) {
  CreateAndOpen();
  const std::vector<std::pair<int, std::string>> devicePositions = {
      {0, "name"},          {1, "ip"},           {2, "mac"},          {3, "type"},
      {4, "port_num"},      {5, "online"},       {6, "status"},       {7, "isnew"},
      {8, "lastchangetime"}, {9, "location"},    {10, "auto"},        {11, "x_p"},
      {12, "y_p"},          {13, "auto_position"}, {14, "x_position"}, {15, "y_position"},
      {17, "auto_pos_all"}, {18, "x_pos_all"},   {19, "y_pos_all"},   {20, "auto_pos_all_location"},
      {21, "x_pos_all_location"}, {22, "y_pos_all_location"}};
  for (const char* table : {"device_list", "device_list_prev"}) {
    const auto names = ColumnNames(table);
    ASSERT_GE(names.size(), 23u) << table;
    for (const auto& [position, name] : devicePositions) EXPECT_EQ(names[position], name) << table << " " << position;
    for (const char* byName : {"group_balance", "read_community", "write_community", "sysobjid", "IsPropertySave"})
      EXPECT_NE(std::find(names.begin(), names.end(), byName), names.end()) << table << " " << byName;
  }
  const std::vector<std::string> mapColumns = {"src_ip", "dest_ip", "src_port", "dest_port", "src_mac", "dest_mac"};
  EXPECT_EQ(ColumnNames("device_map"), mapColumns);
  EXPECT_EQ(ColumnNames("device_map_polling"), (std::vector<std::string>{"src_mac", "dest_mac", "src_port", "dest_port"}));
  EXPECT_EQ(ColumnNames("filter_entry"), (std::vector<std::string>{"mac", "filterMAC"}));
  EXPECT_EQ(ColumnNames("system_log"), (std::vector<std::string>{"index", "datetime", "type", "level", "description"}));
  EXPECT_EQ(ColumnNames("user_def_group"),
            (std::vector<std::string>{"group_name", "group_template_index", "group_device_mac"}));
  EXPECT_EQ(ColumnNames("user_def_group_mac_control"),
            (std::vector<std::string>{"group_template_index", "mac_address", "alias_name", "filter_type"}));
  EXPECT_EQ(ColumnNames("quick_launch"), (std::vector<std::string>{"name", "from_ip", "to_ip", "type"}));
  EXPECT_EQ(ColumnNames("quicklaunch_list"), (std::vector<std::string>{"name", "mac"}));

  const auto settings = ColumnNames("global_setting");
  ASSERT_GE(settings.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(settings.begin(), settings.begin() + 3),
            (std::vector<std::string>{"community", "interval", "timeout"}));

  const auto templateColumns = ColumnNames("user_def_group_main_template");
  ASSERT_EQ(templateColumns.size(), 49u);
  EXPECT_EQ(templateColumns[0], "group_template_index");
  EXPECT_EQ(templateColumns[12], "wep_64_key1_value");
  EXPECT_EQ(templateColumns[28], "security_cipher_type");
  EXPECT_EQ(templateColumns[45], "loadbalance_group");
  EXPECT_EQ(templateColumns[48], "WLAN_Partition");
}

TEST_F(SchemaTest, PairedTablesCopyIntoEachOtherWithASelectOfAllColumns) {
  CreateAndOpen();
  EXPECT_EQ(Columns("device_list"), Columns("device_list_prev"));
  EXPECT_EQ(Columns("device_map"), Columns("device_map_prev"));

  Exec("INSERT INTO device_list VALUES ('AP_1', '10.0.0.2', '02:44:71:00:01:01', '2', '2', '1', '6', '1', "
       "'2024-05-01 10:00:00', 'lab', '1', '3', '4', '0', '5', '6', 'lb', '1', '7', '8', '0', '9', '10', "
       "'public', 'private', '.1.3.6.1.4.1.44711.1', '0')");
  Exec("INSERT INTO device_map VALUES ('10.0.0.1', '10.0.0.2', '1', '1', '02:44:71:00:00:01', '02:44:71:00:01:01')");
  Exec("INSERT INTO device_list_prev SELECT device_list.* FROM device_list");
  Exec("INSERT INTO device_map_prev SELECT device_map.* FROM device_map");
  EXPECT_EQ(Query("SELECT * FROM device_list_prev"), Query("SELECT * FROM device_list"));
  EXPECT_EQ(Query("SELECT * FROM device_map_prev"), Query("SELECT * FROM device_map"));
  // Quoted numbers read back as the same digits; the status sits where positional readers look.
  EXPECT_EQ(Query("SELECT * FROM device_list_prev")[0][6], "6");
}

TEST_F(SchemaTest, KeyTextsCompareWithoutCaseAndTheIndexColumnWorksQuoted) {
  CreateAndOpen();
  Exec("INSERT INTO device_list (name, mac) VALUES ('SW_1', '02:AB:CD:00:00:01')");
  EXPECT_EQ(Query("SELECT name FROM device_list WHERE mac='02:ab:cd:00:00:01'"), (Rows{{"SW_1"}}));
  EXPECT_EQ(Query("SELECT mac FROM device_list WHERE mac IN (SELECT '02:ab:CD:00:00:01')").size(), 1u);

  Exec("INSERT INTO system_log VALUES (1, '2024-05-01 10:00:00', 1, 2, 'first')");
  Exec("INSERT INTO system_log VALUES (2, '2024-05-01 10:00:01', 0, 0, 'second')");
  EXPECT_EQ(Query("SELECT MAX(\"index\") FROM system_log"), (Rows{{"2"}}));
  Exec("INSERT INTO sync_result (mac, property, current, previous, type) VALUES ('m', 'ip', 'a', 'b', 'ap_property')");
  EXPECT_EQ(Query("SELECT current FROM sync_result"), (Rows{{"a"}}));
}

TEST_F(SchemaTest, SeedRowsAreThoseTheProgramNeedsAndNeverCreates) {
  CreateAndOpen();
  EXPECT_EQ(Query("SELECT community, interval, timeout, monitor_time, threadno, log_level, w_community "
                  "FROM global_setting"),
            (Rows{{"public", "60", "1", "600", "5", "15", "private"}}));
  EXPECT_EQ(Query("SELECT group_template_index, group_device_mac FROM user_def_group WHERE group_name='default'"),
            (Rows{{"0", ""}}));
  EXPECT_EQ(Query("SELECT loadbalance_group, ssid, channel FROM user_def_group_main_template "
                  "WHERE group_template_index=0"),
            (Rows{{"0", "", "-1"}}));
  EXPECT_EQ(Query("SELECT sys_object_oid, dev_type, oui FROM support_product WHERE model_name='Velmora-A'"),
            (Rows{{"1.3.6.1.4.1.44711.1", "0", "02 44 71"}}));
  EXPECT_EQ(Query("SELECT model_name FROM support_product WHERE dev_type=1 ORDER BY model_name"),
            (Rows{{"Corvath-S16"}, {"Corvath-S24"}}));
  EXPECT_EQ(Query("SELECT displayname FROM ap_polling_data WHERE name='crvAPssid' AND display=TRUE"),
            (Rows{{"SSID"}}));
}

TEST_F(SchemaTest, EveryPolledApObjectHasItsColumnInApProperty) {
  CreateAndOpen();
  std::set<std::string> columns;
  for (const auto& name : ColumnNames("ap_property")) columns.insert(name);
  const Rows polled = Query("SELECT name, oid FROM ap_polling_data");
  ASSERT_FALSE(polled.empty());
  std::set<std::string> seen;
  for (const auto& row : polled) {
    EXPECT_TRUE(columns.count(row[0])) << row[0];
    EXPECT_TRUE(seen.insert(row[0]).second) << "polled twice: " << row[0];
    EXPECT_FALSE(row[1].empty()) << row[0];
  }
}

TEST_F(SchemaTest, FirstAccountIsAdminWithASaltedHashOfItsPassword) {
  CreateAndOpen();
  const Rows accounts = Query("SELECT username, password FROM system_password");
  ASSERT_EQ(accounts.size(), 1u);
  EXPECT_EQ(accounts[0][0], "admin");
  // "pbkdf2-sha256$<iterations>$<salt hex>$<hash hex>"
  std::vector<std::string> parts;
  std::stringstream stored(accounts[0][1]);
  for (std::string part; std::getline(stored, part, '$');) parts.push_back(part);
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[0], "pbkdf2-sha256");
  const int iterations = std::stoi(parts[1]);
  std::vector<unsigned char> salt;
  for (size_t i = 0; i + 1 < parts[2].size(); i += 2) salt.push_back(std::stoi(parts[2].substr(i, 2), nullptr, 16));
  unsigned char hash[32];
  const std::string password = "admin";
  ASSERT_EQ(PKCS5_PBKDF2_HMAC(password.data(), password.size(), salt.data(), salt.size(), iterations,
                              EVP_sha256(), sizeof hash, hash),
            1);
  std::string hex;
  for (unsigned char byte : hash) {
    char digits[3];
    snprintf(digits, sizeof digits, "%02x", byte);
    hex += digits;
  }
  EXPECT_EQ(parts[3], hex);
  EXPECT_GE(salt.size(), 16u);
}

}  // namespace
