// The settings row of the polling database: polling, logging and country settings, the discovery
// password, and the country code the APs report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/pollingdb.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;

struct Settings {
  int interval = -7, timeout = -7, monitorTime = -7, logLevel = -7, countryIndex = -7, threadNo = -7;

  int Read(CPollingDb& polling) {
    return polling.getGlobalSetting(interval, timeout, monitorTime, logLevel, countryIndex, threadNo);
  }
  std::vector<int> Values() const { return {interval, timeout, monitorTime, logLevel, countryIndex, threadNo}; }
};

class PollingDbSettingsTest : public ::testing::Test {
 protected:
  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(PollingDbSettingsTest, TheRowIsReadAndWrittenInPlace) {
  Settings read;
  ASSERT_EQ(read.Read(polling_), 1);
  EXPECT_EQ(read.Values(), (std::vector<int>{60, 1, 600, 15, 109, 5}));
  std::string password;
  EXPECT_EQ(polling_.getPassword(password), 1);
  EXPECT_EQ(password, "private");

  EXPECT_EQ(polling_.saveGlobalSetting(6000, 20, 60000, 9, 42, 392u, 20), 0);
  ASSERT_EQ(read.Read(polling_), 1);
  EXPECT_EQ(read.Values(), (std::vector<int>{6000, 20, 60000, 9, 42, 20}));
  // The country code is written, not read back; the columns others own are left alone.
  EXPECT_EQ(database_.Rows("select country_code, community, w_community, index_polling, count(*) from global_setting"),
            (CAccessDatabase::TextRows{{"392", "public", "private", "0", "1"}}));

  // Any text is a password: quotes and non-ASCII characters come back exactly.
  const std::string typed = "pa'ss\"wö rd;--";
  EXPECT_EQ(polling_.setPassword(typed), 0);
  EXPECT_EQ(polling_.getPassword(password), 1);
  EXPECT_EQ(password, typed);
  EXPECT_EQ(database_.Value("select interval from global_setting"), "6000");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbSettingsTest, NullColumnsReadAsTheirDefaults) {
  ASSERT_TRUE(database_.Exec("update global_setting set timeout=NULL, threadno=NULL, w_community=NULL"));
  Settings read;
  ASSERT_EQ(read.Read(polling_), 1);
  EXPECT_EQ(read.Values(), (std::vector<int>{60, 1, 600, 15, 109, 5}));

  ASSERT_TRUE(
      database_.Exec("update global_setting set interval=NULL, monitor_time=NULL, log_level=NULL, "
                     "country_index=NULL, timeout=7, threadno=9"));
  ASSERT_EQ(read.Read(polling_), 1);
  EXPECT_EQ(read.Values(), (std::vector<int>{60, 7, 600, 15, 1, 9}));

  std::string password = "typed";
  EXPECT_EQ(polling_.getPassword(password), 1);
  EXPECT_EQ(password, "typed");
}

TEST_F(PollingDbSettingsTest, AnEmptyTableIsReadAsNoRowAndRefusesWrites) {
  ASSERT_TRUE(database_.Exec("delete from global_setting"));
  Settings read;
  EXPECT_EQ(read.Read(polling_), 0);
  EXPECT_EQ(read.Values(), Settings().Values());
  std::string password = "typed";
  EXPECT_EQ(polling_.getPassword(password), -1);
  EXPECT_EQ(password, "typed");
  EXPECT_TRUE(boxes_.Texts().empty());

  EXPECT_EQ(polling_.saveGlobalSetting(60, 1, 600, 15, 1, 840u, 5), -1);
  EXPECT_EQ(polling_.setPassword("private"), -1);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"saveGlobalSetting()", "setPassword()"}));
  EXPECT_NE(database_.ExceptionLog().find("pollingdb saveGlobalSetting RollBackTransact"), std::string::npos);
  EXPECT_NE(database_.ExceptionLog().find("pollingdb setPassword RollBackTransact"), std::string::npos);
  EXPECT_EQ(database_.Value("select count(*) from global_setting"), "0");  // no row was made up
}

TEST_F(PollingDbSettingsTest, AFailedWriteKeepsTheRow) {
  ASSERT_TRUE(database_.BreakWrites("global_setting", "UPDATE"));
  EXPECT_EQ(polling_.saveGlobalSetting(120, 2, 900, 1, 3, 4u, 6), -1);
  EXPECT_EQ(polling_.setPassword("other"), -1);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"saveGlobalSetting()", "setPassword()"}));
  EXPECT_EQ(database_.Rows("select interval, country_code, w_community from global_setting"),
            (CAccessDatabase::TextRows{{"60", "840", "private"}}));
}

// A row that cannot be read in full (here: a column is missing) is a database error; what was read
// before it stays in the outputs.
TEST_F(PollingDbSettingsTest, AReadErrorShowsTheMethodAndKeepsWhatWasRead) {
  ASSERT_TRUE(database_.Exec("alter table global_setting rename column threadno to thread_count"));
  Settings read;
  EXPECT_EQ(read.Read(polling_), -1);
  EXPECT_EQ(read.Values(), (std::vector<int>{60, 1, 600, 15, 109, -7}));
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"getGlobalSetting()"});
}

TEST_F(PollingDbSettingsTest, CountryCodeComesFromTheFirstApRow) {
  struct Case {
    std::vector<db::SqlValue> codes;  // APSysCountryCode of the ap_property rows, in order
    int result;
    int code;
  } cases[] = {
      {{}, -1, -5},     {{"840"}, 1, 840},          {{"392 (Japan)"}, 1, 392},
      {{"none"}, 1, 0}, {{nullptr, "840"}, -1, -5}, {{"276", "840"}, 1, 276},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(database_.Exec("delete from ap_property"));
    int mac = 0;
    for (const db::SqlValue& code : c.codes)
      ASSERT_TRUE(database_.Exec("insert into ap_property (mac, APSysCountryCode) values (?, ?)",
                                 {"02:44:71:00:01:0" + std::to_string(++mac), code}));
    int code = -5;
    EXPECT_EQ(polling_.getCountryCode(code), c.result) << c.codes.size();
    EXPECT_EQ(code, c.code) << c.codes.size();
  }
  EXPECT_TRUE(boxes_.Texts().empty());
}

}  // namespace
