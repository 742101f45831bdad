// The AP list's rows on the reference network's database: headings, status cells by stored state, the
// found AP without properties, the managed-only filter, the sync overlay and the row refreshed after a
// save.
#include <gtest/gtest.h>

#include "DevViewsFixture.h"
#include "db/ApListDBManager.h"
#include "devmodel/ApListModel.h"

namespace {

class ApListModelTest : public DevViewsFixture {
 protected:
  void SetUp() override {
    DevViewsFixture::SetUp();
    // IP, MAC and SSID only, so a row is easy to read.
    ASSERT_TRUE(ApListDBManager().SaveDisplayedApPropertyNames(
        {{"APSysIP", "IP"}, {"mac", "MAC"}, {"crvAPssid", "SSID"}}));
    model_.LoadDefaultColumns();
  }
  const ApListViewRow& Row(const std::string& mac) {
    const int index = model_.FindRowByKey(mac);
    EXPECT_GE(index, 0) << mac;
    return model_.Rows().at(index);
  }
  CApListModel model_;
};

TEST_F(ApListModelTest, RowsShowTheStatusAndTheChosenColumnsAndTheFoundApWithoutProperties) {
  model_.Reload();
  EXPECT_EQ(model_.Headings(), (std::vector<std::string>{"Status", "IP", "MAC", "SSID"}));
  ASSERT_EQ(model_.Rows().size(), 3u);
  const ApListViewRow& a1 = Row(net::kAp1);
  EXPECT_EQ(a1.cells.at(0).text, "Online");
  EXPECT_EQ(a1.image, kApOnline);
  EXPECT_EQ(a1.cells.at(1).text, "127.0.0.11");
  EXPECT_EQ(a1.cells.at(3).text, "corvath");
  // A3 is found but has no property row: IP and MAC from its device row, nothing else.
  const ApListViewRow& a3 = Row(net::kAp3);
  EXPECT_EQ(a3.cells.at(0).text, "New");
  EXPECT_EQ(a3.cells.at(1).text, "127.0.0.13");
  EXPECT_EQ(a3.cells.at(2).text, net::kAp3);
  EXPECT_EQ(a3.cells.at(3).text, "");
  for (const ApListCell& cell : a3.cells) EXPECT_EQ(cell.shade, RowShade::NewDevice);
  EXPECT_EQ(model_.FindRowByKey(net::kUnknown), -1) << "only APs are listed";

  model_.SetFilter({"", "", 1});
  EXPECT_EQ(model_.Rows().size(), 2u) << "managed only leaves the found AP out";
  EXPECT_EQ(model_.FindRowByKey(net::kAp3), -1);
}

TEST_F(ApListModelTest, StoredStatesGiveTheirWordsAndShades) {
  struct Case {
    int stored, online;
    const char* text;
    RowShade shade;
  };
  const Case cases[] = {{0, 0, "Offline", RowShade::Offline},
                        {1, 1, "DHCP Error", RowShade::Offline},
                        {2, 1, "Not Available", RowShade::Offline},
                        {4, 1, "System-key Error", RowShade::Offline},
                        {5, 1, "Replace", RowShade::NewDevice},
                        {6, 1, "Changed", RowShade::Window}};
  for (const Case& c : cases) {
    SetManaged(net::kAp1, c.stored, c.online);
    model_.Reload();
    EXPECT_EQ(Row(net::kAp1).cells.at(0).text, c.text) << c.stored;
    EXPECT_EQ(Row(net::kAp1).cells.at(2).shade, c.shade) << c.stored;
  }
}

TEST_F(ApListModelTest, DifferencesOfAChangedApShowWhatItReportsInTheChangedShade) {
  SetManaged(net::kAp2, 6);
  Run("INSERT INTO sync_result (mac, property, \"current\", previous, type) VALUES (?, ?, ?, ?, ?)",
      {net::kAp2, "crvAPssid", "guest", "corvath", "ap_property"});
  model_.Reload();
  const ApListViewRow& a2 = Row(net::kAp2);
  EXPECT_EQ(a2.cells.at(0).text, "Changed");
  EXPECT_EQ(a2.image, kApChanged);
  EXPECT_EQ(a2.cells.at(3).text, "guest");
  EXPECT_EQ(a2.cells.at(3).shade, RowShade::Changed);
  EXPECT_EQ(a2.cells.at(1).shade, RowShade::Window) << "only the differing cell";
}

TEST_F(ApListModelTest, NoColumnAtAllGivesNoStatusColumnAndNoRows) {
  Run("DELETE FROM ap_usr");
  Run("UPDATE ap_polling_data SET display=FALSE");
  CApListModel empty;
  empty.LoadDefaultColumns();
  empty.Reload();
  EXPECT_TRUE(empty.Headings().empty());
  EXPECT_TRUE(empty.Rows().empty());
}

TEST_F(ApListModelTest, ASavedRowIsReadAgainAndShownOnlineAndRemovedRowsGo) {
  SetManaged(net::kAp2, 6);
  model_.Reload();
  const int index = model_.FindRowByKey(net::kAp2);
  ASSERT_TRUE(model_.RefreshSavedRow(index));
  EXPECT_EQ(model_.Rows()[index].cells[0].text, "Online");
  EXPECT_EQ(model_.Rows()[index].image, kApOnline);
  EXPECT_EQ(model_.Rows()[index].cells[2].text, net::kAp2);

  model_.RemoveRows({2, 0});
  ASSERT_EQ(model_.Rows().size(), 1u);
}

}  // namespace
