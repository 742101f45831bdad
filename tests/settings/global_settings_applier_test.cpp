// The global settings page's values without its window: ranges, loading with the mask reloaded, applying
// to the running program and the settings row with one action-log line, and the country row checked.
#include <gtest/gtest.h>

#include "log/LogLevelMask.h"
#include "platform/Shutdown.h"
#include "settings/CountryTable.h"
#include "settings/GlobalSettings.h"
#include "settings/GlobalSettingsApplier.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

class GlobalSettingsApplierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nLogLevelMask = 15;
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.nSnmpTimeout = 100;
    g_RuntimeSettings.nPollingIntervalMs = 60000;
    g_RuntimeSettings.nMonitorIntervalMs = 600000;
    g_RuntimeSettings.nCountryCode = 840;
  }
  void TearDown() override {
    platform::RunShutdown();
    g_nLogLevelMask = 0;
  }
  std::string StoredRow() {
    const auto rows = database.Rows(
        "SELECT interval, timeout, monitor_time, log_level, country_index, country_code, threadno FROM global_setting");
    std::string text;
    for (const std::string& value : rows.at(0)) text += value + ",";
    return text;
  }

  testing_support::MessageRecorder mainWindow;
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
};

TEST_F(GlobalSettingsApplierTest, RangesAcceptTheirBoundsAndRefuseOneBeyond) {
  const GlobalSettingsValues lower{10, 1, 10, 5, 0, 0};
  const GlobalSettingsValues upper{6000, 20, 60000, 20, 0, 0};
  EXPECT_EQ(CheckGlobalSettingRanges(lower), std::nullopt);
  EXPECT_EQ(CheckGlobalSettingRanges(upper), std::nullopt);
  const std::pair<SettingRange, std::string> ranges[] = {
      {kIntervalRange, "Please enter an integer between 10 and 6000."},
      {kTimeoutRange, "Please enter an integer between 1 and 20."},
      {kMonitorRange, "Please enter an integer between 10 and 60000."},
      {kThreadsRange, "Please enter an integer between 5 and 20."}};
  for (const auto& [range, message] : ranges) {
    GlobalSettingsValues below = lower, above = upper;
    below.*range.field -= 1;
    above.*range.field += 1;
    EXPECT_EQ(CheckGlobalSettingRanges(below), message);
    EXPECT_EQ(CheckGlobalSettingRanges(above), message);
  }
}

TEST_F(GlobalSettingsApplierTest, LoadingReadsTheRowAndRestoresTheRunningMask) {
  ASSERT_TRUE(database.Exec("UPDATE global_setting SET log_level=5, interval=30, threadno=7"));
  g_nLogLevelMask = 8;  // changed elsewhere without being stored
  const GlobalSettingsValues values = LoadGlobalSettings();
  EXPECT_EQ(g_nLogLevelMask, 5);
  EXPECT_EQ(values.levelMask, 5);
  EXPECT_EQ(values.interval, 30);
  EXPECT_EQ(values.timeout, 1);
  EXPECT_EQ(values.monitorInterval, 600);
  EXPECT_EQ(values.maxThreads, 7);
  EXPECT_EQ(values.countryIndex, 109);
  EXPECT_STREQ(g_CountryTable[109].name, "United_States");
  EXPECT_STREQ(g_CountryTable[108].name, "nited_Kingdom");
  EXPECT_EQ(g_CountryTable[61].code, 411);

  ASSERT_TRUE(database.Exec("UPDATE global_setting SET country_index=116"));
  EXPECT_EQ(LoadGlobalSettings().countryIndex, -1) << "a stored row outside the table selects nothing";
}

TEST_F(GlobalSettingsApplierTest, ApplyingChangesTheProgramStoresTheRowAndNamesTheChanges) {
  GlobalSettingsValues values = LoadGlobalSettings();
  values.timeout = 5;
  values.levelMask = 3;
  values.countryIndex = 49;  // Japan
  values.maxThreads = 12;
  EXPECT_EQ(ApplyGlobalSettings(values), "snmp time out is setting 5 s log level is setting \"cirtical\" \"warning\" ");
  EXPECT_EQ(g_RuntimeSettings.nSnmpTimeout, 500);
  EXPECT_EQ(g_RuntimeSettings.nCountryCode, 392);
  EXPECT_EQ(g_RuntimeSettings.nPollingThreads, 12);
  EXPECT_EQ(g_nLogLevelMask, 3);
  EXPECT_EQ(StoredRow(), "60,5,600,3,49,392,12,");
  EXPECT_EQ(database.ActionLog(),
            std::vector<std::string>{"snmp time out is setting 5 s log level is setting \"cirtical\" \"warning\" "});
}

TEST_F(GlobalSettingsApplierTest, ChangeTextsOfTheEdgeCases) {
  GlobalSettingsValues values = LoadGlobalSettings();
  values.levelMask = 15;
  EXPECT_EQ(ApplyGlobalSettings(values), "log level is setting \"cirtical\" \"warning\" \"info\" \"debug\"");
  values.levelMask = 0;
  values.monitorInterval = 30;
  EXPECT_EQ(ApplyGlobalSettings(values), "monitor interval is setting 30 s ");
  EXPECT_EQ(g_RuntimeSettings.nMonitorIntervalMs, 30000);
  EXPECT_EQ(ApplyGlobalSettings(values), "") << "nothing changed, no level";
  EXPECT_EQ(g_nLogLevelMask, 0);
  EXPECT_EQ(database.ActionLog(),
            (std::vector<std::string>{"log level is setting \"cirtical\" \"warning\" \"info\" \"debug\"",
                                      "monitor interval is setting 30 s "}));
}

TEST_F(GlobalSettingsApplierTest, NoCountryChosenKeepsTheRunningCountry) {
  GlobalSettingsValues values = LoadGlobalSettings();
  values.countryIndex = -1;
  ApplyGlobalSettings(values);
  EXPECT_EQ(g_RuntimeSettings.nCountryCode, 840);
  EXPECT_EQ(database.Value("SELECT country_index FROM global_setting"), "109");
  EXPECT_EQ(database.Value("SELECT country_code FROM global_setting"), "840");
}

}  // namespace
