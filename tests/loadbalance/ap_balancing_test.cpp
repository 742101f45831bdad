// Load balancing and management hosts on the simulated APs: what reaches each AP, what the records and
// the action log then say, and where the user is asked.
#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "LoadBalanceFixture.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/ReferenceNetworkRows.h"

namespace {

using Texts = std::vector<std::string>;
using testing_support::DevSimReference;
namespace net = testing_support::reference_network;
const std::string kRoot = "1.3.6.1.4.1.44711.1";
constexpr char kAway[] = "10.255.0.9";  // an address of no interface here

class ApBalancingTest : public LoadBalanceTest {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.nSnmpTimeout = 30;
    }
    ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
    ASSERT_TRUE(net::AddApProperties(database, ""));
    manager.SetHostChooser([this](const std::string& oldHost, const std::string& apIp, const std::list<std::string>&) {
      asked.push_back(apIp + " was " + oldHost);
      return answer;
    });
  }
  void TearDown() override {
    manager.SetHostChooser(nullptr);
    LoadBalanceTest::TearDown();
  }
  std::string Value(const char* ap, const std::string& suffix) { return simulator.Value(ap, kRoot + suffix); }
  void SetHost(const char* ap, const std::string& host) { simulator.Set(ap, kRoot + ".1.9.0|64|" + host); }
  // The managed APs as the load-balance tree hands them over, each to get the given SSID.
  std::vector<ApInfoRecord> Aps(const std::string& ssid) {
    std::vector<ApInfoRecord> aps;
    manager.GetLoadBalanceApList(aps);
    for (ApInfoRecord& ap : aps) ap.ssid = ssid;
    return aps;
  }
  ApInfoRecord Unknown() {
    ApInfoRecord ap;
    ap.ip = DevSimReference::kUnknown;
    ap.mac = net::kUnknown;
    ap.write_community = "private";
    ap.ssid = "hall";
    ap.saved_ssid = "corvath";
    return ap;
  }
  static bool Has(const Texts& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  testing_support::DevSimProcess simulator;
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  Texts asked;
  std::optional<std::string> answer;
};

TEST_F(ApBalancingTest, AnEmptyListChangesNothing) {
  std::vector<ApInfoRecord> none;
  std::vector<ApInfoRecord> failed;
  EXPECT_TRUE(manager.SetLoadBalance(none, failed, 1, true));
  EXPECT_TRUE(failed.empty());
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(database.ActionLog().empty());
}

TEST_F(ApBalancingTest, AHostChosenForTheFirstApGoesToEveryApWithoutALocalOne) {
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3}) SetHost(ap, kAway);
  answer = "127.0.0.1";
  std::vector<ApInfoRecord> aps = Aps("O'Brien");
  std::vector<ApInfoRecord> failed;
  ASSERT_TRUE(manager.SetLoadBalance(aps, failed, 1, true));
  EXPECT_EQ(asked, (Texts{std::string(DevSimReference::kAp1) + " was " + kAway})) << "one dialog for the list";
  EXPECT_TRUE(failed.empty());
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3}) {
    EXPECT_EQ(Value(ap, ".1.9.0"), "127.0.0.1") << ap;
    EXPECT_EQ(Value(ap, ".4.3.0"), "O'Brien") << ap;
    EXPECT_EQ(Value(ap, ".4.18.0"), "1") << ap;
  }
  for (const ApInfoRecord& ap : aps) {
    EXPECT_EQ(ap.enterpriseAPSysSNMPTrapIP, "127.0.0.1");
    EXPECT_EQ(ap.crvAPWaterLevelBalancing, "1");
  }
  const Texts log = database.ActionLog();
  EXPECT_TRUE(Has(log, "Set the management host(127.0.0.1) of the AP : 127.0.0.11 Succeeded"));
  EXPECT_TRUE(Has(log, "Set the management host(127.0.0.1) of the AP : 127.0.0.13 Succeeded"));
  EXPECT_TRUE(Has(log, "Set Loadbalnce = 1  of the AP : 127.0.0.12 succeed"));
  EXPECT_TRUE(Has(log, "Set the AP'SSID (O'Brien) of the AP : 127.0.0.12 succeed"));

  ASSERT_TRUE(manager.SaveApLoadBalanceProperties(aps, failed, true));
  EXPECT_EQ(Rows("SELECT crvAPWaterLevelBalancing, crvAPUserNumLimit, crvAPssid, enterpriseAPSysSNMPTrapIP "
                 "FROM ap_property WHERE mac = ?",
                 {net::kAp3}),
            (Texts{"1|7|O'Brien|127.0.0.1"}));
}

