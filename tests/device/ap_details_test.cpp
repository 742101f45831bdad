// An AP's settings collected into ap_property against the simulated reference network, the channel it
// is advised to take, and the comparisons of later passes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <limits>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "device/AP.h"
#include "device/AutoAssignChannel.h"
#include "log/LogLevelMask.h"
#include "platform/Environment.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace {

// ---- Choosing the quietest channel ----

TEST(ChooseQuietestChannelTest, ScoresAndRanges) {
  struct Case {
    const char* what;
    int lo;
    int hi;
    std::vector<int> channels;
    std::vector<int> signals;
    int chosen;
  } cases[] = {
      {"no neighbours: lo", 1, 11, {}, {}, 1},
      {"one neighbour on 6: scores 0 on 1", 1, 11, {6}, {10}, 1},
      {"one neighbour on 1: three away", 1, 11, {1}, {10}, 4},
      {"range of five channels", 1, 5, {}, {}, 0},
      {"range of six channels", 1, 6, {}, {}, 1},
      {"every channel heard alike: the edges, lo first", 1, 11,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, 1},
      {"a neighbour outside the range counts nowhere", 1, 11, {0, 12, 1}, {90, 90, 10}, 4},
      {"columns of different lengths", 1, 11, {6, 11}, {10}, 0},
      {"channels beyond the tables are skipped", 90, 99, {140, -3, 99, 100000}, {50, 50, 10, 50}, 90},
      {"hi beyond the tables", 1, 120, {}, {}, 0},
      {"lo below the tables", -1, 11, {}, {}, 0},
      {"the highest slot is usable", 94, 99, {94}, {10}, 97},
      {"huge signals do not wrap a score", 1, 11, {1, 2}, {2147483647, 2147483647}, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseQuietestChannel(c.lo, c.hi, c.channels, c.signals), c.chosen) << c.what;
}

// Neighbour tables as a faulty or hostile AP may report them: any channel and signal, any range.
TEST(ChooseQuietestChannelTest, ArbitraryDeviceValuesGiveAChannelOfTheRangeOrZero) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> any(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  std::uniform_int_distribution<int> near(-20, 140);
  for (int round = 0; round < 2000; ++round) {
    const int lo = near(random);
    const int hi = round % 2 ? lo + near(random) / 4 : near(random);
    std::vector<int> channels(round % 17);
    std::vector<int> signals(channels.size());
    for (size_t k = 0; k < channels.size(); ++k) {
      channels[k] = round % 3 ? near(random) : any(random);
      signals[k] = any(random);
    }
    const int chosen = ChooseQuietestChannel(lo, hi, channels, signals);
    if (chosen != 0) {
      EXPECT_GE(chosen, lo);
      EXPECT_LE(chosen, hi);
      EXPECT_LE(hi, 99);
    }
  }
}

TEST(ChooseQuietestChannelTest, StoredMacForm) {
  EXPECT_EQ(StoredMacForm("02:44:71:0a:00:01"), "02:44:71:0A:00:01");
  EXPECT_EQ(StoredMacForm("02 44 71 0A 00 01"), "02:44:71:0A:00:01");
  EXPECT_EQ(StoredMacForm("02-44-71-0a-00-01"), "02:44:71:0A:00:01");
}

// ---- Against the simulated reference APs ----

using testing_support::DevSimProcess;
using testing_support::DevSimReference;
using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
using Rows = CAccessDatabase::TextRows;
namespace reference = testing_support::reference_network;

const std::string kRoot = "1.3.6.1.4.1.44711.1";

class ApDetailsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSnmpDefaults("private", "private", 100);
    g_nLogLevelMask = 0xF;
    ASSERT_TRUE(reference::AddDevices(database_, "device_list"));
    previousWriter_ = CAccessDatabase::SetActionLogWriter([this](const std::string& line) { actions_.push_back(line); });
  }
  void TearDown() override {
    SetDiscoveryStopObject(nullptr);
    CAccessDatabase::SetActionLogWriter(previousWriter_);
  }

  static void Describe(CAP& ap, const char* ip, const std::string& mac) {
    ap.ip = ip;
    ap.mac = mac;
    ap.community = "private";
    ap.rootOid = kApRootOid;
  }
  std::string Stored(const std::string& column, const std::string& mac) {
    return database_.Value("select " + column + " from ap_property where mac = ?", {mac});
  }
  Rows FilterEntries() { return database_.Rows("select mac, filterMAC from filter_entry order by rowid"); }
  // The columns of the AP's row that hold "GETFAIL".
  std::vector<std::string> FailedColumns(const std::string& mac) {
    std::vector<std::string> failed;
    for (const auto& row : database_.Rows("select name from ap_polling_data where oid is not null and name is not null"))
      if (Stored(row[0], mac) == kGetFail) failed.push_back(row[0]);
    return failed;
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  DevSimProcess sim_;
  std::vector<std::string> actions_;
  CAccessDatabase::ActionLogWriter previousWriter_;
};

