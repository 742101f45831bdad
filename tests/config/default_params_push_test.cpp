// Pushing the default AP parameters to the reference network's simulated APs.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "config/DefaultParamsPush.h"
#include "config/DefaultParamsStore.h"
#include "config/NewDevicesToManaged.h"
#include "db/AccessDatabase.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace net = testing_support::reference_network;
using testing_support::DevSimProcess;
using testing_support::DevSimReference;

namespace {

constexpr char kRoot[] = "1.3.6.1.4.1.44711.1";

class DefaultParamsPushTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSnmpDefaults("public", "private", 50); }

  // The APs managed, each with its property row.
  void ManageReferenceNetwork() {
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    for (const std::string& mac : {net::kAp1, net::kAp2, net::kAp3})
      ASSERT_TRUE(database_.Exec("INSERT INTO ap_property (mac, crvAPssid) VALUES (?, 'corvath')", {mac}));
  }

  void SaveDefaults(const CDefaultParams& params) {
    ASSERT_TRUE(CDefaultParamsStore().SaveDefaultParams(params, params.crvAPWEP64KeyType));
    ASSERT_TRUE(database_.Exec("DELETE FROM system_log"));
  }

  // The AP's value of root + suffix.
  std::string ApValue(const char* address, const std::string& suffix) {
    return simulator_.Value(address, kRoot + suffix);
  }
  int ConfigId(const char* address) { return std::stoi(ApValue(address, ".1.11.0")); }

  std::string Stored(const std::string& mac, const std::string& column) {
    return database_.Value("SELECT " + column + " FROM ap_property WHERE mac=?", {mac});
  }

  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  DevSimProcess simulator_;
};

TEST_F(DefaultParamsPushTest, ZeroConfigWithOnlyTheHostAppliesWithoutRestart) {
  ManageReferenceNetwork();
  CDefaultParams params;
  params.b_apply_defparam = 1;
  params.trap_ip = "127.0.0.5";
  SaveDefaults(params);
  simulator_.Configure(DevSimReference::kAp1, "restart-silence-ms 60000");
  const int configId = ConfigId(DevSimReference::kAp1);

  EXPECT_EQ(CDefaultParamsPush().ZeroConfigAp("127.0.0.11", net::kAp1), 0);
  EXPECT_EQ(ApValue(DevSimReference::kAp1, ".1.9.0"), "127.0.0.5");
  EXPECT_EQ(ConfigId(DevSimReference::kAp1), configId + 1) << "committed once";
  EXPECT_FALSE(simulator_.IsSilent(DevSimReference::kAp1)) << "applied, not restarted";
  EXPECT_EQ(Stored(net::kAp1, "enterpriseAPSysSNMPTrapIP"), "127.0.0.5");
  EXPECT_EQ(database_.ActionLog(), (std::vector<std::string>{"zero config AP 127.0.0.11(" + net::kAp1 + ") success"}));
}

TEST_F(DefaultParamsPushTest, ZeroConfigDoesNothingWhenTheDefaultsAreNotToBeApplied) {
  ManageReferenceNetwork();
  CDefaultParams params;
  params.ssid = "never";
  SaveDefaults(params);
  const int configId = ConfigId(DevSimReference::kAp2);
  EXPECT_EQ(CDefaultParamsPush().ZeroConfigAp("127.0.0.12", net::kAp2), 0);
  EXPECT_EQ(ApValue(DevSimReference::kAp2, ".4.3.0"), "corvath");
  EXPECT_EQ(ConfigId(DevSimReference::kAp2), configId);
  EXPECT_TRUE(database_.ActionLog().empty());
}