TEST_F(ApBalancingTest, AfterACancelTheApsAreSetWithoutAskingAgain) {
  SetHost(DevSimReference::kAp1, kAway);
  SetHost(DevSimReference::kAp2, kAway);
  std::vector<ApInfoRecord> aps = Aps("hall");
  std::vector<ApInfoRecord> failed;
  ASSERT_TRUE(manager.SetLoadBalance(aps, failed, 1, true));
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_TRUE(failed.empty());
  EXPECT_EQ(Value(DevSimReference::kAp2, ".1.9.0"), kAway) << "no host step after the cancel";
  EXPECT_EQ(Value(DevSimReference::kAp2, ".4.3.0"), "hall");
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.18.0"), "1");
  EXPECT_TRUE(Has(database.ActionLog(), "Set Loadbalnce = 1  of the AP : 127.0.0.11 succeed"));
}

TEST_F(ApBalancingTest, WithoutTheHostStepsTheSwitchIsStillSetAndAnOddValueLeavesTheRecord) {
  std::vector<ApInfoRecord> aps = Aps("hall");
  aps[0].crvAPWaterLevelBalancing = "1";
  simulator.Set(DevSimReference::kAp1, kRoot + ".4.18.0|2|1");
  std::vector<ApInfoRecord> failed;
  ASSERT_TRUE(manager.SetLoadBalance(aps, failed, 2, false));
  EXPECT_TRUE(failed.empty());
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.18.0"), "0") << "any value but 1 switches balancing off";
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.3.0"), "corvath") << "no SSID step";
  EXPECT_EQ(aps[0].crvAPWaterLevelBalancing, "1");
  EXPECT_EQ(aps[1].crvAPWaterLevelBalancing, "") << "as it was read";
  const Texts log = database.ActionLog();
  EXPECT_TRUE(Has(log, "Set Loadbalnce = 2  of the AP : 127.0.0.11 succeed"));
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.find("SSID") != l.npos; }), 0);
}

TEST_F(ApBalancingTest, AnApThatCannotBeSetIsRevertedReportedAndReturnedAsFailed) {
  // The unknown device has no stored sysObjectID: its objects cannot be named, so nothing is sent.
  std::vector<ApInfoRecord> aps = {Unknown()};
  std::vector<ApInfoRecord> failed;
  ASSERT_TRUE(manager.SetLoadBalance(aps, failed, 1, false));
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(aps[0].ssid, "corvath");
  EXPECT_EQ(boxes.Texts(), (Texts{"AP node 127.0.0.14 set loadbalance failed"}));
  EXPECT_EQ(database.ActionLog(), (Texts{"AP node 127.0.0.14 set loadbalance failed"}));

  // With the host step, its failure (the AP does not answer) skips the AP before anything is set.
  simulator.Configure(DevSimReference::kAp1, "silent on");
  std::vector<ApInfoRecord> silent = Aps("hall");
  silent.resize(1);
  failed.clear();
  ASSERT_TRUE(manager.SetLoadBalance(silent, failed, 1, true));
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].ssid, failed[0].saved_ssid);
  EXPECT_EQ(boxes.Texts().back(), "Set the management host of the AP : 127.0.0.11 failed");
  EXPECT_TRUE(asked.empty());
}

