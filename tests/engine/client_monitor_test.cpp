// The client monitor against the simulated reference network: one event per association and per
// disassociation, silent APs disconnected once, a cleared database forgotten, the round stored, stop
// requests honoured within one request.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "db/DatabaseCleared.h"
#include "engine/ClientMonitorThread.h"
#include "log/LogLevelMask.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
using Texts = std::vector<std::string>;

const std::string kRoot = "1.3.6.1.4.1.44711.1";
const std::string kClient1 = "02:66:00:00:00:01";
const std::string kClient2 = "02:66:00:00:00:02";
const std::string kClient3 = "02:66:00:00:00:03";

class ClientMonitorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nLogLevelMask = 0xF;
    g_bDatabaseCleared = false;
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.nSnmpTimeout = 30;
      g_RuntimeSettings.nMonitorIntervalMs = 60000;
    }
    {
      std::lock_guard lock(g_csClients);
      g_bClientsRecorded = false;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  }
  void TearDown() override {
    platform::RunShutdown();
    g_nLogLevelMask = 0;
  }

  // The client events of one round (all when index is 0) as "state client ap", in order.
  Texts Events(int index = 0) {
    Texts events;
    for (const auto& row : database_.Rows("SELECT client_state, mac_client, mac_ap FROM client_info "
                                          "WHERE ? = 0 OR index_polling = ? ORDER BY rowid",
                                          {index, index}))
      events.push_back(row[0] + " " + row[1] + " " + row[2]);
    return events;
  }
  int Round() { return GetLoadBalanceManager()->GetIndexPolling(); }
  void Cycle(CClientMonitorThread& monitor) {
    ASSERT_TRUE(monitor.MonitorAps());
    monitor.RecordChanges();
  }
  // Moves a client row of the simulated AP's table: cells 1..4 at index, and the AP's client count.
  void SetClient(const char* ap, int index, const std::string& mac, int mode, int rssi) {
    const std::string row = kRoot + ".2.2.1.";
    simulator_.Set(ap, row + "1." + std::to_string(index) + "|2|" + std::to_string(index));
    simulator_.Set(ap, row + "2." + std::to_string(index) + "|4|" + mac);
    simulator_.Set(ap, row + "3." + std::to_string(index) + "|2|" + std::to_string(mode));
    simulator_.Set(ap, row + "4." + std::to_string(index) + "|2|" + std::to_string(rssi));
  }
  void RemoveClient(const char* ap, int index) {
    for (int column = 1; column <= 4; ++column)
      simulator_.Unset(ap, kRoot + ".2.2.1." + std::to_string(column) + "." + std::to_string(index));
  }
  void SetCount(const char* ap, int count) { simulator_.Set(ap, kRoot + ".2.1.0|2|" + std::to_string(count)); }

  testing_support::DevSimProcess simulator_;
  testing_support::MessageRecorder mainWindow_;
  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
};

TEST_F(ClientMonitorTest, ARoundStoresEveryAnsweringApWithItsClients) {
  CClientMonitorThread monitor;
  Cycle(monitor);
  const std::string n = std::to_string(Round());
  EXPECT_EQ(database_.Rows("SELECT mac_ap, count_connected, traffic_ap FROM recorder_polling "
                           "WHERE index_polling = ? ORDER BY mac_ap",
                           {Round()}),
            (CAccessDatabase::TextRows{{net::kAp1, "2", "3000"}, {net::kAp2, "1", "1000"}, {net::kAp3, "0", "0"}}));
  EXPECT_EQ(database_.Rows("SELECT mac_ap, mac_client, RSSI_client, mode_client FROM client_connect_ap ORDER BY rowid"),
            (CAccessDatabase::TextRows{
                {net::kAp1, kClient1, "40", "1"}, {net::kAp1, kClient2, "25", "2"}, {net::kAp2, kClient3, "30", "3"}}));
  EXPECT_EQ(Events(), (Texts{"connect " + kClient1 + " " + net::kAp1, "connect " + kClient2 + " " + net::kAp1,
                             "connect " + kClient3 + " " + net::kAp2}));
  EXPECT_EQ(database_.Value("SELECT count(*) FROM system_log WHERE level = 3 AND description LIKE 'monitor AP(%'"),
            "3");
  EXPECT_EQ(mainWindow_.MessagesWithId(msg::WM_NMS_CLIENTS_CHANGED).size(), 1u);
  Cycle(monitor);  // nothing changed: no event, the message again while clients are recorded
  EXPECT_EQ(Events().size(), 3u);
  EXPECT_EQ(mainWindow_.MessagesWithId(msg::WM_NMS_CLIENTS_CHANGED).size(), 2u);
}