TEST_F(DefaultParamsPushTest, ZeroConfigChoosesTheChannelAndRestarts) {
  ManageReferenceNetwork();
  CDefaultParams params;
  params.b_apply_defparam = 1;
  params.trap_ip = "0.0.0.0";  // no host
  params.ssid = "lab-net";
  params.auto_select_channel = 1;
  params.security_type = 11;  // WPA2-EAP: server 1 only, as server 2 is empty
  params.radius_server1_ip = "127.0.0.7";
  params.radius_server1_port = 1812;
  params.radius_server1_secret = "radius-secret";
  params.radius_server2_port = 0;
  SaveDefaults(params);
  simulator_.Configure(DevSimReference::kAp2, "restart-silence-ms 60000");

  EXPECT_EQ(CDefaultParamsPush([](const std::string& ip) { return ip == "127.0.0.12" ? 4 : 0; })
                .ZeroConfigAp("127.0.0.12", net::kAp2),
            0);
  EXPECT_TRUE(simulator_.IsSilent(DevSimReference::kAp2)) << "restarted";
  simulator_.Wake(DevSimReference::kAp2);
  EXPECT_EQ(ApValue(DevSimReference::kAp2, ".1.9.0"), "127.0.0.1");
  EXPECT_EQ(ApValue(DevSimReference::kAp2, ".4.2.0"), "4");
  EXPECT_EQ(ApValue(DevSimReference::kAp2, ".4.5.1.0"), "11");
  EXPECT_EQ(ApValue(DevSimReference::kAp2, ".4.5.5.3.0"), "radius-secret");
  EXPECT_EQ(ApValue(DevSimReference::kAp2, ".4.5.6.1.0"), "0.0.0.0") << "the empty second server is not sent";
  EXPECT_EQ(ApValue(DevSimReference::kAp2, ".4.5.6.2.0"), "1812");
  EXPECT_EQ(Stored(net::kAp2, "crvAPssid"), "lab-net");
  EXPECT_EQ(Stored(net::kAp2, "crvAPChannel"), "4");
  EXPECT_EQ(Stored(net::kAp2, "radiusPort1"), "1812");
  EXPECT_EQ(Stored(net::kAp2, "radiusIP2"), "");
  for (const std::string& line : database_.ActionLog()) EXPECT_EQ(line.find("radius-secret"), std::string::npos);

  // Without a channel the step fails before any channel set.
  EXPECT_EQ(CDefaultParamsPush().ZeroConfigAp("127.0.0.13", net::kAp3), -1);
  EXPECT_EQ(ApValue(DevSimReference::kAp3, ".4.2.0"), "11");
  EXPECT_EQ(database_.ActionLog().back(),
            "zero config AP 127.0.0.13(" + net::kAp3 + ") fail[stop at setting Auto select channel]");
}

// A new AP without a property row and marked "Changed" by the SSID it had: the push stores the SSID in
// a row of its own, and with the difference answered the AP is no longer "Changed".
TEST_F(DefaultParamsPushTest, ZeroConfigStoresAsEveryConfigurationIsStored) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET status=6 WHERE mac=?", {net::kAp1}));
  ASSERT_TRUE(database_.Exec("INSERT INTO sync_result (mac, property, \"current\", previous, type) "
                             "VALUES (?, 'crvAPssid', 'corvath', 'old', 'ap_property')",
                             {net::kAp1}));
  CDefaultParams params;
  params.b_apply_defparam = 1;
  params.ssid = "lab-net";
  SaveDefaults(params);
  EXPECT_EQ(CDefaultParamsPush().ZeroConfigAp("127.0.0.11", net::kAp1), 0);
  EXPECT_EQ(Stored(net::kAp1, "crvAPssid"), "lab-net");
  EXPECT_EQ(database_.Value("SELECT count(*) FROM sync_result WHERE mac=?", {net::kAp1}), "0");
  EXPECT_EQ(database_.Value("SELECT status FROM device_list_prev WHERE mac=?", {net::kAp1}), "0");
}

TEST_F(DefaultParamsPushTest, SavedApGetsWepKeyTypeDefaultKeyAndKey) {
  ManageReferenceNetwork();
  CDefaultParams params;  // the apply flag is not looked at
  params.security_type = 5;
  params.crvAPWEP64KeyType = 1;
  params.wep_128_def_key_value = 2;
  params.wep_128_key3_value = "00112233445566778899AABBCC";
  SaveDefaults(params);
  simulator_.Configure(DevSimReference::kAp3, "restart-silence-ms 60000");

  EXPECT_EQ(CDefaultParamsPush().ApplyDefaultParamsToAp(net::kAp3), 0);
  EXPECT_TRUE(simulator_.IsSilent(DevSimReference::kAp3));
  simulator_.Wake(DevSimReference::kAp3);
  EXPECT_EQ(ApValue(DevSimReference::kAp3, ".4.5.1.0"), "5");
  EXPECT_EQ(ApValue(DevSimReference::kAp3, ".4.5.4.1.1.0"), "1");
  EXPECT_EQ(ApValue(DevSimReference::kAp3, ".4.5.4.2.2.0"), "2");
  EXPECT_EQ(ApValue(DevSimReference::kAp3, ".4.5.4.2.5.0"), "00112233445566778899AABBCC");
  for (const char* column : {"crvAPSecurityType", "crvAPWEP64KeyType", "crvAPWEP128DefaultKeyValue", "crvAPWEP128Key3Value"})
    EXPECT_NE(Stored(net::kAp3, column), "") << column;
  EXPECT_EQ(database_.ActionLog(), (std::vector<std::string>{"zero config AP 127.0.0.13(" + net::kAp3 + ") success"}));
}

TEST_F(DefaultParamsPushTest, WpaCipherIsSentInTheApsEncoding) {
  ManageReferenceNetwork();
  CDefaultParams params;
  params.security_type = 10;
  params.security_cipher_type = 2;  // TKIP as the defaults store it
  params.wpa_pass_phrase = "pass phrase";
  SaveDefaults(params);
  EXPECT_EQ(CDefaultParamsPush().ApplyDefaultParamsToAp(net::kAp1), 0);
  simulator_.Wake(DevSimReference::kAp1);
  EXPECT_EQ(ApValue(DevSimReference::kAp1, ".4.5.2.0"), "0") << "the AP's TKIP";
  EXPECT_EQ(ApValue(DevSimReference::kAp1, ".4.5.3.0"), "pass phrase");
}

