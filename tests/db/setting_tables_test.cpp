// CAccessDatabase on the trap table, the quick-launch tables, the settings row and the location pictures.
#include <gtest/gtest.h>

#include "PoolFixture.h"
#include "db/AccessDatabase.h"
#include "db/Connection.h"
#include "db/QuickLaunchEntry.h"
#include "db/TrapEntry.h"

namespace {

class SettingTablesTest : public PoolFixture {
 protected:
  std::string Value(const std::string& sql, const db::SqlParams& params = {}) { return database_.Value(sql, params); }
  CAccessDatabase::TextRows Rows(const std::string& sql) { return database_.Rows(sql); }

  CAccessDatabase access_;
};

TEST_F(SettingTablesTest, TrapsAreNumberedFromZeroAfterTheLastRowAndAnEmptyTextIsNull) {
  EXPECT_TRUE(access_.AddTrap({"link down", "2009-03-05 14:07:09"}));
  EXPECT_TRUE(access_.AddTrap({"", "2009-03-05 14:07:10"}));
  Run("INSERT INTO trap (\"index\", trap_des) VALUES (7, 'by hand')");
  EXPECT_TRUE(access_.AddTrap({"it's up", "2009-03-05 14:07:11"}));

  EXPECT_EQ(Rows("SELECT \"index\", trap_time, trap_des, trap_des IS NULL FROM trap ORDER BY rowid"),
            (CAccessDatabase::TextRows{{"0", "2009-03-05 14:07:09", "link down", "0"},
                                       {"1", "2009-03-05 14:07:10", "", "1"},
                                       {"7", "", "by hand", "0"},
                                       {"8", "2009-03-05 14:07:11", "it's up", "0"}}));
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(SettingTablesTest, TrapFailuresShowTheirOwnTexts) {
  db::CConnection connection;
  EXPECT_FALSE(access_.OpenJetConnection("", "", "", connection));
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_FALSE(access_.OpenJetConnection(Dir().Path().string(), "", "", connection));
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_TRUE(boxes_.Texts()[0].starts_with("Connecting DB failed !\n\rError info:")) << boxes_.Texts()[0];

  db::CRecordset closed;
  EXPECT_EQ(CAccessDatabase::GetNextTrapIndex(closed, "index"), 0);
  ASSERT_TRUE(database_.BreakWrites("trap", "INSERT"));
  EXPECT_FALSE(access_.AddTrap({"lost", "2009-03-05 14:07:09"}));
  ASSERT_EQ(boxes_.Texts().size(), 2u);
  EXPECT_TRUE(boxes_.Texts()[1].starts_with("Adding the DB recorders failed\n\rError info:")) << boxes_.Texts()[1];
  EXPECT_EQ(Value("SELECT COUNT(*) FROM trap"), "0");
}

TEST_F(SettingTablesTest, QuickLaunchEntriesAreAddedModifiedAndDeletedWithTheirMembers) {
  QuickLaunchEntry entry;
  entry.name = "O'Brien's floor";
  entry.fromIp = "10.0.0.1";
  entry.toIp = "10.0.0.9";
  entry.type = 2;
  entry.members = {"00:11:22:33:44:55", "00:11:22:33:44:66"};
  QuickLaunchEntry bare;
  bare.name = "bare";
  bare.type = 1;
  std::vector<QuickLaunchEntry> entries(1);  // what the list held stays
  EXPECT_EQ(access_.GetQuickLaunchList(entries), -1);
  EXPECT_EQ(entries.size(), 1u);

  EXPECT_EQ(access_.AddQuickLaunch(entry), 0);
  EXPECT_EQ(access_.AddQuickLaunch(bare), 0);
  QuickLaunchEntry again = entry;
  again.fromIp = "changed";
  EXPECT_EQ(access_.AddQuickLaunch(again), -1);
  ASSERT_EQ(access_.GetQuickLaunchList(entries), 0);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[1].name, entry.name);
  EXPECT_EQ(entries[1].fromIp, "10.0.0.1");
  EXPECT_EQ(entries[1].type, 2);
  EXPECT_EQ(entries[1].members, entry.members);
  EXPECT_TRUE(entries[2].members.empty());

  // Without members the stored members stay; with members they are replaced.
  QuickLaunchEntry changed = entry;
  changed.toIp = "10.0.0.20";
  changed.type = 3;
  changed.members.clear();
  EXPECT_EQ(access_.ModifyQuickLaunch(changed), 0);
  EXPECT_EQ(Rows("SELECT to_ip, type FROM quick_launch WHERE name = 'O''Brien''s floor'"),
            (CAccessDatabase::TextRows{{"10.0.0.20", "3"}}));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM quicklaunch_list WHERE name = 'O''Brien''s floor'"), "2");
  changed.members = {"aa:bb:cc:dd:ee:ff"};
  EXPECT_EQ(access_.ModifyQuickLaunch(changed), 0);
  EXPECT_EQ(Rows("SELECT mac FROM quicklaunch_list WHERE name = 'O''Brien''s floor'"),
            (CAccessDatabase::TextRows{{"aa:bb:cc:dd:ee:ff"}}));

  EXPECT_EQ(access_.DeleteQuickLaunch(entry.name), 0);
  EXPECT_EQ(Rows("SELECT name FROM quick_launch"), (CAccessDatabase::TextRows{{"bare"}}));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM quicklaunch_list"), "0");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(SettingTablesTest, QuickLaunchChangesThatFailHalfWayLeaveNothingBehind) {
  QuickLaunchEntry entry;
  entry.name = "floor";
  entry.members = {"00:11:22:33:44:55"};
  ASSERT_EQ(access_.AddQuickLaunch(entry), 0);
  ASSERT_TRUE(database_.BreakWrites("quicklaunch_list", "INSERT"));

  QuickLaunchEntry other = entry;
  other.name = "other";
  EXPECT_EQ(access_.AddQuickLaunch(other), -1);
  entry.fromIp = "changed";
  entry.members = {"aa:bb:cc:dd:ee:ff"};
  EXPECT_EQ(access_.ModifyQuickLaunch(entry), -1);
  ASSERT_TRUE(database_.BreakWrites("quick_launch", "DELETE"));
  EXPECT_EQ(access_.DeleteQuickLaunch("floor"), -1);

  EXPECT_EQ(Rows("SELECT name, from_ip FROM quick_launch"), (CAccessDatabase::TextRows{{"floor", ""}}));
  EXPECT_EQ(Rows("SELECT mac FROM quicklaunch_list"), (CAccessDatabase::TextRows{{"00:11:22:33:44:55"}}));
  EXPECT_EQ(boxes_.Texts().size(), 3u);
}

TEST_F(SettingTablesTest, SettingsRowIsReadByPositionAndWrittenIntoTheFirstRow) {
  std::string community;
  int interval = 0;
  int timeout = 0;
  EXPECT_EQ(access_.WriteGlobalSetting("pub'lic", 45, 7), 0);
  ASSERT_EQ(access_.ReadGlobalSetting(community, interval, timeout), 0);
  EXPECT_EQ(community, "pub'lic");
  EXPECT_EQ(interval, 45);
  EXPECT_EQ(timeout, 7);

  Run("DELETE FROM global_setting");
  community = "kept";
  EXPECT_EQ(access_.ReadGlobalSetting(community, interval, timeout), -1);
  EXPECT_EQ(community, "kept");
  EXPECT_EQ(access_.WriteGlobalSetting("new", 30, 2), 0);
  EXPECT_EQ(Rows("SELECT community, interval, timeout FROM global_setting"),
            (CAccessDatabase::TextRows{{"new", "30", "2"}}));

  ASSERT_TRUE(database_.BreakWrites("global_setting", "UPDATE"));
  EXPECT_EQ(access_.WriteGlobalSetting("lost", 1, 1), -1);
  EXPECT_EQ(Value("SELECT community FROM global_setting"), "new");
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_TRUE(boxes_.Texts()[0].starts_with("Exception__Desc: "));
}

TEST_F(SettingTablesTest, LocationPicturesAreStoredReadAndCleared) {
  const std::vector<std::uint8_t> picture = {'B', 'M', 0, 1, 0xFF, 0};
  std::vector<std::uint8_t> read;
  EXPECT_EQ(access_.LoadBmpData("hall", read), -1);

  EXPECT_EQ(access_.SaveBmpData("hall", picture), 0);
  ASSERT_EQ(access_.LoadBmpData("hall", read), 0);
  EXPECT_EQ(read, picture);

  EXPECT_EQ(access_.SaveBmpData("hall", {}), 0);
  EXPECT_EQ(Value("SELECT bmp IS NULL FROM location WHERE location = 'hall'"), "1");
  EXPECT_EQ(access_.LoadBmpData("hall", read), -1);
  EXPECT_EQ(access_.SaveBmpData("yard", {}), 0);
  EXPECT_EQ(Rows("SELECT location, bmp IS NULL FROM location ORDER BY rowid"),
            (CAccessDatabase::TextRows{{"hall", "1"}, {"yard", "1"}}));
  Run("UPDATE location SET bmp = X'' WHERE location = 'yard'");
  EXPECT_EQ(access_.LoadBmpData("yard", read), -1);
  EXPECT_TRUE(boxes_.Texts().empty());
}

}  // namespace