// Byte counters of a busy AP pass 2^31: each is an unsigned 32-bit counter, and their sum needs 64 bits. An
// agent that sends a counter as an INTEGER gives the same bits as a negative number.
TEST_F(ClientMonitorTest, TrafficCountersPast2To31AreSummedAsUnsigned32BitCounters) {
  const auto setCounters = [&](const char* ap, const std::string& first, const std::string& second) {
    simulator_.Set(ap, kRoot + ".5.3.0|" + first);
    simulator_.Set(ap, kRoot + ".5.6.0|" + second);
  };
  setCounters(DevSimReference::kAp1, "65|3000000000", "65|3000000000");
  setCounters(DevSimReference::kAp2, "65|4294967295", "66|4294967295");
  setCounters(DevSimReference::kAp3, "2|-2", "2|1");
  CClientMonitorThread monitor;
  Cycle(monitor);
  EXPECT_EQ(database_.Rows("SELECT mac_ap, traffic_ap FROM recorder_polling WHERE index_polling = ? ORDER BY mac_ap",
                           {Round()}),
            (CAccessDatabase::TextRows{
                {net::kAp1, "6000000000"}, {net::kAp2, "8589934590"}, {net::kAp3, "4294967295"}}));
  std::vector<RecorderPollingRecord> latest;
  GetLoadBalanceManager()->GetLatestRecorders(latest, net::kAp2);
  ASSERT_EQ(latest.size(), 1u);
  EXPECT_EQ(latest[0].traffic_ap, 8589934590LL);
}

TEST_F(ClientMonitorTest, AClientRoamingFromA1ToA2GivesOneConnectAndOneDisconnect) {
  CClientMonitorThread monitor;
  Cycle(monitor);
  RemoveClient(DevSimReference::kAp1, 1);
  SetCount(DevSimReference::kAp1, 1);
  SetClient(DevSimReference::kAp2, 2, kClient1, 1, 40);
  SetCount(DevSimReference::kAp2, 2);
  Cycle(monitor);
  EXPECT_EQ(Events(Round()),
            (Texts{"connect " + kClient1 + " " + net::kAp2, "disconnect " + kClient1 + " " + net::kAp1}));
  Cycle(monitor);
  EXPECT_TRUE(Events(Round()).empty());
}

TEST_F(ClientMonitorTest, AnApGoneSilentDisconnectsItsClientsOnce) {
  {
    CClientMonitorThread monitor;
    Cycle(monitor);
    simulator_.Configure(DevSimReference::kAp1, "silent on");
    Cycle(monitor);
    EXPECT_EQ(Events(Round()),
              (Texts{"disconnect " + kClient1 + " " + net::kAp1, "disconnect " + kClient2 + " " + net::kAp1}));
    EXPECT_EQ(database_.Value("SELECT count(*) FROM recorder_polling WHERE index_polling = ?", {Round()}), "2");
    Cycle(monitor);
    EXPECT_TRUE(Events(Round()).empty());
  }  // the flush disconnects the client still associated, once
  EXPECT_EQ(database_.Value("SELECT count(*) FROM client_info WHERE client_state = 'disconnect'"), "3");
  EXPECT_EQ(Events(Round()), (Texts{"disconnect " + kClient3 + " " + net::kAp2}));
}

TEST_F(ClientMonitorTest, AfterADatabaseClearNoStaleEventIsWritten) {
  CClientMonitorThread monitor;
  Cycle(monitor);
  // The clear empties the history tables and then raises the flag.
  for (const char* table : {"client_info", "recorder_polling", "client_connect_ap"})
    ASSERT_TRUE(database_.Exec(std::string("DELETE FROM ") + table));
  g_bDatabaseCleared = true;
  RemoveClient(DevSimReference::kAp1, 2);  // a client leaves meanwhile
  SetCount(DevSimReference::kAp1, 1);
  Cycle(monitor);
  EXPECT_FALSE(g_bDatabaseCleared);
  EXPECT_TRUE(Events().empty()) << "neither the departure nor the clients already known";
  Cycle(monitor);  // compares from scratch: the clients associated now start the new history
  EXPECT_EQ(Events(), (Texts{"connect " + kClient1 + " " + net::kAp1, "connect " + kClient3 + " " + net::kAp2}));
  EXPECT_EQ(database_.Value("SELECT count(*) FROM client_info WHERE index_polling NOT IN "
                            "(SELECT index_polling FROM recorder_polling)"),
            "0");
}