TEST_F(ApBalancingTest, ManagementHostOutcomes) {
  const std::string local = "127.0.0.1";
  struct Case {
    const char* name;
    std::string stored;   // the record's trap host
    std::string current;  // the AP's .1.9.0
    std::optional<std::string> answer;
    LoadBalanceManager_DB::ManagementHostResult result;
    std::string trapAfter;
    std::string apAfter;
    bool asks;
    Texts log;
  };
  const Case cases[] = {
      {"already local and stored",
       local,
       local,
       std::nullopt,
       LoadBalanceManager_DB::kHostLocal,
       local,
       local,
       false,
       {}},
      {"stored local is set",
       local,
       kAway,
       std::nullopt,
       LoadBalanceManager_DB::kHostLocal,
       local,
       local,
       false,
       {"Set the management host(127.0.0.1) of the AP : 127.0.0.11 Succeeded"}},
      {"AP's own local host taken over",
       "",
       local,
       std::nullopt,
       LoadBalanceManager_DB::kHostLocal,
       local,
       local,
       false,
       {}},
      {"neither local, cancel",
       kAway,
       kAway,
       std::nullopt,
       LoadBalanceManager_DB::kHostCancelled,
       kAway,
       kAway,
       true,
       {}},
      {"the AP's own host picked", "", kAway, kAway, LoadBalanceManager_DB::kHostChosen, kAway, kAway, true, {}},
      {"another host picked",
       "",
       kAway,
       local,
       LoadBalanceManager_DB::kHostChosen,
       local,
       local,
       true,
       {"Set the management host(127.0.0.1) of the AP : 127.0.0.11 Succeeded"}},
  };
  std::list<std::string> addresses;
  ASSERT_GT(manager.GetLocalIpList(addresses), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetHost(DevSimReference::kAp1, c.current);
    ASSERT_TRUE(database.Exec("DELETE FROM system_log"));
    asked.clear();
    answer = c.answer;
    ApInfoRecord ap = Aps("")[0];
    ap.enterpriseAPSysSNMPTrapIP = c.stored;
    EXPECT_EQ(manager.SetManagementHost(ap, addresses), c.result);
    EXPECT_EQ(ap.enterpriseAPSysSNMPTrapIP, c.trapAfter);
    EXPECT_EQ(Value(DevSimReference::kAp1, ".1.9.0"), c.apAfter);
    EXPECT_EQ(asked.size(), c.asks ? 1u : 0u);
    EXPECT_EQ(database.ActionLog(), c.log);
  }
  EXPECT_TRUE(boxes.Texts().empty());

  ApInfoRecord noAddress;
  EXPECT_EQ(manager.SetManagementHost(noAddress, addresses), LoadBalanceManager_DB::kHostFailed);
  EXPECT_TRUE(boxes.Texts().empty());
  simulator.Configure(DevSimReference::kAp1, "silent on");
  ApInfoRecord silent = Aps("")[0];
  EXPECT_EQ(manager.SetManagementHost(silent, addresses), LoadBalanceManager_DB::kHostFailed);
  EXPECT_EQ(boxes.Texts(), (Texts{"Set the management host of the AP : 127.0.0.11 failed"}));
  EXPECT_TRUE(Has(database.ActionLog(), "Set the management host of the AP : 127.0.0.11 failed"));
  EXPECT_FALSE(manager.IsLocalAddress(kAway));
}

TEST_F(ApBalancingTest, WrittenHostsAndTheBalancingStateReadFromTheAp) {
  ApInfoRecord ap = Aps("")[1];
  ASSERT_TRUE(manager.WriteManagementHost(ap, kAway));
  EXPECT_EQ(ap.enterpriseAPSysSNMPTrapIP, kAway);
  EXPECT_EQ(Value(DevSimReference::kAp2, ".1.9.0"), kAway);
  EXPECT_EQ(database.ActionLog(), (Texts{"Set the management host of the AP : 127.0.0.12 succeed"}));
  ApInfoRecord unknown = Unknown();
  EXPECT_FALSE(manager.WriteManagementHost(unknown, kAway));
  EXPECT_EQ(boxes.Texts(), (Texts{"Set the management host of the AP : 127.0.0.14 failed"}));
  ApInfoRecord noAddress;
  EXPECT_TRUE(manager.WriteManagementHost(noAddress, kAway));

  simulator.Set(DevSimReference::kAp2, kRoot + ".4.18.0|2|1");
  EXPECT_EQ(manager.GetApLoadBalanceState(ap), 1);
  EXPECT_EQ(ap.online + ap.crvAPWaterLevelBalancing, "11");
  simulator.Set(DevSimReference::kAp2, kRoot + ".4.18.0|2|7");
  EXPECT_EQ(manager.GetApLoadBalanceState(ap), 1);
  EXPECT_EQ(ap.online + "[" + ap.crvAPWaterLevelBalancing + "]", "1[]");
  ApInfoRecord stranger;
  stranger.ip = "127.0.0.99";
  stranger.online = "x";
  stranger.crvAPWaterLevelBalancing = "1";
  EXPECT_EQ(manager.GetApLoadBalanceState(stranger), -1);
  EXPECT_EQ(stranger.online + "[" + stranger.crvAPWaterLevelBalancing + "]", "x[]");
  simulator.Configure(DevSimReference::kAp2, "silent on");
  EXPECT_EQ(manager.GetApLoadBalanceState(ap), 1);
  EXPECT_EQ(ap.online, "0");
}

