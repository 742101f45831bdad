// Poll rounds: one number and one time per round, duplicates and bad client MACs left out, failures
// stop the round where they happen; the history queries read them back by real minute stamps.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "LoadBalanceFixture.h"
#include "platform/MinuteStamp.h"

namespace {

using Texts = std::vector<std::string>;
const std::string kAp1 = "02:44:71:00:01:01";
const std::string kAp2 = "02:44:71:00:01:02";
const std::string kAp3 = "02:44:71:00:01:03";

TEST_F(LoadBalanceTest, ARoundStoresEveryApAndClientUnderOneNumberAndOneTime) {
  PinLocalTime(2026, 3, 4, 5, 6);
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  const int before = manager.GetIndexPolling();
  std::vector<RecorderPollingRecord> round = {
      ApRound(kAp1, 2, 3000,
              {Client("02:66:00:00:00:01", "40", "1"), Client("02:66:00:00:00:0", "1", "1"),
               Client("02:66:00:00:00:022", "1", "1"), Client("02:66:00:00:00:02", "25", "2")}),
      ApRound("", 0, 0), ApRound(kAp2, 0, 1000), ApRound(kAp1, 9, 9),  // the same AP again: removed, written nowhere
  };
  ASSERT_TRUE(manager.SetRecordersPolling(round));
  const int index = before + 1;
  EXPECT_EQ(manager.GetIndexPolling(), index);
  ASSERT_EQ(round.size(), 3u);
  EXPECT_EQ(round[1].Mac_ap, "") << "a record without an AP stays in the list";
  const std::string stamp = std::to_string(platform::MinuteStamp(2026, 3, 4, 5, 6));
  const std::string n = std::to_string(index);
  EXPECT_EQ(Rows("SELECT mac_ap, index_polling, date_polling, count_connected, traffic_ap, time_polling "
                 "FROM recorder_polling ORDER BY rowid"),
            (Texts{kAp1 + "|" + n + "|" + stamp + "|2|3000|20260304_05:06:00",
                   kAp2 + "|" + n + "|" + stamp + "|0|1000|20260304_05:06:00"}));
  EXPECT_EQ(Rows("SELECT mac_ap, index_polling, mac_client, RSSI_client, mode_client FROM client_connect_ap"),
            (Texts{kAp1 + "|" + n + "|02:66:00:00:00:01|40|1", kAp1 + "|" + n + "|02:66:00:00:00:02|25|2"}));
  const std::string log = database.ExceptionLog();
  EXPECT_NE(log.find("(*iterClient).mac_client > 17, AP_MAC = " + kAp1), std::string::npos);
  EXPECT_NE(log.find("02:66:00:00:00:0\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("02:66:00:00:00:022"), std::string::npos);

  // An empty list stores nothing and keeps the number; records without an AP use one up.
  std::vector<RecorderPollingRecord> empty;
  EXPECT_TRUE(manager.SetRecordersPolling(empty));
  EXPECT_EQ(manager.GetIndexPolling(), index);
  std::vector<RecorderPollingRecord> anonymous = {ApRound("", 1, 1), ApRound("", 2, 2)};
  EXPECT_TRUE(manager.SetRecordersPolling(anonymous));
  EXPECT_EQ(manager.GetIndexPolling(), index + 1);
  EXPECT_EQ(anonymous.size(), 2u);
  EXPECT_EQ(database.Value("SELECT count(*) FROM recorder_polling"), "2");
}

// An AP that sends endless texts for its clients: each named in the log by its first characters only, and
// only the first few of a round by name.
TEST_F(LoadBalanceTest, UnstorableClientsOfARoundAreLoggedCutAndCounted) {
  std::vector<ClientConnectRecord> clients(10, Client(std::string(200, 'm')));
  clients.push_back(Client("02:66:00:00:00:01"));
  std::vector<RecorderPollingRecord> round = {ApRound(kAp1, 11, 0, std::move(clients))};
  ASSERT_TRUE(GetLoadBalanceManager()->SetRecordersPolling(round));
  EXPECT_EQ(database.Value("SELECT count(*) FROM client_connect_ap"), "1");
  const std::string log = database.ExceptionLog();
  EXPECT_LT(log.size(), 2000u);
  size_t named = 0;
  for (size_t at = log.find("mac_client > 17"); at != std::string::npos; at = log.find("mac_client > 17", at + 1))
    ++named;
  EXPECT_EQ(named, 3u);
  EXPECT_NE(log.find("\r\n" + std::string(150, 'm') + "\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("7 more clients of AP_MAC = " + kAp1 + " not stored"), std::string::npos) << log;
}

TEST_F(LoadBalanceTest, AFailingApEndsTheRoundAndKeepsWhatWasStoredBefore) {
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  ASSERT_TRUE(database.BreakWrites("recorder_polling", "INSERT", "NEW.mac_ap = 'ap-3'"));
  std::vector<RecorderPollingRecord> round = {ApRound("ap-1", 0, 0), ApRound("ap-2", 0, 0), ApRound("ap-3", 0, 0),
                                              ApRound("ap-4", 0, 0), ApRound("ap-5", 0, 0)};
  EXPECT_FALSE(manager.SetRecordersPolling(round));
  EXPECT_EQ(Rows("SELECT mac_ap FROM recorder_polling ORDER BY rowid"), (Texts{"ap-1", "ap-2"}));
  EXPECT_NE(database.ExceptionLog().find("LoadBalanceManager_DB SetRecordersPolling RollBackTransact"),
            std::string::npos);

  // A failing client keeps its AP's row but none of its clients.
  ASSERT_TRUE(database.BreakWrites("client_connect_ap", "INSERT", "NEW.mac_client = '02:66:00:00:00:02'"));
  std::vector<RecorderPollingRecord> second = {
      ApRound("ap-6", 2, 0, {Client("02:66:00:00:00:01"), Client("02:66:00:00:00:02")}), ApRound("ap-7", 0, 0)};
  EXPECT_FALSE(manager.SetRecordersPolling(second));
  EXPECT_EQ(database.Value("SELECT count(*) FROM recorder_polling WHERE mac_ap = 'ap-6'"), "1");
  EXPECT_EQ(database.Value("SELECT count(*) FROM recorder_polling WHERE mac_ap = 'ap-7'"), "0");
  EXPECT_EQ(database.Value("SELECT count(*) FROM client_connect_ap"), "0");
  EXPECT_NE(database.ExceptionLog().find("RollBackTransact-2"), std::string::npos);
}

TEST_F(LoadBalanceTest, AWindowAcrossAMonthEndReturnsTheRoundsInsideIt) {
  AddAp("device_list_prev", "AP_1", "127.0.0.11", kAp1);
  ASSERT_TRUE(database.Exec("INSERT INTO ap_property (mac, ip, crvAPssid) VALUES (?, '127.0.0.11', 'lab')", {kAp1}));
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  struct Moment {
    int month, day, hour, minute;
  };
  for (const Moment& m : {Moment{1, 31, 9, 59}, Moment{1, 31, 10, 0}, Moment{1, 31, 23, 59}, Moment{2, 1, 0, 0},
                          Moment{2, 1, 9, 0}, Moment{2, 1, 9, 1}}) {
    PinLocalTime(2026, m.month, m.day, m.hour, m.minute);
    std::vector<RecorderPollingRecord> round = {ApRound(kAp1, 1, m.hour, {Client("02:66:00:00:00:01")})};
    ASSERT_TRUE(manager.SetRecordersPolling(round));
  }
  std::tm first{};
  first.tm_year = 126, first.tm_mon = 0, first.tm_mday = 31, first.tm_hour = 10;
  std::tm last{};
  last.tm_year = 126, last.tm_mon = 1, last.tm_mday = 1, last.tm_hour = 9;
  int date = 0, time = 0;
  CLoadBalanceDb::DateTimeToMinutes(first, date, false);
  CLoadBalanceDb::DateTimeToMinutes(first, time, true);
  const int from = date + time;
  CLoadBalanceDb::DateTimeToMinutes(last, date, false);
  CLoadBalanceDb::DateTimeToMinutes(last, time, true);
  const int to = date + time;
  ASSERT_LT(from, to);

  std::vector<RecorderPollingRecord> rounds;
  ASSERT_TRUE(manager.GetRecordersByApAndDate(kAp1, rounds, from, to));
  Texts times;
  for (const RecorderPollingRecord& r : rounds) times.push_back(r.strCurrent);
  EXPECT_EQ(times, (Texts{"20260131_10:00:00", "20260131_23:59:00", "20260201_00:00:00", "20260201_09:00:00"}));

  std::vector<ClientHistoryRecord> history;  // both ends excluded
  ASSERT_TRUE(manager.GetClientConnectHistory("02:66:00:00:00:01", from, to, history));
  Texts seen;
  for (const ClientHistoryRecord& h : history) seen.push_back(h.date_time + " " + h.name + " " + h.APssid);
  EXPECT_EQ(seen, (Texts{"20260131_23:59:00 AP_1 lab", "20260201_00:00:00 AP_1 lab"}));
  history.clear();
  ASSERT_TRUE(manager.GetClientFirstRoundHistory("02:66:00:00:00:01", from - 10, to, history));
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0].date_time, "20260131_09:59:00");
  history.clear();
  EXPECT_FALSE(manager.GetClientConnectHistory("02:66:00:00:00:09", from, to, history));
  EXPECT_TRUE(manager.GetClientConnectHistory("", from, to, history));
}

TEST_F(LoadBalanceTest, RecorderQueriesReadTheLatestOldestAndNewestRounds) {
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  std::vector<RecorderPollingRecord> rounds;
  EXPECT_TRUE(manager.GetRecordersByIndex(rounds));
  EXPECT_TRUE(rounds.empty());
  for (int i = 1; i <= 7; ++i) {
    std::vector<RecorderPollingRecord> round = {ApRound(kAp1, i, 0), ApRound(kAp2, 10 - i, 0)};
    ASSERT_TRUE(manager.SetRecordersPolling(round));
  }
  const auto counts = [](const std::vector<RecorderPollingRecord>& list) {
    std::vector<int> values;
    for (const RecorderPollingRecord& r : list) values.push_back(r.count_conn_client);
    return values;
  };
  ASSERT_TRUE(manager.GetRecordersByIndex(rounds));
  EXPECT_EQ(counts(rounds), (std::vector<int>{7, 3}));
  rounds.clear();
  EXPECT_TRUE(manager.GetOldestRecorders(rounds, kAp1));
  EXPECT_EQ(counts(rounds), (std::vector<int>{1, 2, 3, 4, 5}));
  rounds.clear();
  EXPECT_TRUE(manager.GetLatestRecorders(rounds, kAp2));
  EXPECT_EQ(counts(rounds), (std::vector<int>{3, 4, 5, 6, 7}));
  rounds.clear();
  EXPECT_FALSE(manager.GetOldestRecorders(rounds, ""));
  EXPECT_TRUE(manager.GetLatestRecorders(rounds, ""));
  EXPECT_TRUE(manager.GetRecordersByApAndDate("", rounds, 0, 1 << 30));
  EXPECT_TRUE(rounds.empty());
}

TEST_F(LoadBalanceTest, ApAddressesAndClientMacsAreLookedUpByBoundValues) {
  AddAp("device_list_prev", "AP_1", "127.0.0.11", kAp1);
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  EXPECT_EQ(manager.GetApIpByMac(kAp1), "127.0.0.11");
  EXPECT_EQ(manager.GetApIpByMac("02:44:71:00:09:09"), "") << "an unknown AP has no address";
  EXPECT_EQ(manager.GetApIpByMac("x' OR '1'='1"), "");
  std::vector<RecorderPollingRecord> round = {
      ApRound(kAp1, 2, 0, {Client("02:66:00:00:00:01"), Client("02:66:00:00:00:02")}),
      ApRound(kAp2, 1, 0, {Client("02:66:00:00:00:01")})};
  ASSERT_TRUE(manager.SetRecordersPolling(round));
  std::vector<std::string> macs;
  EXPECT_TRUE(manager.GetDistinctClientMacs(macs));
  std::sort(macs.begin(), macs.end());
  EXPECT_EQ(macs, (Texts{"02:66:00:00:00:01", "02:66:00:00:00:02"}));
}

TEST_F(LoadBalanceTest, ClientEventsCarryTheirRoundsTimeAndTheApsSsid) {
  ASSERT_TRUE(database.Exec("INSERT INTO ap_property (mac, crvAPssid) VALUES (?, 'O''Brien')", {kAp1}));
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  EXPECT_FALSE(
      manager.writeClienttodb({Client("02:66:00:00:00:01", "40", "1", "connect", kAp1)}, manager.GetIndexPolling() + 1))
      << "no round with that number";
  PinLocalTime(2026, 5, 6, 7, 8);
  std::vector<RecorderPollingRecord> round = {ApRound(kAp1, 1, 0)};
  ASSERT_TRUE(manager.SetRecordersPolling(round));
  const int connectRound = manager.GetIndexPolling();
  EXPECT_TRUE(manager.writeClienttodb(
      {Client("02:66:00:00:00:01", "40", "1", "connect", kAp1), Client("02:66:00:00:00:0", "40", "1", "connect", kAp1)},
      connectRound));
  PinLocalTime(2026, 5, 6, 7, 18);
  round = {ApRound(kAp3, 0, 0)};
  ASSERT_TRUE(manager.SetRecordersPolling(round));
  EXPECT_TRUE(
      manager.writeClienttodb({Client("02:66:00:00:00:01", "40", "1", "disconnect", kAp3)}, manager.GetIndexPolling()));
  const std::string first = std::to_string(connectRound), second = std::to_string(connectRound + 1);
  EXPECT_EQ(Rows("SELECT mac_ap, index_polling, mac_client, client_state, date_time, date_polling, APssid "
                 "FROM client_info ORDER BY rowid"),
            (Texts{kAp1 + "|" + first + "|02:66:00:00:00:01|connect|20260506_07:08:00|" +
                       std::to_string(platform::MinuteStamp(2026, 5, 6, 7, 8)) + "|O'Brien",
                   kAp3 + "|" + second + "|02:66:00:00:00:01|disconnect|20260506_07:18:00|" +
                       std::to_string(platform::MinuteStamp(2026, 5, 6, 7, 18)) + "|"}));

  // A failing insert stores none of the call's events and says so.
  ASSERT_TRUE(database.BreakWrites("client_info", "INSERT", "NEW.mac_client = '02:66:00:00:00:03'"));
  EXPECT_FALSE(manager.writeClienttodb(
      {Client("02:66:00:00:00:02", "1", "1", "connect", kAp3), Client("02:66:00:00:00:03", "1", "1", "connect", kAp3)},
      manager.GetIndexPolling()));
  EXPECT_EQ(database.Value("SELECT count(*) FROM client_info"), "2");
  EXPECT_NE(database.ExceptionLog().find("LoadBalanceManager_DB writeClienttodb RollBackTransact"), std::string::npos);
}

TEST_F(LoadBalanceTest, TheRoundNumberStartsAfterTheLargestInUseAndIsSavedOneAhead) {
  struct Case {
    int saved, recorders, clients, start;
  };
  for (const Case& c : {Case{11, 9, 12, 12}, Case{13, 12, 10, 13}, Case{0, 0, 0, 0}}) {
    ASSERT_TRUE(database.Exec("DELETE FROM recorder_polling"));
    ASSERT_TRUE(database.Exec("DELETE FROM client_connect_ap"));
    ASSERT_TRUE(database.Exec("UPDATE global_setting SET index_polling = ?", {c.saved}));
    ASSERT_TRUE(database.Exec("INSERT INTO recorder_polling (index_polling) VALUES (?)", {c.recorders}));
    ASSERT_TRUE(database.Exec("INSERT INTO client_connect_ap (index_polling) VALUES (?)", {c.clients}));
    {
      LoadBalanceManager_DB manager;
      EXPECT_EQ(manager.GetIndexPolling(), c.start) << c.saved;
      std::vector<RecorderPollingRecord> round = {ApRound(kAp1, 0, 0)};
      ASSERT_TRUE(manager.SetRecordersPolling(round));
    }
    EXPECT_EQ(database.Value("SELECT index_polling FROM global_setting"), std::to_string(c.start + 2));
  }
}

}  // namespace