TEST_F(ClientMonitorTest, ANewDeviceWithAManagedAddressIsReportedTwiceARound) {
  ASSERT_TRUE(
      database_.Exec("INSERT INTO device_list (name, ip, mac, type) VALUES ('AP_9', '127.0.0.12', "
                     "'02:44:71:00:01:09', 2)"));
  CClientMonitorThread monitor;
  Cycle(monitor);
  EXPECT_EQ(database_.Rows("SELECT description FROM system_log WHERE level = 1 ORDER BY \"index\""),
            (CAccessDatabase::TextRows{{"duplicate ip(127.0.0.12[02:44:71:00:01:09])"},
                                       {"duplicate ip(127.0.0.12[" + net::kAp2 + "])"}}));
}

TEST_F(ClientMonitorTest, NoApAnsweringClearsTheRecordedFlagWithOneMessage) {
  CClientMonitorThread monitor;
  Cycle(monitor);
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    simulator_.Configure(ap, "silent on");
  mainWindow_.Clear();
  Cycle(monitor);
  {
    std::lock_guard lock(g_csClients);
    EXPECT_FALSE(g_bClientsRecorded);
  }
  Cycle(monitor);
  EXPECT_EQ(mainWindow_.MessagesWithId(msg::WM_NMS_CLIENTS_CHANGED).size(), 1u);
  // With no round stored, the departures carry the number of the last round that was.
  EXPECT_EQ(database_.Value("SELECT count(*) FROM client_info WHERE client_state = 'disconnect' AND index_polling = ?",
                            {Round()}),
            "3");
}

// A round abandoned by a stop writes no event, and the flush then disconnects only the clients whose
// connection was written: for every client a connect, then at most one disconnect.
TEST_F(ClientMonitorTest, AStopEndsTheEventWritesOfARound) {
  {
    CClientMonitorThread monitor;
    ASSERT_TRUE(monitor.MonitorAps());
    monitor.Stop();
    monitor.RecordChanges();
    EXPECT_TRUE(Events().empty());
  }
  EXPECT_TRUE(Events().empty()) << "no disconnect without its connect";

  {
    CClientMonitorThread monitor;
    Cycle(monitor);
    ASSERT_EQ(Events().size(), 3u);
    RemoveClient(DevSimReference::kAp1, 2);  // leaves in the round that is abandoned
    SetCount(DevSimReference::kAp1, 1);
    SetClient(DevSimReference::kAp3, 1, "02:66:00:00:00:04", 1, 20);  // arrives in it
    SetCount(DevSimReference::kAp3, 1);
    ASSERT_TRUE(monitor.MonitorAps());
    monitor.Stop();
    monitor.RecordChanges();
    EXPECT_EQ(Events().size(), 3u);
  }
  EXPECT_EQ(Events(), (Texts{"connect " + kClient1 + " " + net::kAp1, "connect " + kClient2 + " " + net::kAp1,
                             "connect " + kClient3 + " " + net::kAp2, "disconnect " + kClient1 + " " + net::kAp1,
                             "disconnect " + kClient2 + " " + net::kAp1, "disconnect " + kClient3 + " " + net::kAp2}));
}

TEST_F(ClientMonitorTest, AStopDuringAClientWalkAbandonsTheRound) {
  simulator_.Configure(DevSimReference::kAp1, "delay-ms 200");
  {
    CClientMonitorThread monitor;
    ASSERT_TRUE(monitor.Start());
    EXPECT_FALSE(monitor.IsIdle());
    for (int i = 0; i < 200 && database_.Value("SELECT count(*) FROM system_log WHERE description LIKE "
                                               "'monitor AP(127.0.0.11%'") != "1";
         ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // inside the walk
    monitor.Stop();
    EXPECT_TRUE(monitor.IsIdle());
    EXPECT_FALSE(monitor.Start()) << "a stopped monitor is not started again";
  }
  EXPECT_EQ(database_.Value("SELECT count(*) FROM recorder_polling"), "0");
  EXPECT_EQ(database_.Value("SELECT count(*) FROM client_info"), "0");
  EXPECT_TRUE(mainWindow_.MessagesWithId(msg::WM_NMS_CLIENTS_CHANGED).empty());
}

}  // namespace
