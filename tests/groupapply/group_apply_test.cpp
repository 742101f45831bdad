// Applying a group template to the simulated reference APs: the SET requests each AP really received,
// in order, the commit rule, what the database then holds, the progress messages and cancelling.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "groupapply/ApplyTemplateThread.h"
#include "groupapply/GroupTemplateApply.h"
#include "groups/GroupStore.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
const std::string kRoot = "1.3.6.1.4.1.44711.1.";

class GroupApplyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSnmpDefaults("public", "private", 50);
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  }
  void TearDown() override { platform::RunShutdown(); }

  // The SETs the AP received since the last call, as "suffix=value" below the AP's root.
  std::vector<std::string> Received(const char* address) { return devsim_.ReceivedSetsBelow(address, kRoot); }
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
    EXPECT_EQ(database_.ActionLog().back(),
              "Apply " + lastGroup_ + " template to AP 127.0.0.11[" + net::kAp1 + "] success")
        << c.what;
  }
  EXPECT_EQ(Stored("crvAPssid"), "O'Brien");
  EXPECT_EQ(Stored("crvAPChannel"), "6");
  EXPECT_EQ(Stored("crvAPTxRates"), "11");
  EXPECT_EQ(Stored("radiusSharedSecret2"), "s2");
}

// The AP filters A and B, the template B and C: A is deleted, C added, B left alone.
TEST_F(GroupApplyTest, MacFilterFollowsTheTemplateByWalkingTheAp) {
  devsim_.Set(DevSimReference::kAp1, kRoot + "3.5.1.1.1|2|1");
  devsim_.Set(DevSimReference::kAp1, kRoot + "3.5.1.2.1|4|AA:AA:AA:AA:AA:01");
  devsim_.Set(DevSimReference::kAp1, kRoot + "3.5.1.1.2|2|2");
  devsim_.Set(DevSimReference::kAp1, kRoot + "3.5.1.2.2|4|BB:BB:BB:BB:BB:02");
  GroupTemplateRecord t;
  t.mac_filter_type = 1;
  t.mac_control = {{"BB:BB:BB:BB:BB:02", "b", 1}, {"CC CC CC CC CC 03", "c", 1}};
  Received(DevSimReference::kAp1);
  Apply(t, net::kAp1, DevSimReference::kAp1);
  EXPECT_EQ(Received(DevSimReference::kAp1),
            (std::vector<std::string>{"3.1.0=1", "3.3.0=AAAAAAAAAA01", "3.2.0=CCCCCCCCCC03", "1.3.0=1"}));
  EXPECT_EQ(database_.Rows("select filterMAC from filter_entry where mac = ?", {net::kAp1}),
            (CAccessDatabase::TextRows{{"CC:CC:CC:CC:CC:03"}}));
}

// One MAC in another letter case on the AP is the same entry: nothing is deleted or added.
TEST_F(GroupApplyTest, MacFilterComparesMacsWithoutLetterCase) {
  devsim_.Set(DevSimReference::kAp1, kRoot + "3.5.1.1.2|2|2");
  devsim_.Set(DevSimReference::kAp1, kRoot + "3.5.1.2.2|4|02:55:00:0a:bb:01");
  GroupTemplateRecord t;
  t.mac_filter_type = 1;
  t.mac_control = {{"02:55:00:00:00:01", "a", 1}, {"02:55:00:0A:BB:01", "b", 1}};
  Received(DevSimReference::kAp1);
  Apply(t, net::kAp1, DevSimReference::kAp1);
  EXPECT_EQ(Received(DevSimReference::kAp1), (std::vector<std::string>{"3.1.0=1", "1.3.0=1"}));
}

