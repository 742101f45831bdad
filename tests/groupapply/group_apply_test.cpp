// Applying a group template to the simulated reference APs: the SET requests each AP really received,
// in order, the commit rule, what the database then holds, the progress messages and cancelling.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "device/GlobalSettings.h"
#include "groupapply/ApplyTemplateThread.h"
#include "groupapply/GroupTemplateApply.h"
#include "groups/GroupStore.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
const std::string kRoot = "1.3.6.1.4.1.44711.1.";

class GroupApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.strReadCommunity = "public";
    g_RuntimeSettings.strWriteCommunity = "private";
    g_RuntimeSettings.nSnmpTimeout = 50;
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  }
  void TearDown() override { platform::RunShutdown(); }

  // The SETs the AP received since the last call, as "suffix=value" below the AP's root.
  std::vector<std::string> Received(const char* address) {
    std::vector<std::string> sets;
    for (const std::string& line : devsim_.ReceivedSets(address)) {
      const auto tag = line.find('|');
      std::string oid = line.substr(0, tag);
      if (oid.starts_with(kRoot)) oid = oid.substr(kRoot.size());
      sets.push_back(oid + "=" + line.substr(line.find('|', tag + 1) + 1));
    }
    return sets;
  }
  void Apply(const GroupTemplateRecord& groupTemplate, const std::string& mac, const char* ip) {
    static int groups = 0;
    const std::string group = "g" + std::to_string(++groups);
    GroupTemplateRecord copy = groupTemplate;
    ASSERT_EQ(GetGroupStore()->AddGroup(group, &copy), 0);
    lastGroup_ = group;
    CApplyTemplateThread thread(0);
    thread.SetOwnerWindow(window_.Id());
    thread.ApplyGroup(group, ip, mac);
  }
  std::vector<std::string> ActionLog() {
    std::vector<std::string> lines;
    for (const auto& row : database_.Rows("select description from system_log where type=0 order by \"index\""))
      lines.push_back(row[0]);
    return lines;
  }
  std::string Stored(const std::string& column) {
    return database_.Value("select " + column + " from ap_property where mac = ?", {net::kAp1});
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageRecorder window_{false};
  std::string lastGroup_;
};

TEST_F(GroupApplyTest, ATemplateReachesTheApInItsFixedOrder) {
  struct Case {
    const char* what;
    GroupTemplateRecord groupTemplate;
    std::vector<std::string> sets;
  };
  const auto with = [](auto change) {
    GroupTemplateRecord t;
    change(t);
    return t;
  };
  const Case cases[] = {
      {"SSID only", with([](auto& t) { t.ssid = "O'Brien"; }), {"4.3.0=O'Brien", "1.3.0=1"}},
      {"fixed channel", with([](auto& t) { t.channel = 6; }), {"4.26.0=0", "4.2.0=6", "4.2.0=6", "1.3.0=1"}},
      {"transmit rates", with([](auto& t) { t.tx_rate = 3; }), {"4.6.0=11", "1.3.0=1"}},
      {"WEP-128 key 2", with([](auto& t) {
         t.security_type = 4;
         t.wep_64_key_type = 1;
         t.wep_128_def_key_value = 2;
         t.wep_128_key3_value = "0123456789abcdef0123456789";
       }),
       {"4.5.1.0=4", "4.5.4.2.1.0=1", "4.5.4.2.2.0=2", "4.5.4.2.5.0=0123456789abcdef0123456789", "1.3.0=1"}},
      {"RADIUS server 2 only where set", with([](auto& t) {
         t.security_type = 9;
         t.radius_server1_ip = "127.0.0.5";
         t.radius_server1_port = 1812;
         t.radius_server1_secret = "s1";
         t.radius_server2_secret = "s2";
         t.radius_server2_port = 0;
       }),
       {"4.5.1.0=9", "4.5.5.1.0=127.0.0.5", "4.5.5.2.0=1812", "4.5.5.3.0=s1", "4.5.6.3.0=s2", "1.3.0=1"}},
  };
  for (const Case& c : cases) {
    Received(DevSimReference::kAp1);
    Apply(c.groupTemplate, net::kAp1, DevSimReference::kAp1);
    EXPECT_EQ(Received(DevSimReference::kAp1), c.sets) << c.what;
    EXPECT_EQ(ActionLog().back(), "Apply " + lastGroup_ + " template to AP 127.0.0.11[" + net::kAp1 + "] success")
        << c.what;
  }
  EXPECT_EQ(Stored("crvAPssid"), "O'Brien");
  EXPECT_EQ(Stored("crvAPChannel"), "6");
  EXPECT_EQ(Stored("crvAPTxRates"), "11");
  EXPECT_EQ(Stored("radiusSharedSecret2"), "s2");
}

}  // namespace