TEST_F(ApDetailsTest, TheReferenceApsAreStoredWithTheirValuesAndChannels) {
  struct Expected {
    const char* ip;
    std::string mac;
    const char* name;
    const char* channel;
    const char* clients;
    const char* advised;
  } aps[] = {
      {DevSimReference::kAp1, reference::kAp1, "ap-1", "1", "2", "1"},
      {DevSimReference::kAp2, reference::kAp2, "ap-2", "6", "1", "4"},
      {DevSimReference::kAp3, reference::kAp3, "ap-3", "11", "0", "9"},
  };
  for (const Expected& e : aps) {
    CAP ap;
    Describe(ap, e.ip, e.mac);
    ASSERT_EQ(ap.CollectDetails(), 1) << e.ip;
    EXPECT_EQ(ap.balancingOn, 0);
    EXPECT_EQ(FailedColumns(e.mac), std::vector<std::string>{}) << e.ip;
    EXPECT_EQ(Stored("crvAPName", e.mac), e.name);
    EXPECT_EQ(Stored("crvAPChannel", e.mac), e.channel);
    EXPECT_EQ(Stored("staNumber", e.mac), e.clients);
    EXPECT_EQ(Stored("autoAssignChannel", e.mac), e.advised);
    EXPECT_EQ(Stored("enterpriseAPSysHWid", e.mac), "QR7V-TOLNA           -00");
    EXPECT_EQ(Stored("enterpriseAPSysFWVersion", e.mac), "2.0.1");
    EXPECT_EQ(Stored("enterpriseAPSysSNMPTrapIP", e.mac), "127.0.0.1");
    EXPECT_EQ(Stored("crvAPUserNumLimit", e.mac), "60");
    EXPECT_EQ(Stored("location", e.mac), "lab");
    EXPECT_EQ(database_.Value("select IsPropertySave from device_list where mac = ?", {e.mac}), "1");
  }
  EXPECT_EQ(database_.Value("select count(*) from ap_property"), "3");
  EXPECT_EQ(FilterEntries(), (Rows{{reference::kAp1, "02:55:00:00:00:01"}}));

  // Collected again: the row is updated, not doubled.
  CAP again;
  Describe(again, DevSimReference::kAp1, reference::kAp1);
  sim_.Set(DevSimReference::kAp1, kRoot + ".4.3.0|4|renamed");
  EXPECT_EQ(again.CollectDetails(), 1);
  EXPECT_EQ(database_.Value("select count(*) from ap_property where mac = ?", {reference::kAp1}), "1");
  EXPECT_EQ(Stored("crvAPssid", reference::kAp1), "renamed");
  EXPECT_EQ(FilterEntries().size(), 1u);
}