// Refusals: a refused first channel is expected and does not count; any other refusal fails the AP but
// keeps every other SET and the commit, and what the AP accepted is still stored.
TEST_F(GroupApplyTest, RefusedSetsAndTheCommitRule) {
  GroupTemplateRecord channel;
  channel.channel = 6;
  devsim_.Unset(DevSimReference::kAp1, kRoot + "4.2.0");
  Received(DevSimReference::kAp1);
  Apply(channel, net::kAp1, DevSimReference::kAp1);
  EXPECT_EQ(Received(DevSimReference::kAp1), (std::vector<std::string>{"4.26.0=0", "1.3.0=1"}));
  const std::string ap = "AP 127.0.0.11[" + net::kAp1 + "]";
  EXPECT_EQ(database_.ActionLog().back(),
            "Apply " + lastGroup_ + " template to " + ap + " fail");  // the second one counts

  GroupTemplateRecord many;
  many.ssid = "net";
  many.beacon_interval = 100;
  many.dtim_interval = 3;
  devsim_.Unset(DevSimReference::kAp1, kRoot + "4.11.0");
  Apply(many, net::kAp1, DevSimReference::kAp1);
  EXPECT_EQ(Received(DevSimReference::kAp1), (std::vector<std::string>{"4.3.0=net", "4.13.0=3", "1.3.0=1"}));
  const auto log = database_.ActionLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "got error on setting AP:127.0.0.11 with group setting");
  EXPECT_EQ(log.back(), "Apply " + lastGroup_ + " template to " + ap + " fail");
  EXPECT_EQ(Stored("crvAPssid"), "net");
  EXPECT_EQ(Stored("crvAPDTIMinterval"), "3");

  // Host, balancing and limit only: the load-balance columns are written, nothing to commit.
  GroupTemplateRecord balance;
  balance.management_host = "127.0.0.2";
  balance.loadbalance_group = 1;
  balance.UserNumberLimit = "12";
  Apply(balance, net::kAp1, DevSimReference::kAp1);
  EXPECT_EQ(Received(DevSimReference::kAp1), (std::vector<std::string>{"1.9.0=127.0.0.2", "4.16.0=12"}));
  EXPECT_EQ(database_.ActionLog().back(), "Apply " + lastGroup_ + " template to " + ap + " success");
  EXPECT_EQ(Stored("enterpriseAPSysSNMPTrapIP"), "127.0.0.2");
  EXPECT_EQ(Stored("LoadBalanceStatus"), "1");
  EXPECT_EQ(Stored("crvAPUserNumLimit"), "12");
}

// The AP took the template but the database could not store it: the log says so, not "success".
TEST_F(GroupApplyTest, AnApplyTheDatabaseCannotStoreIsNotASuccess) {
  ASSERT_TRUE(database_.BreakWrites("ap_property", "UPDATE"));
  ASSERT_TRUE(database_.BreakWrites("ap_property", "INSERT"));
  GroupTemplateRecord t;
  t.ssid = "taken";
  Apply(t, net::kAp1, DevSimReference::kAp1);
  EXPECT_EQ(devsim_.Value(DevSimReference::kAp1, kRoot + "4.3.0"), "taken");
  EXPECT_EQ(database_.ActionLog().back(),
            "Apply " + lastGroup_ + " template to AP 127.0.0.11[" + net::kAp1 + "] changed on device, not saved");
  for (const std::string& line : database_.ActionLog()) EXPECT_EQ(line.find("success"), std::string::npos);
}

// An AP that does not answer accepts nothing: no commit, the error lines, nothing stored.
TEST_F(GroupApplyTest, ADeadApFailsWithoutTouchingTheDatabase) {
  devsim_.Configure(DevSimReference::kAp2, "silent on");
  GroupTemplateRecord t;
  t.ssid = "net";
  Apply(t, net::kAp2, DevSimReference::kAp2);
  EXPECT_TRUE(Received(DevSimReference::kAp2).empty());
  const auto log = database_.ActionLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "got error on setting AP:127.0.0.12 with group setting");
  EXPECT_EQ(database_.Value("select count(*) from ap_property"), "0");
}

