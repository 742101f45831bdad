// The advanced page's ranges and include starts, and the MAC filter page's list rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "groupmodel/AdvancedPageModel.h"
#include "groupmodel/MacFilterPageModel.h"
#include "groupmodel/TemplateBindingCheck.h"
#include "support/MessageRecorder.h"

namespace {

using A = CAdvancedPageModel;
using F = CMacFilterPageModel;

TEST(AdvancedPageTest, RangesAtTheirEdges) {
  struct Case {
    A::Setting setting;
    int A::*value;
    int low, high;
    const char* message;
  };
  const Case cases[] = {
      {A::kBeacon, &A::beaconInterval, 20, 1000, "please input \"Beacon interval\" value between 20 and 1000"},
      {A::kRts, &A::rtsThreshold, 256, 2346, "please input \"RTS Threshold\" value between 256 and 2346"},
      {A::kFragmentation, &A::fragmentationThreshold, 1500, 2346,
       "please input \"Fragmeatation\" value between 1500 and 2346"},
      {A::kDtim, &A::dtimInterval, 1, 5, "please input \"DTIM interval\" value between 1 and 5"},
  };
  for (const Case& c : cases) {
    A page;
    page.ToggleInclude(c.setting);
    for (int value : {c.low, c.high}) {
      page.*c.value = value;
      EXPECT_FALSE(page.Validate()) << value;
    }
    for (int value : {c.low - 1, c.high + 1}) {
      page.*c.value = value;
      const auto failure = page.Validate();
      ASSERT_TRUE(failure) << value;
      EXPECT_EQ(failure->message, c.message);
    }
  }
}

TEST(AdvancedPageTest, IncludingStartsFromTheDefaults) {
  A page;
  page.beaconInterval = 555;
  page.txRateIndex = 7;
  page.ToggleInclude(A::kBeacon);
  page.ToggleInclude(A::kTxRate);
  EXPECT_EQ(page.beaconInterval, 100);
  EXPECT_EQ(page.txRateIndex, 0);
  page.ToggleInclude(A::kPreamble);
  EXPECT_TRUE(page.shortPreamble);
  // CTS: cleared include forgets the mode; included without a mode is refused.
  page.ctsMode = 2;
  EXPECT_FALSE(page.Validate());
  EXPECT_EQ(page.ctsMode, -1);
  page.ToggleInclude(A::kCts);
  EXPECT_EQ(page.Validate()->message, "Please select cts mode");
}

TEST(AdvancedPageTest, BindingsRefuseEveryBoxButWlanPartition) {
  testing_support::MessageBoxRecorder boxes;
  CTemplateBindingCheck check;
  GroupBindRecord binding;
  binding.properties = {9, 20};
  binding.ip = "127.0.0.11";
  binding.groupName = "other";
  check.Bindings().push_back(binding);
  A page;
  page.SetBindingCheck(&check);
  page.SetSkipCheck(false);
  EXPECT_FALSE(page.ToggleInclude(A::kTxPower));
  EXPECT_EQ(page.include[A::kTxPower], 0);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Warning: couldn't select transmit power param!\r\nReason: current "
                                                    "group device '127.0.0.11' has bind transmit power in group other"});
  EXPECT_TRUE(page.ToggleInclude(A::kWlanPartition));
  EXPECT_TRUE(page.ToggleInclude(A::kTxRate));
  EXPECT_TRUE(check.CheckFieldBinding(20)) << "indexes past 16 are never refused";
}

class MacFilterPageTest : public ::testing::Test {
 protected:
  bool Add(const std::string& text) {
    page_.macText = text;
    return page_.Add();
  }
  std::vector<std::string> Macs() const {
    std::vector<std::string> macs;
    for (const auto& row : page_.Rows()) macs.push_back(row.number + " " + row.mac);
    return macs;
  }
  testing_support::MessageBoxRecorder boxes_;
  F page_;
};