// An AP that lists more filter entries than an AP holds: the list is read, and stored, up to the maximum.
TEST_F(ApDetailsTest, AFilterListStopsAtTheMostEntriesAnApHolds) {
  for (int i = 1; i <= 100; ++i) {
    char mac[18];
    std::snprintf(mac, sizeof mac, "02:55:00:00:01:%02X", i);
    sim_.Set(DevSimReference::kAp1, kRoot + ".3.5.1.2." + std::to_string(i) + "|4|" + mac);
  }
  CAP ap;
  Describe(ap, DevSimReference::kAp1, reference::kAp1);
  std::vector<std::string> entries;
  EXPECT_EQ(ap.ReadMacFilterList(entries), kMaxMacFilterEntries);
  ASSERT_EQ(entries.size(), 60u);
  EXPECT_EQ(entries.back(), "02:55:00:00:01:3C");
  EXPECT_EQ(ap.CollectDetails(), 1);
  EXPECT_EQ(FilterEntries().size(), 60u);
}

TEST_F(ApDetailsTest, AnObjectTheApLacksIsStoredAsGetfailForItsColumnOnly) {
  sim_.Unset(DevSimReference::kAp1, kRoot + ".4.6.0");
  CAP ap;
  Describe(ap, DevSimReference::kAp1, reference::kAp1);
  ASSERT_EQ(ap.CollectDetails(), 1);
  EXPECT_EQ(FailedColumns(reference::kAp1), std::vector<std::string>{"crvAPTxRates"});
  EXPECT_EQ(Stored("crvAPAntennaTransmitPower", reference::kAp1), "0");
}

TEST_F(ApDetailsTest, NeighbourChannelsOutsideTheTablesAndStoredChannels) {
  // A2 reported on channel 140 is skipped; A3 on 11 leaves 1 the quietest channel.
  sim_.Set(DevSimReference::kAp1, kRoot + ".6.3.1.4.1|2|140");
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp1), 1);

  // The console stored channel 2 for A2: it counts there, whatever the AP reports. A3's row has no
  // stored channel, so A3 counts on the 11 reported.
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac, crvAPChannel) values (?, '2')", {reference::kAp2}));
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac, crvAPChannel) values (?, NULL)", {reference::kAp3}));
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp1), 5);
  // Reported in lower case with dashes, the MAC still finds its stored row.
  sim_.Set(DevSimReference::kAp1, kRoot + ".6.3.1.3.1|4|02-44-71-00-01-02");
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp1), 5);
}

TEST_F(ApDetailsTest, ChannelSelectionEndsEarlyForSuperGANarrowRangeOrASilentAp) {
  sim_.Set(DevSimReference::kAp2, kRoot + ".4.4.0|2|2");
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp2), 0);
  sim_.Set(DevSimReference::kAp3, kRoot + ".4.23.0|2|5");
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp3), 0);
  sim_.Set(DevSimReference::kAp3, kRoot + ".4.23.0|2|200");
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp3), 0);
  sim_.Unset(DevSimReference::kAp1, kRoot + ".6.3.1.5.2");  // columns 4 and 5 of different lengths
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp1), 0);
  sim_.Configure(DevSimReference::kAp1, "silent on");
  EXPECT_EQ(AutoAssignChannel(DevSimReference::kAp1), -1);
}

TEST_F(ApDetailsTest, ASilentApStoresNothing) {
  sim_.Configure(DevSimReference::kAp1, "silent on");
  CAP ap;
  Describe(ap, DevSimReference::kAp1, reference::kAp1);
  EXPECT_EQ(ap.CollectDetails(), -1);
  EXPECT_EQ(database_.Value("select count(*) from ap_property"), "0");
  EXPECT_EQ(database_.Value("select IsPropertySave from device_list where mac = ?", {reference::kAp1}), "");
}

TEST_F(ApDetailsTest, AStopDuringTheCollectionReturnsMinus100AndStoresNothing) {
  sim_.Configure(DevSimReference::kAp1, "delay-ms 60");  // a dozen requests: the stop comes in between
  DiscoveryStopObject stop;
  SetDiscoveryStopObject(&stop);
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    stop.Set(true);
  });
  CAP ap;
  Describe(ap, DevSimReference::kAp1, reference::kAp1);
  EXPECT_EQ(ap.CollectDetails(), kDiscoveryStopped);
  stopper.join();
  EXPECT_EQ(database_.Value("select count(*) from ap_property"), "0");
  EXPECT_TRUE(FilterEntries().empty());
  EXPECT_EQ(ap.SyncProperties(), kDiscoveryStopped);
  EXPECT_FALSE(ap.IsDhcpDisabled());
}

