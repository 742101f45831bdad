#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/IniStore.h"
#include "platform/Shutdown.h"
#include "platform/SingleInstance.h"
#include "support/TempDir.h"

using testing_support::TempDir;

TEST(AppContextTest, DatabaseLivesInTheStartDirectory) {
  platform::SetStartDirectory("/srv/console");
  EXPECT_EQ(platform::GetProgramFolder(), "/srv/console");
  EXPECT_EQ(platform::GetDatabasePath(), "/srv/console/Database.mdb");
  EXPECT_EQ(platform::DatabaseFilePath(), "/srv/console/Database.mdb");
  platform::SetStartDirectory("");
  EXPECT_EQ(platform::GetDatabasePath(), "/Database.mdb");
  EXPECT_EQ(platform::DatabaseFilePath(), "Database.mdb") << "a bare path is taken relative to the working directory";
}

TEST(ClockTest, PinnedClockIsWhatEveryoneSees) {
  std::tm moment{};
  moment.tm_year = 2008 - 1900;
  moment.tm_mon = 5;
  moment.tm_mday = 25;
  moment.tm_hour = 13;
  moment.tm_min = 4;
  moment.tm_sec = 5;
  moment.tm_isdst = -1;
  platform::PinClock(std::chrono::system_clock::from_time_t(std::mktime(&moment)));
  EXPECT_EQ(platform::NowText(), "2008-06-25 13:04:05");
  platform::UnpinClock();
  EXPECT_NE(platform::NowText(), "2008-06-25 13:04:05");
}

TEST(EnvironmentTest, PortOverridesAndTheirDefaults) {
  unsetenv("PELLION_SNMP_PORT");
  setenv("PELLION_TRAP_PORT", "not-a-port", 1);
  setenv("PELLION_SYSLOG_PORT", "5514", 1);
  platform::ReloadOverrides();
  EXPECT_EQ(platform::GetOverrides().snmpPort, 161);
  EXPECT_EQ(platform::GetOverrides().trapPort, 162) << "an unusable value keeps the default";
  EXPECT_EQ(platform::GetOverrides().syslogPort, 5514);
  setenv("PELLION_SNMP_PORT", "16100", 1);
  platform::ReloadOverrides();
  EXPECT_EQ(platform::GetOverrides().snmpPort, 16100);
  unsetenv("PELLION_SNMP_PORT");
  unsetenv("PELLION_TRAP_PORT");
  unsetenv("PELLION_SYSLOG_PORT");
  platform::ReloadOverrides();
}

TEST(ShutdownTest, DeletesInStageOrderWhateverTheRegistrationOrder) {
  std::vector<int> order;
  platform::RegisterShutdown(platform::ShutdownStage::ConnectionPool, [&] { order.push_back(4); });
  platform::RegisterShutdown(platform::ShutdownStage::EventLog, [&] { order.push_back(2); });
  platform::RegisterShutdown(platform::ShutdownStage::GroupStore, [&] { order.push_back(1); });
  platform::RunShutdown();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 4}));
  platform::RunShutdown();
  EXPECT_EQ(order.size(), 3u) << "a deleted service is not deleted twice";
}

TEST(SingleInstanceTest, SecondHolderIsRefusedUntilTheFirstLetsGo) {
  TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
  platform::CSingleInstanceLock first("PELLION IS RUNNING");
  platform::CSingleInstanceLock second("PELLION IS RUNNING");
  ASSERT_TRUE(first.Acquire());
  EXPECT_FALSE(second.Acquire());
  first.Release();
  EXPECT_TRUE(second.Acquire()) << "the name is free again after the first copy ends";
  EXPECT_EQ(first.Error(), "") << "another holder is no error";
}

TEST(SingleInstanceTest, ALockFileThatCannotBeMadeIsToldApartFromAnotherCopy) {
  TempDir runtime;
  const std::string notAFolder = runtime.File("file");
  std::ofstream(notAFolder) << "in the way";
  setenv("XDG_RUNTIME_DIR", notAFolder.c_str(), 1);
  platform::CSingleInstanceLock lock("PELLION IS RUNNING");
  EXPECT_FALSE(lock.Acquire());
  EXPECT_EQ(lock.Error().rfind("Cannot create the lock file " + notAFolder + "/pellion/PELLION IS RUNNING.lock: ", 0),
            0u)
      << lock.Error();
}

TEST(IniStoreTest, ValuesSurviveASaveAndReload) {
  TempDir dir;
  std::string path = dir.File("sub/pellion.ini");
  {
    platform::CIniStore store(path);
    store.SetInt("Settings", "OutbarSize", 180);
    store.SetString("Settings", "X", "12");
    ASSERT_TRUE(store.Save());
  }
  platform::CIniStore reloaded(path);
  EXPECT_EQ(reloaded.GetInt("Settings", "OutbarSize"), 180);
  EXPECT_EQ(reloaded.GetString("Settings", "X"), "12");
  EXPECT_EQ(reloaded.GetInt("Settings", "Missing", -1), -1);
}
