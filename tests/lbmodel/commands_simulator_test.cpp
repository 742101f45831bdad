// A load-balance group made of two reference APs on the simulated network: the group is stored, both APs
// get the SSID and the balancing switch, and a reload shows the group again.
#include <gtest/gtest.h>

#include <mutex>

#include "lbmodel/LoadBalanceCommands.h"
#include "lbmodel/ManagerLoadBalanceService.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "log/LogDBModule.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::DevSimReference;
namespace net = testing_support::reference_network;
const std::string kRoot = "1.3.6.1.4.1.44711.1";

class LoadBalanceOnTheSimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.nSnmpTimeout = 30;
    }
    ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
    ASSERT_TRUE(net::AddApProperties(database, "127.0.0.1"));
    for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2})
      simulator.Set(ap, kRoot + ".1.9.0|64|127.0.0.1");  // already sending traps here: no host question
  }
  void TearDown() override { platform::RunShutdown(); }
  std::string Value(const char* ap, const std::string& suffix) { return simulator.Value(ap, kRoot + suffix); }

  testing_support::MessageRecorder mainWindow;
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
  testing_support::DevSimProcess simulator;
  CManagerLoadBalanceService service{*GetLoadBalanceManager()};
  std::vector<std::string> log;
  CLoadBalanceCommands commands{service, [this](const std::string& line) {
                                  GetLogDBModule()->WriteActionLog(line);
                                  log.push_back(line);
                                }};
};

TEST_F(LoadBalanceOnTheSimulatorTest, AGroupOfTwoApsBalancesOnBoth) {
  ASSERT_TRUE(commands.Refresh());
  EXPECT_TRUE(commands.Groups().empty());
  CLoadBalanceGroupForm form = commands.PrepareAddGroup({});
  ASSERT_EQ(form.candidateAps.size(), 3u);
  form.Begin();
  form.name = "O'Brien";
  std::vector<ApInfoRecord> ticked;
  for (const ApInfoRecord& ap : form.candidateAps)
    if (ap.ip == DevSimReference::kAp1 || ap.ip == DevSimReference::kAp2) ticked.push_back(ap);
  ASSERT_EQ(form.Ok(ticked, -1, "").kind, FormAnswer::Close);
  ASSERT_EQ(form.groupSsid, "corvath");

  ASSERT_TRUE(commands.AddGroup(form));
  EXPECT_EQ(log, (std::vector<std::string>{"Add LoadBalance Group [O'Brien] Succeed"}));
  EXPECT_TRUE(boxes.Texts().empty());
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2}) {
    EXPECT_EQ(Value(ap, ".4.18.0"), "1") << ap;
    EXPECT_EQ(Value(ap, ".4.3.0"), "corvath") << ap;
  }
  EXPECT_NE(Value(DevSimReference::kAp3, ".4.18.0"), "1") << "the AP left out is not touched";
  EXPECT_EQ(database.Rows("SELECT group_name, type, load_balance FROM load_balance_group"),
            (std::vector<std::vector<std::string>>{{"O'Brien", "corvath", "1"}}));
  EXPECT_EQ(database.Rows("SELECT mac FROM device_list_prev WHERE group_balance = ? ORDER BY mac", {"O'Brien"}),
            (std::vector<std::vector<std::string>>{{net::kAp1}, {net::kAp2}}));

  // A reload reads the same group back from the database.
  const std::vector<LbTreeNode> before = commands.Tree().Roots();
  ASSERT_TRUE(commands.Refresh());
  ASSERT_EQ(commands.Tree().Roots().size(), 1u);
  EXPECT_EQ(commands.Tree().Roots()[0].text, "O'Brien");
  ASSERT_EQ(commands.Tree().Roots()[0].children.size(), 2u);
  EXPECT_EQ(commands.Tree().Roots()[0].children[0].text, before[0].children[0].text);

  // Switching the group off reaches both APs.
  ASSERT_TRUE(commands.SetGroupBalancing("O'Brien", false));
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2}) EXPECT_EQ(Value(ap, ".4.18.0"), "0") << ap;
  EXPECT_EQ(log.back(), "Disable LoadBalance Group [O'Brien] Succeeded");
}

// A group defined by a load-balance template of the group store has no load_balance_group row of its own;
// other groups in that table must not make switching it, or emptying it, fail.
TEST_F(LoadBalanceOnTheSimulatorTest, ATemplateGroupFollowsWhatWasDoneBesideAStoredGroup) {
  ASSERT_TRUE(database.Exec("INSERT INTO user_def_group_main_template (group_template_index, loadbalance_group) "
                            "VALUES (4, 1)"));
  for (const std::string& mac : {std::string(), std::string(net::kAp3)})
    ASSERT_TRUE(database.Exec(
        "INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES ('annex', 4, ?)",
        {mac}));
  ASSERT_TRUE(database.Exec("INSERT INTO load_balance_group (\"index\", group_name, load_balance) "
                            "VALUES (0, 'stored', 1)"));
  simulator.Set(DevSimReference::kAp3, kRoot + ".1.9.0|64|127.0.0.1");
  ASSERT_TRUE(commands.Refresh());
  ASSERT_EQ(commands.GroupNames(), (std::vector<std::string>{"annex", "stored"}));

  ASSERT_TRUE(commands.SetGroupBalancing("annex", false));
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.18.0"), "0");
  EXPECT_EQ(log.back(), "Disable LoadBalance Group [annex] Succeeded");
  EXPECT_EQ(commands.Groups()[0].load_balance, 0);
  EXPECT_EQ(commands.Tree().Roots()[0].image, CLoadBalanceTree::kOffImage);
  ASSERT_TRUE(commands.SetGroupBalancing("annex", true));
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.18.0"), "1");
  EXPECT_EQ(commands.Tree().Roots()[0].image, CLoadBalanceTree::kGroupImage);
  EXPECT_EQ(database.Rows("SELECT group_name, load_balance FROM load_balance_group"),
            (std::vector<std::vector<std::string>>{{"stored", "1"}}))
      << "the other group's row is left alone";

  ASSERT_TRUE(commands.DeleteGroupAps("annex"));
  EXPECT_EQ(log.back(), "Delete All aps of LoadBalance Group [annex] Succeeded");
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.18.0"), "0");
  EXPECT_TRUE(commands.Groups()[0].aps.empty());

  // A stored group whose row went away underneath is a real failure, and says so.
  ASSERT_TRUE(database.Exec("DELETE FROM load_balance_group"));
  ASSERT_TRUE(database.Exec("INSERT INTO load_balance_group (\"index\", group_name, load_balance) "
                            "VALUES (1, 'elsewhere', 1)"));
  EXPECT_FALSE(commands.SetGroupBalancing("stored", false));
  EXPECT_EQ(log.back(), "Disable LoadBalance Group [stored] Failed");
  EXPECT_EQ(commands.Groups()[1].load_balance, 1) << "the group's flag stays as stored";
}

}  // namespace
