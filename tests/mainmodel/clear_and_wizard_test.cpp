// The clear-database sequence and the Discovery Wizard's model, on a database of their own.
#include <gtest/gtest.h>

#include "FakePolling.h"
#include "db/AccessDatabase.h"
#include "device/DeviceNameIndex.h"
#include "device/RecentStringList.h"
#include "mainmodel/ClearDatabaseSequence.h"
#include "mainmodel/ManageSegmentModel.h"
#include "mainmodel/StartupSettings.h"
#include "settings/GlobalSettings.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::TempDatabase;

TEST(ClearDatabaseSequenceTest, ClearsOnceWithPollingLockedAndIdleThenRestarts) {
  TempDatabase database;
  ASSERT_TRUE(database.Exec("INSERT INTO device_list (ip, mac, name, type) VALUES ('127.0.0.10', "
                            "'02:44:71:0A:00:01', 'SW_1', '1')"));
  FakePolling polling;
  std::vector<std::string> order;
  polling.onCall = [&](const std::string& call) { order.push_back("polling " + call); };
  {
    std::lock_guard hold(g_csClients);
    g_bClientsRecorded = true;
  }
  CClearDatabaseSequence::Steps steps;
  steps.confirm = [&] {
    order.push_back("confirm");
    return true;
  };
  steps.clearDatabase = [&] {
    order.push_back("clear");
    return CAccessDatabase().ClearDatabase();
  };
  steps.clearOutputLists = [&] { order.push_back("lists"); };
  steps.refreshAllViews = [&](bool full) { order.push_back(full ? "refresh full" : "refresh"); };
  steps.reloadGroups = [&] { order.push_back("groups"); };
  EXPECT_TRUE(CClearDatabaseSequence(&polling, steps).Run());
  EXPECT_EQ(order, (std::vector<std::string>{"confirm", "polling lock", "polling wait idle", "clear", "lists",
                                             "refresh full", "groups", "polling restart"}));
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM device_list"), "0");
  std::lock_guard hold(g_csClients);
  EXPECT_FALSE(g_bClientsRecorded);
}

TEST(ClearDatabaseSequenceTest, CancelLeavesDatabaseAndPollingUntouched) {
  FakePolling polling;
  bool cleared = false;
  CClearDatabaseSequence::Steps steps;
  steps.confirm = [] { return false; };
  steps.clearDatabase = [&] { return cleared = true; };
  EXPECT_FALSE(CClearDatabaseSequence(&polling, steps).Run());
  EXPECT_FALSE(cleared);
  EXPECT_TRUE(polling.calls.empty());
}

TEST(ManageSegmentModelTest, AddChecksAddressesAndOverlapsWithTheirMessages) {
  TempDatabase database;
  using Field = CManageSegmentModel::Field;
  struct Case {
    std::vector<std::pair<std::string, std::string>> existing;
    std::string from, to;
    std::string message;  // empty: accepted
    Field focus;
  };
  const Case cases[] = {
      {{{"192.168.0.0", "192.168.0.255"}}, "192.168.0.1", "", "the segment already input!", Field::None},
      {{{"10.0.0.15", ""}}, "10.0.0.10", "10.0.0.20", "the segment already input!", Field::None},
      {{{"10.0.0.25", ""}}, "10.0.0.10", "10.0.0.20", "", Field::None},
      {{{"10.0.0.10", ""}}, "10.0.0.10", "", "the segment already input!", Field::None},
      {{{"10.0.0.1", "10.0.0.9"}}, "10.0.0.9", "10.0.0.12", "the segment already input!", Field::None},
      {{{"10.0.0.1", "10.0.0.9"}}, "10.0.0.10", "10.0.0.12", "", Field::None},
      {{}, "0.1.2.3", "", "Input from IP address is Error!", Field::FromIp},
      {{}, "0.0.0.0", "", "Input from IP address is Error!", Field::FromIp},
      {{}, "255.255.255.255", "", "Input from IP address is Error!", Field::FromIp},
      {{}, "10.0.0", "", "Input from IP address is Error!", Field::FromIp},
      {{}, "10.0.0.5", "10.0.0.1", "Input from IP < to IP!", Field::FromIp},
      {{}, "10.0.0.5", "255.255.255.255", "Input end IP address  Error!", Field::ToIp},
      {{}, "10.0.0.5", "0.0.0.9", "Input end IP address  Error!", Field::ToIp},
      {{}, "10.0.0.5", "10.0.0.256", "Input end IP address  Error!", Field::ToIp},
      {{}, "127.0.0.10", "127.0.0.10", "", Field::None},
  };
  for (const Case& c : cases) {
    CManageSegmentModel model;
    for (auto& [from, to] : c.existing) ASSERT_TRUE(model.Add(from, to).accepted);
    const CManageSegmentModel::Verdict verdict = model.Add(c.from, c.to);
    EXPECT_EQ(verdict.accepted, c.message.empty()) << c.from << "-" << c.to;
    EXPECT_EQ(verdict.message, c.message) << c.from << "-" << c.to;
    EXPECT_EQ(verdict.focus, c.focus) << c.from << "-" << c.to;
    EXPECT_EQ(model.Segments().size(), c.existing.size() + (c.message.empty() ? 1 : 0));
  }
  EXPECT_EQ(GetRecentString(g_RecentFromIps, 0), "127.0.0.10");
  EXPECT_EQ(GetRecentString(g_RecentEndIps, 0), "127.0.0.10");
}

