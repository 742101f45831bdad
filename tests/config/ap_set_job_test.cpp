// The AP-set job against the simulated reference APs: the SETs each AP received in order, the commit
// the objects ask for, what the database holds after, the action-log lines, and cancelling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ApAdvancePageModel.h"
#include "config/ApChannelChooser.h"
#include "config/ApConfigReader.h"
#include "config/ApSetThread.h"
#include "config/ApWirelessPageModel.h"
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
const std::string kRoot = "1.3.6.1.4.1.44711.1";

class ApSetJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSnmpDefaults("public", "private", 50);
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    ASSERT_TRUE(database_.Exec("INSERT INTO ap_property (mac, crvAPssid) VALUES (?, 'corvath')", {net::kAp1}));
  }
  void TearDown() override { platform::RunShutdown(); }

  // Runs one job to its end on the thread; the SETs the AP received, as "suffix=value" below its root.
  std::vector<std::string> RunJob(const ApSetEntryList& entries, std::uint32_t rebootWaitMs = 0) {
    devsim_.ReceivedSets(DevSimReference::kAp1);
    CApSetThread job(window_.Id(), rebootWaitMs);
    job.SetTask({DevSimReference::kAp1, net::kAp1, entries, false});
    EXPECT_TRUE(job.StartJob());
    job.Stop(false);
    lastJobApplied_ = job.AppliedAndStored();
    return Received();
  }
  std::vector<std::string> Received() { return devsim_.ReceivedSetsBelow(DevSimReference::kAp1, kRoot); }
  std::string Stored(const std::string& column) {
    return database_.Value("SELECT " + column + " FROM ap_property WHERE mac = ?", {net::kAp1});
  }
  std::string OnAp(const std::string& suffix) { return devsim_.Value(DevSimReference::kAp1, kRoot + suffix); }
  std::string Line(const std::string& words) { return "Set AP 127.0.0.11[" + net::kAp1 + "] " + words; }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageRecorder window_{false};
  bool lastJobApplied_ = false;
};

TEST_F(ApSetJobTest, AnApIsConfiguredEndToEnd) {
  const ApSetEntryList entries = {
      {1, ".4.3.0", "O'Brien"},  {1, ".4.2.0", "9"},         {1, ".4.4.0", "1"},
      {1, ".4.5.1.0", "8"},      {1, ".4.5.3.0", "secret-phrase"},
      {0, ".1.3.6.1.2.1.1.6.0", "roof"}, {1, ".3.2.0", "026600000001"}, {1, ".4.1.0", "north"},
      {1, CApSetEntry::kAutoChannelOid, "0"},
  };
  EXPECT_EQ(RunJob(entries),
            (std::vector<std::string>{".4.3.0=O'Brien", ".4.2.0=9", ".4.4.0=1", ".4.2.0=9", ".4.5.1.0=8",
                                      ".4.5.3.0=secret-phrase", "1.3.6.1.2.1.1.6.0=roof", ".3.2.0=026600000001",
                                      ".4.26.0=0", ".1.3.0=1"}))
      << "SuperG gets the job's channel back; the name is not sent; the restart comes last";
  EXPECT_EQ(
      database_.ActionLog(),
      (std::vector<std::string>{
          Line("ssid to O'Brien success"), Line("channel to 9 success"),
          Line("superg to super g without turbo success"), Line("security type to wpa-psk success"),
          Line("wpa passphrase to ******** success"), Line("location to roof success"),
          "Add filter mac [026600000001] to AP 127.0.0.11[" + net::kAp1 + "] success", Line("name to north success")}))
      << "the pass phrase never reaches the log";
  EXPECT_EQ(Stored("crvAPssid"), "O'Brien");
  EXPECT_EQ(Stored("crvAPChannel"), "9");
  EXPECT_EQ(Stored("location"), "roof");
  EXPECT_EQ(Stored("crvapautochannel"), "0");
  EXPECT_TRUE(lastJobApplied_);
  EXPECT_EQ(OnAp(".4.3.0"), "O'Brien");
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_APSET_STEP).size(), entries.size() + 3);
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_APSET_DONE).size(), 1u);
  const auto lock = window_.MessagesWithId(msg::WM_NMS_POLLING_LOCK);
  ASSERT_EQ(lock.size(), 1u);
  EXPECT_EQ(window_.Messages().front().id, msg::WM_NMS_POLLING_LOCK) << "polling pauses before the first set";
  bool rebootText = false;
  for (const auto& message : window_.MessagesWithId(msg::WM_NMS_APSET_TEXT))
    rebootText |= message.text == "Rebooting device...please wait...";
  EXPECT_TRUE(rebootText);
}

