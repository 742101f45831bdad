// The wireless client list's queries over two stored poll rounds: only the latest round and online APs,
// NULL cells read as empty (never the row before's), filters on bound values and only on filter columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UsageFixture.h"
#include "usage/ClientListDb.h"
#include "usage/ClientListFilters.h"

namespace {

const std::string kC1 = "02:66:00:00:00:01";
const std::string kC2 = "02:66:00:00:00:02";
const std::string kC3 = "02:66:00:00:00:03";

class ClientListDbTest : public UsageTest {
 protected:
  void SetUp() override {
    UsageTest::SetUp();
    StoreRound({Ap(net::kAp1, 1, {Client(kC3, "10", "2")})});  // an older round
    StoreRound({Ap(net::kAp1, 2, {Client(kC1, "40", "1"), Client(kC2, "25", "9")}),
                Ap(net::kAp2, 1, {Client(kC3, "30", "3")})});
  }
  std::vector<std::string> ClientMacs(const std::vector<ClientListRow>& rows) {
    std::vector<std::string> macs;
    for (const ClientListRow& row : rows) macs.push_back(row.client_mac);
    std::sort(macs.begin(), macs.end());
    return macs;
  }
};

TEST_F(ClientListDbTest, TheListHoldsTheLatestRoundsClientsOfOnlineAps) {
  std::vector<ClientListRow> rows;
  ASSERT_EQ(CClientListDb().LoadClientList(rows), 3);
  EXPECT_EQ(ClientMacs(rows), (std::vector<std::string>{kC1, kC2, kC3}));
  const auto c3 = std::find_if(rows.begin(), rows.end(), [](const ClientListRow& r) { return r.client_mac == kC3; });
  EXPECT_EQ(*c3, (ClientListRow{"AP_2", net::kAp2, "127.0.0.12", kC3, "30", "3",
                                GetLoadBalanceManager()->GetIndexPolling()}));

  ASSERT_TRUE(database.Exec("UPDATE device_list_prev SET online = 0 WHERE mac = ?", {net::kAp2}));
  rows.clear();
  EXPECT_EQ(CClientListDb().LoadClientList(rows), 2);
  EXPECT_EQ(ClientMacs(rows), (std::vector<std::string>{kC1, kC2}));
}

TEST_F(ClientListDbTest, ANullCellReadsAsEmptyNotAsThePreviousRowsValue) {
  ASSERT_TRUE(
      database.Exec("UPDATE client_connect_ap SET RSSI_client = NULL, mode_client = NULL WHERE mac_client = ?", {kC2}));
  ASSERT_TRUE(database.Exec("UPDATE device_list_prev SET name = NULL WHERE mac = ?", {net::kAp1}));
  for (bool filtered : {false, true}) {
    std::vector<ClientListRow> rows;
    if (filtered)
      CClientListDb().LoadFilteredClientList(rows, "ip", "127.0.0.11");
    else
      CClientListDb().LoadClientList(rows);
    const auto c2 = std::find_if(rows.begin(), rows.end(), [](const ClientListRow& r) { return r.client_mac == kC2; });
    ASSERT_NE(c2, rows.end());
    EXPECT_EQ(c2->rssi, "");
    EXPECT_EQ(c2->mode, "");
    EXPECT_EQ(c2->ap_name, "");
  }
}

TEST_F(ClientListDbTest, FiltersCompareBoundValuesOnTheirOwnTablesColumn) {
  std::vector<ClientListRow> rows;
  EXPECT_EQ(CClientListDb().LoadFilteredClientList(rows, "ip", "127.0.0.11"), 2);
  EXPECT_EQ(ClientMacs(rows), (std::vector<std::string>{kC1, kC2}));
  rows.clear();
  EXPECT_EQ(CClientListDb().LoadFilteredClientList(rows, "RSSI_client", "30"), 1);
  EXPECT_EQ(ClientMacs(rows), (std::vector<std::string>{kC3}));
  EXPECT_EQ(rows[0].index_polling, 0);
  rows.clear();
  EXPECT_EQ(CClientListDb().LoadFilteredClientList(rows, "mode_client", ModeCode("g-mode")), 1);
  EXPECT_EQ(ClientMacs(rows), (std::vector<std::string>{kC1}));

  // Text from outside never becomes part of a statement: a quote is a value, an unknown column nothing.
  rows.clear();
  EXPECT_EQ(CClientListDb().LoadFilteredClientList(rows, "mac_client", "x' OR '1'='1"), 0);
  EXPECT_EQ(CClientListDb().LoadFilteredClientList(rows, "1=1 OR mac_client", "x"), 0);
  EXPECT_TRUE(rows.empty());
}

TEST_F(ClientListDbTest, DistinctValuesComeFromTheLatestRoundOfOnlineApsWithoutNulls) {
  ASSERT_TRUE(database.Exec("UPDATE client_connect_ap SET RSSI_client = NULL WHERE mac_client = ?", {kC2}));
  ASSERT_TRUE(database.Exec("UPDATE device_list_prev SET online = 0 WHERE mac = ?", {net::kAp2}));
  std::vector<std::string> values;
  CClientListDb().GetDistinctValues("RSSI_client", values);
  EXPECT_EQ(values, (std::vector<std::string>{"40"}));
  values.clear();
  CClientListDb().GetDistinctValues("ip", values);
  EXPECT_EQ(values, (std::vector<std::string>{"127.0.0.11"}));
  values.clear();
  CClientListDb().GetDistinctValues("name", values);
  EXPECT_TRUE(values.empty());
}

TEST(ClientListFiltersTest, ModeTextsAndColumns) {
  EXPECT_EQ(ModeText("1"), "g-mode");
  EXPECT_EQ(ModeText("3"), "turbo-g-mode");
  EXPECT_EQ(ModeText("9"), "");
  EXPECT_EQ(ModeCode("b-mode"), "2");
  EXPECT_EQ(QualifiedFilterColumn("ip"), "device_list_prev.ip");
  EXPECT_EQ(QualifiedFilterColumn("mode_client"), "client_connect_ap.mode_client");
  EXPECT_EQ(QualifiedFilterColumn("online"), std::nullopt);
}

}  // namespace
