// One AP's configuration sheet without its windows: loading the three ways it opens, filling the pages
// and the change list their OK builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/ApConfigSheetModel.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;

class ApConfigSheetModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    // AP 2, on DHCP (loopback addresses are no static host addresses), with three filter MACs; AP 3 holds one of them already.
    ASSERT_TRUE(database_.Exec(
        "INSERT INTO ap_property (mac, APSysDHCP, APSysSubnetMask, APSysDefaultGateway, crvAPUserNumLimit, crvAPssid, "
        "crvAPChannel, crvAPSecurityType, crvAPSuperG, crvAPBGMode, crvAPTxRates, crvAPAntennaTransmitPower, "
        "crvAPBeaconInterval, crvAPRTSThreshold, crvAPFragmentationThreshold, crvAPDTIMinterval, filterType) "
        "VALUES (?, '1', '255.0.0.0', '127.0.0.1', 30, 'stored-net', 6, 1, 0, 0, 108, 1, 100, 2346, 2346, 1, 1)",
        {net::kAp2}));
    for (const char* mac : {"02:55:00:00:00:01", "02:55:00:00:00:02", "02:55:00:00:00:03"})
      ASSERT_TRUE(database_.Exec("INSERT INTO filter_entry (mac, filterMAC) VALUES (?, ?)", {net::kAp2, mac}));
    ASSERT_TRUE(database_.Exec("INSERT INTO filter_entry (mac, filterMAC) VALUES (?, '02:55:00:00:00:02')", {net::kAp3}));
  }
  void TearDown() override { platform::RunShutdown(); }

  static void ExpectPasses(CApConfigSheetModel& model) {
    const auto failure = model.CheckPages();
    EXPECT_FALSE(failure) << (failure ? failure->check.text : "");
  }
  static std::vector<std::string> Oids(const ApSetEntryList& entries) {
    std::vector<std::string> oids;
    for (const CApSetEntry& entry : entries) oids.push_back(entry.oid + "=" + entry.value);
    return oids;
  }

  testing_support::TempDatabase database_;
  testing_support::MessageBoxRecorder boxes_;
};

TEST_F(ApConfigSheetModelTest, AReplacementCarriesTheWholeConfigurationAndTheMissingFilterMacs) {
  CApConfigSheetModel model;
  ASSERT_TRUE(model.LoadReplacement("127.0.0.13", net::kAp3, net::kAp2));
  EXPECT_EQ(model.title, "Replace Ap '127.0.0.13' configuration by 127.0.0.12[" + net::kAp2 + "]");
  model.wireless.channelCount = 11;
  model.Fill(ApSheetMode::kReplacement);
  ExpectPasses(model);
  const std::vector<std::string> oids = Oids(model.BuildChanges());
  const auto has = [&](const std::string& text) { return std::find(oids.begin(), oids.end(), text) != oids.end(); };
  EXPECT_TRUE(has(".1.10.1.0=1"));
  EXPECT_TRUE(has(".4.16.0=30"));
  EXPECT_TRUE(has(".4.3.0=stored-net"));
  EXPECT_TRUE(has(".4.6.0=108"));
  EXPECT_TRUE(has(".3.1.0=1"));
  EXPECT_TRUE(has(".3.2.0=025500000001"));
  EXPECT_TRUE(has(".3.2.0=025500000003"));
  EXPECT_FALSE(has(".3.2.0=025500000002")) << "what the new AP holds is not sent again";
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ApConfigSheetModelTest, TheCurrentModeSendsOnlyWhatChanged) {
  CApConfigSheetModel model;
  model.LoadCurrent("127.0.0.12", net::kAp2, "AP 2");
  model.wireless.channelCount = 11;
  model.Fill(ApSheetMode::kCurrent);
  EXPECT_EQ(model.record.ip, "127.0.0.12");
  EXPECT_EQ(model.macFilter.Rows().size(), 3u);
  model.visited.fill(true);
  ExpectPasses(model);
  EXPECT_TRUE(model.BuildChanges().empty()) << "OK without an edit sends nothing";
  model.advance.beaconInterval = 200;
  model.advance.rtsThreshold = 100;
  const auto failure = model.CheckPages();
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->page, CApConfigSheetModel::kAdvance);
  EXPECT_EQ(failure->check.text, "please input \"RTS Threshold\" value between 256 and 2346");
  model.advance.rtsThreshold = 2346;
  ExpectPasses(model);
  EXPECT_EQ(Oids(model.BuildChanges()), std::vector<std::string>{".4.11.0=200"});
}

}  // namespace