TEST_F(ApSetJobTest, TheObjectsSetChooseTheCommit) {
  struct Case {
    const char* what;
    ApSetEntryList entries;
    std::vector<std::string> sets;
  };
  const Case cases[] = {
      {"name alone needs no commit", {{1, ".4.1.0", "north"}}, {}},
      {"management host alone applies", {{1, ".1.9.0", "127.0.0.2"}}, {".1.9.0=127.0.0.2", ".1.1.0=1"}},
      {"with an SSID it restarts", {{1, ".1.9.0", "127.0.0.3"}, {1, ".4.3.0", "x"}},
       {".1.9.0=127.0.0.3", ".4.3.0=x", ".1.3.0=1"}},
      {"a user limit outside a balancing group needs none", {{1, ".4.16.0", "30"}}, {".4.16.0=30"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunJob(c.entries), c.sets) << c.what;
    EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_APSET_DONE).size(), 1u) << c.what;
    window_.Clear();
  }
  EXPECT_EQ(Stored("crvAPName"), "north");
  EXPECT_EQ(database_.ActionLog().front(), Line("name to north success"));
}

TEST_F(ApSetJobTest, ARefusedCommitTurnsTheHeldSuccessesIntoFailures) {
  // The AP refuses its restart object, and has no user limit to set.
  devsim_.Configure(DevSimReference::kAp1, "commit-restart " + kRoot + ".1.99.0");
  devsim_.Unset(DevSimReference::kAp1, kRoot + ".4.16.0");
  const ApSetEntryList entries = {{1, ".4.3.0", "success-net"}, {1, ".4.16.0", "30"}, {1, ".4.20.0", "0"}};
  RunJob(entries);
  EXPECT_EQ(database_.ActionLog(),
            (std::vector<std::string>{Line("user limit to 30 fail"), Line("ssid to success-net fail"),
                                      Line("wmm function to disable fail")}))
      << "a refused set is logged at once; the value keeps its own words";
  EXPECT_EQ(Stored("crvAPssid"), "corvath") << "nothing the AP did not commit is stored";
  EXPECT_FALSE(lastJobApplied_);
  EXPECT_TRUE(window_.MessagesWithId(msg::WM_NMS_APSET_DONE).empty());
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_APSET_STEP).size(), entries.size() + 3);
}

// The AP took the change but the database could not store it: the lines say so, never "success".
TEST_F(ApSetJobTest, AChangeTheDatabaseCannotStoreIsReportedAsSuch) {
  ASSERT_TRUE(database_.BreakWrites("ap_property", "UPDATE"));
  RunJob({{1, ".4.3.0", "new-net"}, {1, ".4.20.0", "0"}});
  EXPECT_EQ(OnAp(".4.3.0"), "new-net");
  EXPECT_EQ(Stored("crvAPssid"), "corvath");
  EXPECT_EQ(database_.ActionLog(), (std::vector<std::string>{Line("ssid to new-net changed on device, not saved"),
                                                              Line("wmm function to disable changed on device, not saved")}));
  EXPECT_FALSE(lastJobApplied_) << "the job's end leaves the database alone";
}

TEST_F(ApSetJobTest, CancelStopsBeforeTheNextEntry) {
  devsim_.Configure(DevSimReference::kAp1, "delay-ms 200");
  CApSetThread job(window_.Id(), 0);
  const ApSetEntryList entries = {{1, ".4.3.0", "a"}, {1, ".4.3.0", "b"}, {1, ".4.3.0", "c"}, {1, ".4.3.0", "d"}};
  job.SetTask({DevSimReference::kAp1, net::kAp1, entries, false});
  ASSERT_TRUE(job.StartJob());
  ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_APSET_STEP, 2));
  job.Abort();
  job.Stop(false);
  const auto sets = Received();
  EXPECT_LT(sets.size(), entries.size());
  for (const std::string& set : sets) EXPECT_NE(set, ".1.3.0=1") << "nothing is committed";
  EXPECT_TRUE(database_.ActionLog().empty()) << "nothing held is logged";
  EXPECT_EQ(Stored("crvAPssid"), "corvath");
  EXPECT_FALSE(job.AppliedAndStored());
}

TEST_F(ApSetJobTest, TheRebootWaitEndsWithTheJob) {
  CApSetThread job(window_.Id(), 600000);
  job.SetTask({DevSimReference::kAp1, net::kAp1, {{1, ".4.3.0", "x"}}, false});
  ASSERT_TRUE(job.StartJob());
  ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_APSET_TEXT, 2));
  job.Abort();
  job.Stop(false);  // returns only because the wait ends early
  EXPECT_EQ(Stored("crvAPssid"), "x") << "the commit went through before the wait";
}

TEST_F(ApSetJobTest, AnApWhoseAddressChangedIsReachedWhereTheTablesHaveIt) {
  CApSetThread job(window_.Id(), 0);
  job.SetTask({"127.0.0.99", net::kAp1, {{1, ".4.3.0", "moved"}}, false, true});
  ASSERT_TRUE(job.StartJob());
  job.Stop(false);
  EXPECT_EQ(OnAp(".4.3.0"), "moved");
  EXPECT_EQ(database_.ActionLog(), std::vector<std::string>{Line("ssid to moved success")});
}

