#include <gtest/gtest.h>

#include "db/StoredPassword.h"
#include "db/TopologyDBManager.h"
#include "db/db_maintain.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;

TEST(StoredPassword, TheSeedAccountMatchesOnlyItsOwnPassword) {
  TempDatabase db;
  const std::string seed = db.Value("SELECT password FROM system_password WHERE username = 'admin'");
  struct Case {
    const char* typed;
    bool matches;
  };
  for (const Case c : {Case{"admin", true}, Case{"Admin", false}, Case{"admin ", false}, Case{"", false}})
    EXPECT_EQ(db::StoredPasswordMatches(seed, c.typed), c.matches) << '"' << c.typed << '"';
}

TEST(StoredPassword, FormsThatAreNotOursMatchNothingExceptAnEmptyColumn) {
  const std::string good = db::ToStoredPassword("s3cret", 1000);
  EXPECT_TRUE(db::StoredPasswordMatches(good, "s3cret"));
  EXPECT_NE(good, db::ToStoredPassword("s3cret", 1000)) << "each hash has its own salt";
  EXPECT_EQ(good.find("s3cret"), std::string::npos);
  for (const std::string& stored : std::vector<std::string>{"s3cret", "pbkdf2-sha256$1000$zz$00", "pbkdf2-sha256$0$00$00", "pbkdf2-sha256$99999999999$00$00",
        "md5$1$00$00", good.substr(0, good.size() - 2)})
    EXPECT_FALSE(db::StoredPasswordMatches(stored, "s3cret")) << stored;
  EXPECT_TRUE(db::StoredPasswordMatches("", ""));
  EXPECT_FALSE(db::StoredPasswordMatches("", "x"));
}

TEST(ProgramAccounts, CheckSetAndAutoLogin) {
  TempDatabase db;
  MessageBoxRecorder boxes;
  TopologyDBManager accounts;
  EXPECT_TRUE(accounts.CheckUserPassword("admin", "admin"));
  EXPECT_FALSE(accounts.CheckUserPassword("admin", "ADMIN"));
  EXPECT_TRUE(boxes.Boxes().empty()) << "a wrong password shows nothing here";

  EXPECT_FALSE(accounts.CheckUserPassword("o'neil", "x"));
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Without get password, user name compared error"});

  ASSERT_TRUE(accounts.SetUserPassword("admin", "N3w pass'word"));
  EXPECT_EQ(db.Value("SELECT password FROM system_password WHERE username = 'admin'").rfind("pbkdf2-sha256$", 0), 0u);
  EXPECT_FALSE(accounts.SetUserPassword("nobody", "x")) << "no account row: nothing was changed";

  std::string autologin = "?";
  ASSERT_TRUE(accounts.GetUserLogin("admin", autologin));
  EXPECT_EQ(autologin, "0");
  ASSERT_TRUE(db.Exec("UPDATE system_password SET autologin = NULL"));
  ASSERT_TRUE(accounts.GetUserLogin("admin", autologin));
  EXPECT_EQ(autologin, "0") << "NULL reads as 0";
  EXPECT_TRUE(accounts.SetAutoLogin("admin", 1));
  ASSERT_TRUE(accounts.GetUserLogin("admin", autologin));
  EXPECT_EQ(autologin, "1");
  autologin = "kept";
  EXPECT_FALSE(accounts.GetUserLogin("nobody", autologin));
  EXPECT_EQ(autologin, "kept");

  std::vector<std::string> names;
  ASSERT_TRUE(accounts.GetUserNames(names));
  EXPECT_EQ(names, std::vector<std::string>{"admin"});
}

TEST(ProgramAccounts, AChangedPasswordHoldsAfterTheDatabaseIsOpenedAgain) {
  TempDatabase db;
  ASSERT_TRUE(TopologyDBManager().SetUserPassword("admin", "ünïcode"));
  DeleteDBMaintain();  // as at the end of a run; the next use opens the file anew
  TopologyDBManager accounts;
  EXPECT_TRUE(accounts.CheckUserPassword("admin", "ünïcode"));
  EXPECT_FALSE(accounts.CheckUserPassword("admin", "admin"));
}

TEST(Locations, LoadAndSaveBackgroundMaps) {
  TempDatabase db;
  TopologyDBManager manager;
  std::vector<CLocationRecord> locations(1);
  locations[0].location = "kept";
  EXPECT_FALSE(manager.LoadLocations(locations)) << "no rows";
  EXPECT_EQ(locations.size(), 1u);

  ASSERT_TRUE(db.Exec("INSERT INTO location (location, filename, width, height, rotateangle) VALUES "
                      "('Floor 1', 'a.bmp', 800, 600, 90), ('Hall', NULL, NULL, '12px', NULL)"));
  locations.clear();
  ASSERT_TRUE(manager.LoadLocations(locations));
  ASSERT_EQ(locations.size(), 2u);
  EXPECT_EQ(locations[0].filename, "a.bmp");
  EXPECT_EQ(locations[0].rotateangle, 90);
  EXPECT_EQ(locations[1].filename, "");
  EXPECT_EQ(locations[1].width, 0);
  EXPECT_EQ(locations[1].height, 12) << "a text converts as far as it reads";

  locations[0].filename = "O'Brien's floor.png";
  CLocationRecord missing;
  missing.location = "nowhere";
  locations.insert(locations.begin() + 1, missing);
  EXPECT_TRUE(manager.SaveLocation(locations)) << "a record without a row changes nothing and is no failure";
  EXPECT_EQ(db.Value("SELECT filename FROM location WHERE location = 'Floor 1'"), "O'Brien's floor.png");
  EXPECT_EQ(db.Value("SELECT COUNT(*) FROM location"), "2");

  // A failed statement is reported even when a later one succeeds, and the later ones are still written.
  ASSERT_TRUE(db.BreakWrites("location", "UPDATE", "old.location = 'Floor 1'"));
  locations[2].filename = "hall.png";
  EXPECT_FALSE(manager.SaveLocation(locations));
  EXPECT_EQ(db.Value("SELECT filename FROM location WHERE location = 'Hall'"), "hall.png");
  EXPECT_FALSE(manager.SaveLocation({}));
}