TEST_F(ApBalancingTest, TheStoredSwitchIsPushedOnlyWhenTheApDiffers) {
  ASSERT_TRUE(manager.SetApUserNumLimit("20", net::kAp1));
  ASSERT_TRUE(database.Exec("UPDATE ap_property SET crvAPWaterLevelBalancing = '1' WHERE mac = ?", {net::kAp1}));
  EXPECT_TRUE(manager.PushApLoadBalanceState(DevSimReference::kAp1, net::kAp1, "private"));
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.18.0"), "1");
  EXPECT_FALSE(manager.PushApLoadBalanceState(DevSimReference::kAp1, net::kAp1, "private")) << "nothing to do";
  EXPECT_FALSE(manager.PushApLoadBalanceState(DevSimReference::kAp2, net::kAp2, "private")) << "nothing stored";
  EXPECT_FALSE(manager.PushApLoadBalanceState(DevSimReference::kAp1, net::kAp1, ""));
}

TEST_F(ApBalancingTest, PeersAreTheMembersOfABalancingGroupItselfIncluded) {
  ASSERT_TRUE(
      database.Exec("INSERT INTO user_def_group_main_template (group_template_index, loadbalance_group) "
                    "VALUES (5, 1), (6, 0)"));
  ASSERT_TRUE(
      database.Exec("INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES "
                    "('hall', 5, ?), ('hall', 5, ?), ('hall', 5, ?), ('quiet', 6, ?)",
                    {net::kAp1, net::kAp2, net::kAp3, net::kUnknown}));
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp3}) {
    std::vector<ApInfoRecord> peers;
    EXPECT_TRUE(manager.GetLoadBalancePeers(ap, peers));
    Texts seen;
    for (const ApInfoRecord& peer : peers) seen.push_back(peer.ip + " " + peer.mac);
    EXPECT_EQ(seen, (Texts{"127.0.0.11 " + net::kAp1, "127.0.0.12 " + net::kAp2, "127.0.0.13 " + net::kAp3})) << ap;
  }
  std::vector<ApInfoRecord> none;
  EXPECT_TRUE(manager.GetLoadBalancePeers(DevSimReference::kUnknown, none));
  EXPECT_TRUE(manager.GetLoadBalancePeers("127.0.0.99", none));
  EXPECT_TRUE(none.empty());
  EXPECT_TRUE(manager.IsApInLoadBalanceTemplate(DevSimReference::kAp2, true));
  EXPECT_TRUE(manager.IsApInLoadBalanceTemplate(net::kAp2, false));
  EXPECT_FALSE(manager.IsApInLoadBalanceTemplate(DevSimReference::kUnknown, true));
}

TEST_F(ApBalancingTest, TheLastOnlinePeerOfAGroupIsSwitchedOff) {
  ASSERT_TRUE(database.Exec("UPDATE device_list_prev SET group_balance = 'hall' WHERE mac IN (?, ?)",
                            {net::kAp1, net::kAp2}));
  simulator.Set(DevSimReference::kAp2, kRoot + ".4.18.0|2|1");
  std::vector<ApInfoRecord> out;
  EXPECT_TRUE(manager.DisableLastGroupPeer({net::kAp1, net::kAp3}, out));
  ASSERT_EQ(out.size(), 1u) << "AP_3 is in no group";
  EXPECT_EQ(out[0].mac, net::kAp2);
  EXPECT_EQ(out[0].crvAPWaterLevelBalancing, "0");
  EXPECT_EQ(Value(DevSimReference::kAp2, ".4.18.0"), "0");
  EXPECT_FALSE(manager.CheckApList(1, out));
}

TEST_F(ApBalancingTest, DatabaseFileCommandsRefuseAnEmptyPath) {
  std::string none;
  EXPECT_FALSE(manager.BackupDatabase(none));
  EXPECT_FALSE(manager.RestoreDatabase(""));
  EXPECT_FALSE(manager.CheckDatabase("/nonexistent/pellion.mdb"));
}

}  // namespace