TEST_F(ApSetJobTest, TheChannelCountIsReadWithTheDevicesReadCommunity) {
  SetSnmpDefaults("not-the-aps", "not-the-aps", 50);
  ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET read_community='public', write_community='wrong' WHERE mac=?",
                             {net::kAp1}));
  EXPECT_EQ(ReadApChannelCount(DevSimReference::kAp1), 11);
}

TEST_F(ApSetJobTest, ReadingAnApsConfiguration) {
  ApConfigRecord record;
  ReadApConfiguration(DevSimReference::kAp1, record);
  EXPECT_EQ(record.ip, DevSimReference::kAp1);
  EXPECT_TRUE(record.APSysDHCP);
  EXPECT_EQ(record.name, "ap-1");
  EXPECT_EQ(record.location, "lab");
  EXPECT_EQ(record.crvAPssid, "corvath");
  EXPECT_EQ(record.crvAPChannel, 1);
  EXPECT_EQ(record.crvAPSecurityType, 1);
  EXPECT_EQ(record.crvAPWEP64KeyType, -1) << "security off reads no WEP block";
  EXPECT_EQ(record.crvAPBeaconInterval, 100);
  EXPECT_EQ(record.filterType, 1);
  ASSERT_EQ(record.filterMacs.size(), 1u);
  EXPECT_EQ(record.filterMacs[0].mac_address, "02:55:00:00:00:01");

  devsim_.Configure(DevSimReference::kAp1, "silent on");
  ApConfigRecord silent;
  ReadApConfiguration(DevSimReference::kAp1, silent);
  EXPECT_EQ(silent.ip, "") << "an AP that does not answer leaves the constructor values";
  EXPECT_EQ(silent.crvAPChannel, -1);
}

}  // namespace

namespace {

TEST(ApChannelChooser, TheQuietestChannelOfTheRange) {
  struct Case {
    int first, last;
    std::map<int, long> signals;
    int channel;
  };
  const Case cases[] = {
      {1, 11, {}, 1},
      {1, 11, {{1, 10}}, 4},            // channel 1 and its two neighbours on each side are loud
      {1, 11, {{6, 5}, {11, 5}}, 1},
      {1, 11, {{1, 5}, {6, 5}, {11, 5}}, 3},  // ties go to the first
  };
  for (const Case& c : cases) EXPECT_EQ(PickQuietChannel(c.first, c.last, c.signals), c.channel);
  EXPECT_EQ(CApWirelessPageModel::IsHexText("0a9f"), 0);
  EXPECT_EQ(CApWirelessPageModel::IsHexText("0A"), -1);
}

TEST_F(ApSetJobTest, TheChannelChooserSetsTheQuietestChannelOnTheAp) {
  const int channel = ChooseApChannel(DevSimReference::kAp1);
  EXPECT_EQ(channel, 1) << "its neighbours are on 6 and 11";
  EXPECT_EQ(OnAp(".4.2.0"), std::to_string(channel));
  devsim_.Configure(DevSimReference::kAp1, "silent on");
  EXPECT_EQ(ChooseApChannel(DevSimReference::kAp1), -1);
}

}  // namespace

namespace {

TEST_F(ApSetJobTest, OddValuesFromTheApReadAsNumbersOrTextsWithoutHarm) {
  const std::pair<const char*, const char*> odd[] = {
      {".4.2.0", "4|abc"},                          // a channel that is no number
      {".4.3.0", "4|" },                            // an empty SSID
      {".4.4.0", "2|7"},                            // a SuperG mode no page lists
      {".4.5.1.0", "2|99"},                         // a security type outside the table
      {".4.6.0", "2|-5"},
      {".3.5.1.2.1", "4|not-a-mac-at-all-and-rather-long-" },
  };
  for (const auto& [suffix, value] : odd) devsim_.Set(DevSimReference::kAp1, kRoot + suffix + "|" + value);
  devsim_.Set(DevSimReference::kAp1, kRoot + ".4.3.0|4|" + std::string(300, 's'));
  ApConfigRecord record;
  ReadApConfiguration(DevSimReference::kAp1, record);
  EXPECT_EQ(record.crvAPChannel, 0);
  EXPECT_EQ(record.crvAPSuperG, 7);
  EXPECT_EQ(record.crvAPSecurityType, 99);
  EXPECT_EQ(record.crvAPWEP64KeyType, -1) << "no security block is read for an unknown type";
  EXPECT_EQ(record.crvAPTxRates, -5);
  EXPECT_LE(record.crvAPssid.size(), 254u) << "an answer is cut to its buffer";
  ASSERT_EQ(record.filterMacs.size(), 1u);

  CApAdvancePageModel advance;
  advance.txRate = record.crvAPTxRates;
  advance.Start();
  EXPECT_EQ(advance.txRate, -1);
}

}  // namespace
