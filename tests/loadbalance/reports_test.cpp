// The report windows over the poll rounds, the client history, an AP's stored load-balance properties
// and the groups whose template balances load: windows include both ends, rows are named after their
// AP when it is still listed, and every value travels bound.
#include <string>
#include <vector>

#include "LoadBalanceFixture.h"
#include "platform/MinuteStamp.h"

namespace {

using Texts = std::vector<std::string>;
const std::string kAp1 = "02:44:71:00:01:01";
const std::string kAp2 = "02:44:71:00:01:02";
const std::string kGone = "02:44:71:00:09:09";  // rounds of an AP no longer in the device tables

class ReportsTest : public LoadBalanceTest {
 protected:
  void SetUp() override {
    AddAp("device_list_prev", "AP_1", "127.0.0.11", kAp1, "hall");
    AddAp("device_list_prev", "AP_2", "127.0.0.12", kAp2);
  }
  void AddRound(int index, const std::string& mac, const std::string& time, int users, int traffic, int stamp = 0) {
    ASSERT_TRUE(
        database.Exec("INSERT INTO recorder_polling (index_polling, mac_ap, date_polling, time_polling, "
                      "count_connected, traffic_ap) VALUES (?, ?, ?, ?, ?, ?)",
                      {index, mac, stamp, time, users, traffic}));
  }
  void AddClient(int index, const std::string& ap, const std::string& client) {
    ASSERT_TRUE(
        database.Exec("INSERT INTO client_connect_ap (index_polling, mac_ap, mac_client, mode_client, "
                      "RSSI_client) VALUES (?, ?, ?, '2', '-40')",
                      {index, ap, client}));
  }
  // The rounds straddling 1 January 2008: only the middle three lie in the day.
  void AddNewYearRounds() {
    AddRound(1, kAp1, "20071231_23:59:59", 9, 90);
    AddRound(2, kAp1, "20080101_00:00:00", 1, 10);
    AddRound(2, kAp2, "20080101_00:00:00", 2, 20);
    AddRound(3, kGone, "20080101_23:59:59", 3, 30);
    AddRound(4, kAp1, "20080102_00:00:00", 9, 90);
  }
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  const std::string begin = "20080101_00:00:00";
  const std::string end = "20080101_23:59:59";
};

std::string Line(const RecorderReportRecord& r) {
  return r.ap_name + "|" + r.ap_ip + "|" + r.mac_ap + "|" + r.time_polling + "|" + r.group_balance + "|" +
         std::to_string(r.count_connected) + "|" + std::to_string(r.traffic_ap) + "|" + std::to_string(r.date_polling);
}

template <typename Row>
Texts Lines(const std::vector<Row>& rows) {
  Texts lines;
  for (const Row& row : rows) lines.push_back(Line(row));
  return lines;
}

TEST_F(ReportsTest, WindowsIncludeBothEndsAndNameTheRowsOfListedAps) {
  AddNewYearRounds();
  std::vector<RecorderReportRecord> rows;
  EXPECT_EQ(manager.GetRecordersByTime(rows, "", end), -1);
  EXPECT_EQ(manager.GetRecordersByTime(rows, "20090101_00:00:00", "20090102_00:00:00"), -1);
  ASSERT_EQ(manager.GetRecordersByTime(rows, begin, end), 3);
  EXPECT_EQ(Lines(rows), (Texts{"AP_1|127.0.0.11|" + kAp1 + "|20080101_00:00:00||1|10|-1",
                                "AP_2|127.0.0.12|" + kAp2 + "|20080101_00:00:00||2|20|-1",
                                "||" + kGone + "|20080101_23:59:59||3|30|-1"}));

  rows.clear();
  ASSERT_EQ(manager.GetGroupRecordersByTime(rows, begin, end), 3);
  EXPECT_EQ(Lines(rows), (Texts{"||" + kGone + "|20080101_23:59:59||3|-1|-1",
                                "AP_2|127.0.0.12|" + kAp2 + "|20080101_00:00:00||2|-1|-1",
                                "AP_1|127.0.0.11|" + kAp1 + "|20080101_00:00:00|hall|1|-1|-1"}))
      << "ordered by group: no device row, then no group, then the groups";
  std::vector<RecorderReportRecord> twin;
  EXPECT_EQ(manager.GetGroupRecordersByTime(twin, begin, end, "ignored"), 3);
  EXPECT_EQ(Lines(twin), Lines(rows));

  // Rows already in the list are named too.
  std::vector<RecorderReportRecord> earlier(1);
  earlier[0].mac_ap = kAp2;
  ASSERT_EQ(manager.GetApRecordersByTime(earlier, begin, end, kAp1), 2);
  EXPECT_EQ(earlier[0].ap_name, "AP_2");
  EXPECT_EQ(Line(earlier[1]), "AP_1|127.0.0.11|" + kAp1 + "|20080101_00:00:00||1|10|0");
}

TEST_F(ReportsTest, AnApWithoutRoundsInTheWindowGetsOnePlaceholderRowDatedNow) {
  AddNewYearRounds();
  PinLocalTime(2026, 3, 4, 5, 6);
  std::vector<RecorderReportRecord> rows;
  EXPECT_EQ(manager.GetApRecordersByTime(rows, begin, end, ""), -1);
  EXPECT_EQ(manager.GetApRecordersByTime(rows, "20090101_00:00:00", "20090102_00:00:00", kAp1), 0);
  EXPECT_EQ(Lines(rows), (Texts{"AP_1|127.0.0.11|" + kAp1 + "|20260304_05:06:00||0|0|-1"}));
  rows.clear();
  EXPECT_EQ(manager.GetApRecordersByTime(rows, "20090101_00:00:00", "20090102_00:00:00", kGone), 0);
  EXPECT_TRUE(rows.empty()) << "not a listed AP";
}

TEST_F(ReportsTest, ClientRowsGiveEveryClientOfARoundAndOneEmptyRowForARoundWithout) {
  AddNewYearRounds();
  for (const char* client : {"02:66:00:00:00:01", "02:66:00:00:00:02", "02:66:00:00:00:03"}) AddClient(2, kAp1, client);
  AddClient(1, kAp1, "02:66:00:00:00:09");  // a round outside the window
  std::vector<ClientReportRecord> rows;
  ASSERT_EQ(manager.GetClientRecordersByTime(rows, begin, end), 5);
  Texts lines;
  for (const ClientReportRecord& r : rows)
    lines.push_back(r.ap_name + "|" + r.mac_ap + "|" + std::to_string(r.index_polling) + "|" + r.mac_client + "|" +
                    r.mode_client + "|" + r.RSSI_client + "|" + std::to_string(r.flag));
  std::sort(lines.begin(), lines.begin() + 3);
  EXPECT_EQ(
      lines,
      (Texts{"AP_1|" + kAp1 + "|2|02:66:00:00:00:01|2|-40|1", "AP_1|" + kAp1 + "|2|02:66:00:00:00:02|2|-40|1",
             "AP_1|" + kAp1 + "|2|02:66:00:00:00:03|2|-40|1", "AP_2|" + kAp2 + "|2||||1", "|" + kGone + "|3||||1"}));
  EXPECT_EQ(manager.GetClientRecordersByTime(rows, begin, ""), -1);
}

TEST_F(ReportsTest, PollTimeTextsAreReadAsLocalMoments) {
  PinLocalTime(2026, 7, 8, 9, 10);
  const auto moment = CLoadBalanceDb::ParseRecorderTime("20080315_14:05:09");
  ASSERT_TRUE(moment);
  EXPECT_EQ(platform::FormatLocalTime(*moment, "%Y-%m-%d %H:%M:%S"), "2008-03-15 14:05:09");
  EXPECT_EQ(CLoadBalanceDb::ParseRecorderTime(""), platform::Now());
  for (const char* noDate : {"20080231_00:00:00", "2008", "garbage_text_here"})
    EXPECT_FALSE(CLoadBalanceDb::ParseRecorderTime(noDate)) << noDate;
}

TEST_F(ReportsTest, MinuteWindowsAcrossAMonthEndAndTheOtherHistoryReads) {
  const int from = platform::MinuteStamp(2026, 1, 31, 10, 0);
  const int to = platform::MinuteStamp(2026, 2, 1, 9, 0);
  AddRound(7, kAp1, "20260131_10:00:00", 0, 0, from);
  AddRound(8, kAp1, "20260131_23:59:00", 0, 0, platform::MinuteStamp(2026, 1, 31, 23, 59));
  AddRound(9, kAp1, "20260201_09:00:00", 0, 0, to);
  AddRound(10, kAp1, "20260201_09:01:00", 0, 0, to + 1);
  std::vector<RecorderPollingRecord> cycles;
  EXPECT_TRUE(manager.GetPollCyclesByMinute(cycles, from, to));
  Texts seen;
  for (const RecorderPollingRecord& c : cycles) seen.push_back(std::to_string(c.nIndex_polling) + " " + c.strCurrent);
  EXPECT_EQ(seen, (Texts{"7 20260131_10:00:00", "8 20260131_23:59:00", "9 20260201_09:00:00"}));
  std::vector<int> indexes;
  EXPECT_EQ(manager.GetIndexesByMinute(indexes, from, to), 1) << "both ends excluded";
  EXPECT_EQ(manager.GetAllIndexes(indexes), 4);
  EXPECT_EQ(indexes, (std::vector<int>{8, 7, 8, 9, 10}));

  ASSERT_TRUE(
      database.Exec("INSERT INTO filter_entry (mac, filterMAC) VALUES (?, '00:11:22:33:44:55'), (NULL, NULL)", {kAp1}));
  std::vector<FilterEntryRecord> entries;
  EXPECT_TRUE(manager.GetFilterEntries(entries));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].mac + entries[1].filterMAC, "") << "a NULL is read as empty, not as the row before";

  ASSERT_TRUE(database.Exec("UPDATE device_list_prev SET group_balance = '  ' WHERE mac = ?", {kAp2}));
  EXPECT_TRUE(manager.HasGroupBalance("127.0.0.11"));
  EXPECT_FALSE(manager.HasGroupBalance("127.0.0.12"));
  EXPECT_FALSE(manager.HasGroupBalance("127.0.0.99"));
}