TEST_F(ApDetailsTest, SaveCommunityAndDhcpMode) {
  ASSERT_TRUE(reference::AddDevices(database_, "device_list_prev"));
  CAP ap;
  Describe(ap, DevSimReference::kAp2, reference::kAp2);
  ap.community = "secret";
  EXPECT_EQ(ap.SaveCommunity(), 0);
  EXPECT_EQ(database_.Value("select write_community from device_list_prev where mac = ?", {reference::kAp2}),
            "secret");
  EXPECT_EQ(database_.Value("select write_community from device_list_prev where mac = ?", {reference::kAp1}),
            "private");

  ap.community = "private";
  EXPECT_FALSE(ap.IsDhcpDisabled());
  sim_.Set(DevSimReference::kAp2, kRoot + ".1.10.1.0|2|0");
  EXPECT_TRUE(ap.IsDhcpDisabled());
}

TEST_F(ApDetailsTest, TheCountryCodeOfTheSettingsIsPushedWhenTheStoredOneDiffers) {
  CAP ap;
  Describe(ap, DevSimReference::kAp1, reference::kAp1);
  const auto setCountry = [](int code) {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.nCountryCode = code;
  };
  const std::string configId = kRoot + ".1.11.0";
  setCountry(276);
  EXPECT_EQ(ap.PushCountryCode(), 0);  // no stored row yet: nothing to compare

  ASSERT_EQ(ap.CollectDetails(), 1);  // stores 840
  setCountry(840);
  EXPECT_EQ(ap.PushCountryCode(), 0);
  EXPECT_EQ(sim_.Get(DevSimReference::kAp1, configId), configId + "|2|1");  // no commit

  setCountry(276);
  EXPECT_EQ(ap.PushCountryCode(), 0);
  sim_.Wake(DevSimReference::kAp1);
  EXPECT_EQ(sim_.Get(DevSimReference::kAp1, kRoot + ".1.14.0"), kRoot + ".1.14.0|2|276");
  EXPECT_EQ(sim_.Get(DevSimReference::kAp1, configId), configId + "|2|2");  // committed with a restart
  setCountry(0);
}

// ---- Later passes ----

class ApSyncTest : public ApDetailsTest {
 protected:
  void SetUp() override {
    ApDetailsTest::SetUp();
    Describe(ap_, DevSimReference::kAp1, reference::kAp1);
    ASSERT_EQ(ap_.CollectDetails(), 1);
  }
  void SetOnAp(const std::string& suffix, const std::string& typeAndValue) {
    sim_.Set(DevSimReference::kAp1, kRoot + suffix + "|" + typeAndValue);
  }
  std::vector<std::string> Differences() {
    std::vector<std::string> lines;
    for (const CDeviceProperty& d : ap_.differences)
      lines.push_back(d.property + " " + d.type + " [" + d.current + "] [" + d.previous + "]");
    return lines;
  }

  CAP ap_;
};

TEST_F(ApSyncTest, UnchangedIdentityRecordsNothingAndRereadsOnlyFailedSettings) {
  SetOnAp(".4.3.0", "4|changed-ssid");
  ASSERT_TRUE(database_.Exec("update ap_property set crvAPTxRates = 'GETFAIL' where mac = ?", {reference::kAp1}));
  EXPECT_EQ(ap_.CompareIdentity(), CAP::kUnchanged);
  EXPECT_EQ(ap_.SyncProperties(), 1);
  EXPECT_TRUE(ap_.differences.empty());
  EXPECT_EQ(Stored("crvAPTxRates", reference::kAp1), "0");
  EXPECT_EQ(Stored("crvAPssid", reference::kAp1), "corvath");
}