TEST_F(MacFilterPageTest, AddressesAreKeptInOneForm) {
  page_.filterType = 1;
  page_.Open();
  EXPECT_TRUE(Add(" 00-0a-0B-0c-0d-0e "));
  EXPECT_TRUE(Add("00:0a-0b:0c:0d:0f"));
  EXPECT_FALSE(Add("000a0b0c0d10"));
  EXPECT_EQ(boxes_.Texts().back(), "please input valid mac address");
  EXPECT_FALSE(Add("00:0A:0B:0C:0D:0e")) << "the same address in other letters";
  EXPECT_EQ(boxes_.Texts().back(), "00:0A:0B:0C:0D:0E has existed in list");
  EXPECT_EQ(Macs(), (std::vector<std::string>{"1 00:0A:0B:0C:0D:0E", "2 00:0A:0B:0C:0D:0F"}));
  EXPECT_TRUE(Add("00:00:00:00:00:03"));
  EXPECT_TRUE(page_.Delete(1));
  EXPECT_TRUE(Add("00:00:00:00:00:04"));
  EXPECT_EQ(Macs(), (std::vector<std::string>{"1 00:0A:0B:0C:0D:0E", "3 00:00:00:00:00:03", "3 00:00:00:00:00:04"}));
  EXPECT_FALSE(page_.Delete(-1));
  EXPECT_EQ(boxes_.Texts().back(), "Pls select one list item");
  EXPECT_FALSE(page_.Validate());
  ASSERT_EQ(page_.entries.size(), 3u);
  EXPECT_EQ(page_.entries[2].mac_address, "00:00:00:00:00:04");
  EXPECT_EQ(page_.filterType, 1);
}

TEST_F(MacFilterPageTest, SixtyAddressesAtMost) {
  page_.filterType = 2;
  page_.Open();
  for (int i = 0; i < 60; ++i) {
    char mac[18];
    std::snprintf(mac, sizeof mac, "00:00:00:00:00:%02X", i);
    ASSERT_TRUE(Add(mac)) << i;
  }
  EXPECT_FALSE(Add("not even an address"));
  EXPECT_EQ(boxes_.Texts().back(), "MAC filter's max entry number is 60");
}

TEST_F(MacFilterPageTest, FilterTypeAndInclude) {
  page_.Open();
  EXPECT_FALSE(page_.Included());
  page_.SelectType(-1);
  page_.ToggleInclude();
  EXPECT_EQ(page_.filterType, 0);
  page_.SelectType(-1);
  EXPECT_FALSE(Add("00:00:00:00:00:01"));
  EXPECT_EQ(boxes_.Texts().back(), "please select filter type");
  EXPECT_EQ(page_.macText, "00:00:00:00:00:01") << "the typed text stays";
  EXPECT_EQ(page_.Validate()->message, "Please select mac filter type");
  page_.SelectType(2);
  ASSERT_TRUE(Add("00:00:00:00:00:01"));
  page_.ToggleInclude();
  EXPECT_FALSE(page_.Validate());
  EXPECT_EQ(page_.filterType, -1);
  EXPECT_TRUE(page_.entries.empty()) << "a filter left out hands back nothing";
}

TEST_F(MacFilterPageTest, LoadBalanceForcesTheFilter) {
  page_.ForceMacFilter();  // before the page was ever shown
  page_.Open();
  EXPECT_TRUE(page_.Included());
  EXPECT_TRUE(page_.IncludeLocked());
  EXPECT_EQ(page_.TickedType(), 0);
  page_.ToggleInclude();
  EXPECT_TRUE(page_.Included()) << "the forced box cannot be cleared";
  page_.ReleaseMacFilter();
  EXPECT_FALSE(page_.Included());
  EXPECT_FALSE(page_.IncludeLocked());
}

TEST_F(MacFilterPageTest, AddIsPutToTheBinding) {
  CTemplateBindingCheck check;
  GroupBindRecord binding;
  binding.properties = {16};
  binding.ip = "127.0.0.12";
  binding.groupName = "lab";
  check.Bindings().push_back(binding);
  page_.SetBindingCheck(&check);
  page_.SetSkipCheck(false);
  page_.filterType = 1;
  page_.Open();
  EXPECT_FALSE(Add("00:00:00:00:00:01"));
  EXPECT_TRUE(page_.Rows().empty());
  EXPECT_EQ(boxes_.Texts().back(), "Warning: couldn't add mac address control param!\r\nReason: current group device "
                                   "'127.0.0.12' has bind mac address control in group lab");
}

}  // namespace
