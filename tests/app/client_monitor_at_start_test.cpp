// The client monitor as the whole program runs it: started with the main window against a database of many
// managed APs, its first round reads every AP under the object root stored for it. The program links every
// library, so a record type that two of them define differently would show here (and crash the sanitizer
// build) where each library's own tests stay clean.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AppTestEnvironment.h"
#include "db/AccessDatabase.h"
#include "db/db_maintain.h"
#include "platform/AppContext.h"
#include "support/DevSimProcess.h"

using app_test::PumpUntil;
using app_test::RunningApp;
using app_test::TestRoot;

namespace {

// Enough rows that the list of managed devices is moved to larger storage several times while it is read.
constexpr int kManagedAps = 300;

// Every AP lives at the simulated AP_1; the MACs differ, so each is a managed AP of its own.
bool SeedManagedAps(const std::filesystem::path& startDirectory) {
  std::filesystem::create_directories(startDirectory);
  platform::SetStartDirectory(startDirectory.string());
  const bool stored = GetDBMaintain()->ExecuteCommand(
      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
      "INSERT INTO device_list_prev (name, ip, mac, type, port_num, online, status, isnew, write_community, "
      "sysobjid) SELECT printf('AP_%d', i), ?, printf('02:55:00:00:%02X:%02X', i / 256, i % 256), 2, 2, 1, 0, 0, "
      "'private', '.1.3.6.1.4.1.44711.1' FROM n",
      {db::SqlValue(kManagedAps - 1), db::SqlValue(testing_support::DevSimReference::kAp1)});
  DeleteDBMaintain();  // the program opens the database itself
  return stored;
}

int ApsInRounds() {
  const auto rows = CAccessDatabase().QueryValues("SELECT COUNT(DISTINCT mac_ap) FROM recorder_polling", {});
  return rows.empty() ? 0 : std::stoi(rows[0][0]);
}

}  // namespace

TEST(ClientMonitorAtStartTest, TheFirstRoundReadsEveryManagedApUnderItsStoredObjectRoot) {
  testing_support::DevSimProcess simulator;
  const std::filesystem::path folder = TestRoot() / "many-aps";
  ASSERT_TRUE(SeedManagedAps(folder));

  app_test::WithoutPolling onlyTheMonitor;  // a polling pass would judge the many APs at one address
  RunningApp app(folder);
  ASSERT_TRUE(app.Started());
  EXPECT_TRUE(PumpUntil([] { return ApsInRounds() == kManagedAps; }))
      << ApsInRounds() << " of " << kManagedAps << " APs were read in the first round";
}