TEST_F(ReportsTest, ClientHistoryReadsOneClientsEventsOnManagedAps) {
  const auto addEvent = [&](const std::string& ap, int index, const char* state, int stamp) {
    ASSERT_TRUE(
        database.Exec("INSERT INTO client_info (mac_ap, index_polling, mac_client, RSSI_client, mode_client, "
                      "client_state, date_time, date_polling, APssid) VALUES (?, ?, ?, NULL, '1', ?, ?, ?, ?)",
                      {ap, index, "02:66:00:00:00:01", state, "t" + std::to_string(index), stamp, "O'Brien"}));
  };
  addEvent(kAp1, 15, "disconnect", 150);
  addEvent(kAp1, 12, "connect", 120);
  addEvent(kAp2, 15, "connect", 150);
  addEvent(kGone, 13, "connect", 130);
  std::vector<ClientHistoryRecord> history;
  EXPECT_TRUE(manager.GetClientHistory("", 0, 1000, history));
  EXPECT_TRUE(history.empty());
  EXPECT_FALSE(manager.GetClientHistory("02:66:00:00:00:01", 200, 100, history));
  EXPECT_TRUE(history.empty());
  ASSERT_TRUE(manager.GetClientHistory("02:66:00:00:00:01", 120, 150, history));
  Texts seen;
  for (const ClientHistoryRecord& h : history)
    seen.push_back(h.name + " " + h.ip + " " + std::to_string(h.index_polling) + " " + h.client_state + " " +
                   h.date_time + " [" + h.RSSI_client + "] " + h.APssid);
  EXPECT_EQ(seen, (Texts{"AP_1 127.0.0.11 12 connect t12 [] O'Brien", "AP_2 127.0.0.12 15 connect t15 [] O'Brien",
                         "AP_1 127.0.0.11 15 disconnect t15 [] O'Brien"}))
      << "by round, connect before disconnect; the deleted AP's event left out";
}