TEST_F(ApSyncTest, AChangedIdentityRecordsEachChangedSetting) {
  SetOnAp(".1.11.0", "2|7");
  SetOnAp(".4.3.0", "4|changed-ssid");
  SetOnAp(".4.2.0", "2|3");
  SetOnAp(".4.1.0", "4|renamed");               // the AP name is never compared
  SetOnAp(".1.6.0", "4|2.0.2");                 // information only: stored, no difference
  SetOnAp(".3.5.1.2.2", "4|02:55:00:00:00:02");  // a new filter entry
  EXPECT_EQ(ap_.CompareIdentity(), CAP::kConfigChanged);
  EXPECT_EQ(ap_.SyncProperties(), 4);  // configuration id, SSID, channel and the filter entry
  EXPECT_EQ(Differences(), (std::vector<std::string>{"crvAPChannel ap_property [3] [1]",
                                                     "crvAPssid ap_property [changed-ssid] [corvath]",
                                                     "filter_entry ap_filter_mac [02:55:00:00:00:02] []"}));
  EXPECT_EQ(actions_, std::vector<std::string>{"AP(" + reference::kAp1 + "): Configuration ID change to 7"});
  EXPECT_EQ(Stored("enterpriseAPSysCfgID", reference::kAp1), "7");
  EXPECT_EQ(Stored("crvAPssid", reference::kAp1), "changed-ssid");
  EXPECT_EQ(Stored("enterpriseAPSysFWVersion", reference::kAp1), "2.0.2");
  EXPECT_EQ(Stored("crvAPName", reference::kAp1), "ap-1");
  EXPECT_EQ(FilterEntries(), (Rows{{reference::kAp1, "02:55:00:00:00:01"}, {reference::kAp1, "02:55:00:00:00:02"}}));

  // The next pass finds the identity it stored.
  ap_.differences.clear();
  EXPECT_EQ(ap_.SyncProperties(), 0);
  EXPECT_TRUE(ap_.differences.empty());
}

TEST_F(ApSyncTest, AutomaticChannelStoresTheChannelWithoutADifference) {
  SetOnAp(".1.11.0", "2|7");
  SetOnAp(".4.26.0", "2|1");
  SetOnAp(".4.2.0", "2|3");
  EXPECT_EQ(ap_.CompareIdentity(), CAP::kConfigChangedAutoChannel);
  EXPECT_EQ(Stored("KipAPchannel", reference::kAp1), "1");  // the channel the console had set
  ap_.differences.clear();
  EXPECT_EQ(ap_.SyncProperties(), 3);  // configuration id, channel, automatic channel setting
  EXPECT_EQ(Differences(), std::vector<std::string>{"crvapautochannel ap_property [1] [0]"});
  EXPECT_EQ(Stored("crvAPChannel", reference::kAp1), "3");

  // Identity unchanged now, the automatic channel on: a new channel is only stored.
  ap_.differences.clear();
  SetOnAp(".4.2.0", "2|9");
  SetOnAp(".4.3.0", "4|changed-ssid");
  EXPECT_EQ(ap_.CompareIdentity(), CAP::kUnchangedAutoChannel);
  EXPECT_EQ(ap_.SyncProperties(), 1);
  EXPECT_TRUE(ap_.differences.empty());
  EXPECT_EQ(Stored("crvAPChannel", reference::kAp1), "9");
  EXPECT_EQ(Stored("crvAPssid", reference::kAp1), "corvath");
}