TEST(ManageSegmentModelTest, DeleteRemovesTheSelectedRowsAndOkStoresOnlyAChange) {
  TempDatabase database;
  CManageSegmentModel model;
  model.Load();
  EXPECT_FALSE(model.OkEnabled());
  EXPECT_TRUE(model.Ok("").accepted) << "OK without a change closes, even with an empty password";
  for (int i = 1; i <= 6; ++i) ASSERT_TRUE(model.Add("10.0.0." + std::to_string(i), "").accepted);
  model.Delete({1, 4});
  std::vector<std::string> left;
  for (const CManagementSegment& s : model.Segments()) left.push_back(s.from_ip);
  EXPECT_EQ(left, (std::vector<std::string>{"10.0.0.1", "10.0.0.3", "10.0.0.4", "10.0.0.6"}));

  CManageSegmentModel::Verdict blank = model.Ok("");
  EXPECT_FALSE(blank.accepted);
  EXPECT_EQ(blank.message, "The discovery password cannot been blank!");
  EXPECT_EQ(blank.focus, CManageSegmentModel::Field::Password);

  EXPECT_TRUE(model.Ok("private").accepted);
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM management_segment"), "4");
  {
    std::lock_guard hold(g_RuntimeSettings.csSettings);
    EXPECT_EQ(g_RuntimeSettings.strReadCommunity, "private");
    EXPECT_EQ(g_RuntimeSettings.strWriteCommunity, "private");
  }
  CManageSegmentModel reopened;
  reopened.Load();
  EXPECT_EQ(reopened.Segments().size(), 4u);
  EXPECT_EQ(reopened.StoredPassword(), "private");
  EXPECT_FALSE(reopened.Modified());
}

TEST(StartupSettingsTest, ScalesTheSettingsRowAndCopiesThePassword) {
  TempDatabase database;
  ASSERT_TRUE(database.Exec("UPDATE global_setting SET interval = 10, timeout = 1, monitor_time = 10, "
                            "log_level = 7, threadno = 4, w_community = 'private', country_index = 2"));
  ASSERT_TRUE(ReadStartupSettings([](int index, int& code) {
    code = index == 2 ? 32 : 0;
    return true;
  }));
  std::lock_guard hold(g_RuntimeSettings.csSettings);
  EXPECT_EQ(g_RuntimeSettings.nPollingIntervalMs, 10000);
  EXPECT_EQ(g_RuntimeSettings.nSnmpTimeout, 100);
  EXPECT_EQ(g_RuntimeSettings.nMonitorIntervalMs, 10000);
  EXPECT_EQ(g_RuntimeSettings.nPollingThreads, 4);
  EXPECT_EQ(g_RuntimeSettings.nCountryCode, 32);
  EXPECT_EQ(g_nLogLevelMask, 7);
  EXPECT_EQ(g_RuntimeSettings.strReadCommunity, "private");
  EXPECT_EQ(g_RuntimeSettings.strWriteCommunity, "private");
}

}  // namespace

namespace {

TEST(ManageSegmentModelTest, DamagedStoredSegmentsAreReadWithoutFailing) {
  TempDatabase database;
  ASSERT_TRUE(database.Exec("INSERT INTO management_segment (from_ip, to_ip) VALUES ('10.x.0.1', ''), "
                            "('', '10.0.0.9'), ('99999999999999999999.1.1.1', '1.2')"));
  CManageSegmentModel model;
  model.Load();
  const CManageSegmentModel::Verdict verdict = model.Add("10.0.0.5", "");
  EXPECT_TRUE(verdict.accepted || verdict.message == "the segment already input!");
  EXPECT_EQ(CManageSegmentModel::AddressValue("1.2.3.4"), 0x01020304u);
  EXPECT_EQ(CManageSegmentModel::AddressValue("a.b"), 0u);
}

}  // namespace