TEST_F(ReportsTest, ApPropertySettersStoreOnlyInAnExistingRow) {
  ASSERT_TRUE(database.Exec("INSERT INTO ap_property (mac, crvAPWaterLevelBalancing) VALUES (?, '1')", {kAp1}));
  EXPECT_TRUE(manager.SetApUserNumLimit("20", kAp1));
  EXPECT_TRUE(manager.SetApTrapHost("O'Brien", kAp1));
  EXPECT_TRUE(manager.SetApLoadBalanceStatus("2", kAp1));
  EXPECT_FALSE(manager.SetApUserNumLimit("20", kAp2));
  EXPECT_EQ(Rows("SELECT mac, crvAPUserNumLimit, enterpriseAPSysSNMPTrapIP, LoadBalanceStatus FROM ap_property"),
            (Texts{kAp1 + "|20|O'Brien|2"}));
  std::string value = "x";
  EXPECT_TRUE(manager.GetStoredLoadBalanceState(kAp1, value));
  EXPECT_EQ(value, "1");
  EXPECT_FALSE(manager.GetStoredLoadBalanceState(kAp2, value));
  EXPECT_FALSE(manager.GetStoredLoadBalanceState("", value));
}

TEST_F(ReportsTest, SavedBalancingStoresItsUserLimitSsidAndHost) {
  for (const std::string& mac : {kAp1, kAp2, std::string("02:44:71:00:01:03")})
    ASSERT_TRUE(
        database.Exec("INSERT INTO ap_property (mac, crvAPUserNumLimit, crvAPssid) VALUES (?, '33', 'old')", {mac}));
  std::vector<ApInfoRecord> aps(4);
  const char* balancing[] = {"1", "0", "", "1"};
  const char* macs[] = {"02:44:71:00:01:01", "02:44:71:00:01:02", "02:44:71:00:01:03", "02:44:71:00:07:07"};
  for (int i = 0; i < 4; ++i) {
    aps[i].mac = macs[i];
    aps[i].crvAPWaterLevelBalancing = balancing[i];
    aps[i].ssid = "O'Brien";
  }
  aps[0].enterpriseAPSysSNMPTrapIP = "127.0.0.1";
  std::vector<ApInfoRecord> failed;
  EXPECT_TRUE(manager.SaveApLoadBalanceProperties({}, failed, true));
  EXPECT_TRUE(manager.SaveApLoadBalanceProperties(aps, failed, false));
  EXPECT_EQ(Rows("SELECT crvAPWaterLevelBalancing, crvAPUserNumLimit, crvAPssid, enterpriseAPSysSNMPTrapIP "
                 "FROM ap_property ORDER BY mac"),
            (Texts{"1|7|old|127.0.0.1", "0|60|old|", "|33|old|"}))
      << "an AP without a row passed over";
  EXPECT_TRUE(manager.SaveApLoadBalanceProperties(aps, failed, true));
  EXPECT_EQ(database.Value("SELECT crvAPssid FROM ap_property WHERE mac = ?", {kAp2}), "O'Brien");

  // A failing update rolls back the APs before it and names the failing one.
  ASSERT_TRUE(database.BreakWrites("ap_property", "UPDATE", "NEW.mac = '02:44:71:00:01:02'"));
  aps[0].crvAPWaterLevelBalancing = "0";
  EXPECT_FALSE(manager.SaveApLoadBalanceProperties(aps, failed, true));
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].mac, kAp2);
  EXPECT_EQ(database.Value("SELECT crvAPUserNumLimit FROM ap_property WHERE mac = ?", {kAp1}), "7");
}

TEST_F(ReportsTest, GroupMacsComeOnlyFromAGroupWhoseTemplateBalancesLoad) {
  ASSERT_TRUE(
      database.Exec("INSERT INTO user_def_group_main_template (group_template_index, loadbalance_group) "
                    "VALUES (5, 1), (6, 0)"));
  ASSERT_TRUE(
      database.Exec("INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES "
                    "('O''Brien', 5, NULL), ('O''Brien', 5, ?), ('O''Brien', 5, ?), ('quiet', 6, ?)",
                    {kAp1, kAp2, kGone}));
  EXPECT_EQ(manager.GetLoadBalanceGroupMacs(kAp2), (Texts{kAp1, kAp2}));
  EXPECT_TRUE(manager.GetLoadBalanceGroupMacs(kGone).empty()) << "template without load balancing";
  EXPECT_TRUE(manager.GetLoadBalanceGroupMacs("02:44:71:00:05:05").empty()) << "in no group";
  EXPECT_TRUE(manager.IsMacInLoadBalanceTemplate(kAp1));
  EXPECT_FALSE(manager.IsMacInLoadBalanceTemplate(kGone));
}

}  // namespace