TEST_F(DefaultParamsPushTest, AFailingApStopsAtItsFirstRefusedSetWithoutCommit) {
  ManageReferenceNetwork();
  CDefaultParams params;
  params.trap_ip = "127.0.0.5";
  params.ssid = "lab-net";
  params.security_type = 1;
  SaveDefaults(params);
  simulator_.Unset(DevSimReference::kAp1, std::string(kRoot) + ".4.3.0");
  const int configId = ConfigId(DevSimReference::kAp1);

  EXPECT_EQ(CDefaultParamsPush().ApplyDefaultParamsToAp(net::kAp1), -1);
  EXPECT_EQ(database_.ActionLog(),
            (std::vector<std::string>{"zero config AP 127.0.0.11(" + net::kAp1 + ") fail[stop at setting SSID]"}));
  EXPECT_EQ(ConfigId(DevSimReference::kAp1), configId) << "no commit";
  EXPECT_EQ(ApValue(DevSimReference::kAp1, ".4.5.1.0"), "1") << "nothing after the failed set";
  EXPECT_EQ(Stored(net::kAp1, "enterpriseAPSysSNMPTrapIP"), "") << "nothing stored";

  // A MAC outside the managed list has no address: its first set fails.
  EXPECT_EQ(CDefaultParamsPush().ApplyDefaultParamsToAp("02:00:00:00:00:99"), -1);
  EXPECT_EQ(database_.ActionLog().back(), "zero config AP (02:00:00:00:00:99) fail[stop at setting management  host]");
}

TEST_F(DefaultParamsPushTest, NoDefaultsMeansNoSetNoCommitAndStillSuccess) {
  ManageReferenceNetwork();
  const int configId = ConfigId(DevSimReference::kAp2);
  EXPECT_EQ(CDefaultParamsPush().ApplyDefaultParamsToAp(net::kAp2), 0);
  EXPECT_EQ(ConfigId(DevSimReference::kAp2), configId);
  EXPECT_EQ(database_.ActionLog(), (std::vector<std::string>{"zero config AP 127.0.0.12(" + net::kAp2 + ") success"}));
}

TEST_F(DefaultParamsPushTest, SavingAllNewDevicesPushesAfterTheMoveWithoutHoldingTheDatabase) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  CDefaultParams params;
  params.b_apply_defparam = 1;
  params.ssid = "lab-net";
  SaveDefaults(params);
  // A1 does not answer: its push waits for the time-outs while the database stays free.
  simulator_.Configure(DevSimReference::kAp1, "silent on");
  std::atomic<bool> saved{false};
  std::atomic<bool> wroteDuringPush{false};
  std::thread polling([&] {
    while (!saved && database_.Value("SELECT count(*) FROM device_list_prev") == "0") std::this_thread::yield();
    if (CAccessDatabase().ExecuteCommand("UPDATE device_list SET online=0 WHERE mac=?", {net::kUnknown}))
      wroteDuringPush = !saved;
  });
  CDefaultParamsPush push;
  EXPECT_TRUE(SaveAllNewDevicesToManaged(push));
  saved = true;
  polling.join();
  EXPECT_TRUE(wroteDuringPush) << "another thread wrote while the pushes ran";

  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list_prev"), "4");
  const auto lines = database_.ActionLog();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Save all new device "), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "zero config AP 127.0.0.11(" + net::kAp1 + ") fail[stop at setting SSID]"),
            1);
  for (const std::string& ap : {std::string("127.0.0.12(") + net::kAp2, std::string("127.0.0.13(") + net::kAp3})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "zero config AP " + ap + ") success"), 1) << ap;
  EXPECT_EQ(lines.size(), 4u) << "no push for the switch";
}

TEST_F(DefaultParamsPushTest, ConfirmingTheManagementHostAsksOnlyWhenThereIsNone) {
  boxes_.ScriptAnswers({platform::IDYES});
  EXPECT_EQ(CDefaultParamsPush::ConfirmDefaultManagementHost([] { return true; }), 0);
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, "Default 'Management Host' is empty, do you want to set it?");
  EXPECT_EQ(boxes_.Boxes()[0].caption, "Warning");
  boxes_.ScriptAnswers({platform::IDNO});
  bool opened = false;
  EXPECT_EQ(CDefaultParamsPush::ConfirmDefaultManagementHost([&] { return opened = true; }), -1);
  EXPECT_FALSE(opened);
  CDefaultParams params;
  params.trap_ip = "127.0.0.1";
  SaveDefaults(params);
  EXPECT_EQ(CDefaultParamsPush::ConfirmDefaultManagementHost(nullptr), 0);
  EXPECT_EQ(boxes_.Boxes().size(), 2u);
}

}  // namespace