// A group of three applied end to end on the thread; a cancel after the first AP skips the others, and
// the closing messages still follow.
TEST_F(GroupApplyTest, TheThreadAppliesAGroupAndACancelSkipsTheRest) {
  GroupTemplateRecord t;
  t.ssid = "net";
  ASSERT_EQ(GetGroupStore()->AddGroup("three", &t), 0);
  for (const std::string& mac : {net::kAp1, net::kAp2, net::kAp3}) ASSERT_EQ(GetGroupStore()->AddApToGroup("three", mac), 0);
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3}) Received(ap);

  CApplyTemplateThread all(0);
  all.SetOwnerWindow(window_.Id());
  ASSERT_TRUE(all.StartApply("three"));
  ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_POLLING_RESTART, 1));
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    EXPECT_EQ(Received(ap), (std::vector<std::string>{"4.3.0=net", "1.3.0=1"})) << ap;
  const auto messages = window_.Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front().id, msg::WM_NMS_POLLING_LOCK);
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_TEMPLATE_STEP).size(), 16u);  // 5 per AP and the last
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_TEMPLATE_STEP).back().wParam, 18u);
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_TEMPLATE_STATUS).front().text, "Apply device 127.0.0.11\r\n\r\nset ssid");
  const std::vector<std::uint32_t> closing = {msg::WM_NMS_TEMPLATE_STEP, msg::WM_NMS_TEMPLATE_END,
                                              msg::WM_NMS_POLLING_RESTART};
  std::vector<std::uint32_t> last;
  for (size_t i = messages.size() - 3; i < messages.size(); ++i) last.push_back(messages[i].id);
  EXPECT_EQ(last, closing);

  // Cancelled during the first AP (at its second progress step): the other two hear nothing.
  window_.Clear();
  devsim_.Configure(DevSimReference::kAp1, "delay-ms 200");  // the cancel surely lands inside the first AP
  CApplyTemplateThread cancelled(0);
  cancelled.SetOwnerWindow(window_.Id());
  std::thread watcher([&] {
    if (window_.WaitFor(msg::WM_NMS_TEMPLATE_STEP, 2)) cancelled.Cancel();
  });
  ASSERT_TRUE(cancelled.StartApply("three"));
  watcher.join();
  ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_POLLING_RESTART, 1));
  EXPECT_TRUE(Received(DevSimReference::kAp2).empty());
  EXPECT_TRUE(Received(DevSimReference::kAp3).empty());
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_TEMPLATE_END).size(), 1u);
}

// Stopping the thread ends the settling wait at once, and a second apply is refused meanwhile.
TEST_F(GroupApplyTest, StoppingEndsTheSettlingWaitAndASecondStartIsRefused) {
  auto thread = std::make_unique<CApplyTemplateThread>();  // the full 15 s wait
  thread->SetOwnerWindow(window_.Id());
  ASSERT_TRUE(thread->StartApply("no such group"));
  ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_POLLING_LOCK, 1));
  EXPECT_FALSE(thread->StartApply("no such group"));
  thread.reset();  // must not sit out the wait
  EXPECT_TRUE(window_.WaitFor(msg::WM_NMS_POLLING_RESTART, 1, std::chrono::seconds(5)));
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_TEMPLATE_STEP).back().wParam, 0u);
}

// Nothing goes to a bare suffix: a WEP default key outside 0..3 sends no key, an AP without a stored
// sysObjectID gets no SET at all; both fail the AP.
TEST_F(GroupApplyTest, ObjectsThatCannotBeAddressedAreNotSent) {
  GroupTemplateRecord wep;
  wep.security_type = 2;
  wep.wep_64_key_type = 0;
  wep.wep_64_def_key_value = 4;
  Received(DevSimReference::kAp1);
  Apply(wep, net::kAp1, DevSimReference::kAp1);
  EXPECT_EQ(Received(DevSimReference::kAp1),
            (std::vector<std::string>{"4.5.1.0=2", "4.5.4.1.1.0=0", "4.5.4.1.2.0=4", "1.3.0=1"}));
  EXPECT_EQ(database_.ActionLog().back(), "Apply " + lastGroup_ + " template to AP 127.0.0.11[" + net::kAp1 + "] fail");

  ASSERT_TRUE(database_.Exec("update device_list_prev set sysobjid = '' where mac = ?", {net::kAp2}));
  GroupTemplateRecord ssid;
  ssid.ssid = "net";
  Received(DevSimReference::kAp2);
  Apply(ssid, net::kAp2, DevSimReference::kAp2);
  EXPECT_TRUE(Received(DevSimReference::kAp2).empty());
  EXPECT_EQ(database_.ActionLog().back(), "Apply " + lastGroup_ + " template to AP 127.0.0.12[" + net::kAp2 + "] fail");
}

}  // namespace