TEST_F(ApSyncTest, BalancingStoresTheUserLimitWithoutADifference) {
  // Switched on by the console: stored with the identity it had.
  SetOnAp(".4.18.0", "2|1");
  ASSERT_TRUE(database_.Exec("update ap_property set crvAPWaterLevelBalancing = '1' where mac = ?", {reference::kAp1}));
  SetOnAp(".4.16.0", "2|7");
  SetOnAp(".4.2.0", "2|3");  // the automatic channel is off: the channel is left alone
  EXPECT_EQ(ap_.CompareIdentity(), CAP::kUnchangedBalancing);
  EXPECT_EQ(ap_.SyncProperties(), 1);
  EXPECT_EQ(ap_.balancingOn, 1);
  EXPECT_TRUE(ap_.differences.empty());
  EXPECT_EQ(Stored("crvAPUserNumLimit", reference::kAp1), "7");
  EXPECT_EQ(Stored("crvAPChannel", reference::kAp1), "1");

  // With the configuration changed as well, balancing values still give no difference.
  SetOnAp(".1.11.0", "2|7");
  SetOnAp(".4.16.0", "2|9");
  EXPECT_EQ(ap_.SyncProperties(), 3);  // configuration id, user limit, channel
  EXPECT_EQ(Differences(), std::vector<std::string>{"crvAPChannel ap_property [3] [1]"});
  EXPECT_EQ(Stored("crvAPUserNumLimit", reference::kAp1), "9");
}

TEST_F(ApSyncTest, FilterEntriesMissingOnTheApOrMalformed) {
  SetOnAp(".1.11.0", "2|7");
  sim_.Unset(DevSimReference::kAp1, kRoot + ".3.5.1.2.1");
  EXPECT_EQ(ap_.CompareMacFilter(), 1);
  EXPECT_EQ(Differences(), std::vector<std::string>{"filter_entry ap_filter_mac [] [02:55:00:00:00:01]"});
  EXPECT_TRUE(FilterEntries().empty());

  // An entry that is no MAC text keeps the stored list as it is.
  ap_.differences.clear();
  SetOnAp(".3.5.1.2.1", "4|02:55:00:00:00:03");
  SetOnAp(".3.5.1.2.2", "4|junk");
  EXPECT_EQ(ap_.CompareMacFilter(), 1);
  EXPECT_TRUE(FilterEntries().empty());
}

TEST_F(ApSyncTest, AForeignManagementHostIsRecordedAndLogged) {
  SetOnAp(".1.11.0", "2|7");
  SetOnAp(".1.9.0", "64|192.0.2.1");
  EXPECT_EQ(ap_.SyncProperties(), 2);
  EXPECT_EQ(Differences(),
            std::vector<std::string>{"enterpriseAPSysSNMPTrapIP ap_property [192.0.2.1] [127.0.0.1]"});
  EXPECT_EQ(database_.Value("select count(*) from system_log where description like '%Management host IP is inconsistent'"), "1");
}

// Changed secrets reach the database's differences, but no log line, trace line or exception text.
TEST_F(ApSyncTest, ChangedSecretsAppearInNoOutput) {
  const std::vector<std::pair<std::string, std::string>> secrets = {
      {".4.5.3.0", "pass-phrase-417"}, {".4.5.4.1.3.0", "wep-key-418"}, {".4.5.5.3.0", "radius-secret-419"}};
  SetOnAp(".1.11.0", "2|7");
  for (const auto& [suffix, secret] : secrets) SetOnAp(suffix, "4|" + secret);
  setenv("PELLION_TRACE", "1", 1);
  platform::ReloadOverrides();
  testing::internal::CaptureStderr();
  EXPECT_GE(ap_.SyncProperties(), 4);
  const std::string trace = testing::internal::GetCapturedStderr();
  unsetenv("PELLION_TRACE");
  platform::ReloadOverrides();
  EXPECT_NE(trace.find("AddWarningList"), std::string::npos) << "the changes were traced";
  std::string logs;
  for (const auto& row : database_.Rows("select description from system_log")) logs += row[0] + "\n";
  for (const std::string& line : actions_) logs += line + "\n";
  for (const auto& [suffix, secret] : secrets) {
    EXPECT_EQ(trace.find(secret), std::string::npos) << trace;
    EXPECT_EQ(logs.find(secret), std::string::npos) << logs;
    EXPECT_EQ(database_.ExceptionLog().find(secret), std::string::npos);
  }
}

}  // namespace
