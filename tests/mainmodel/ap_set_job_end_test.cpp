// What an AP-set job's end leaves in the database: a replacement AP takes the managed place of the AP it
// replaced, and the AP's sync results are gone.
#include <gtest/gtest.h>

#include "db/TopologyDBManager.h"
#include "mainmodel/ApSetJobEnd.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace net = testing_support::reference_network;

namespace {

// A1 is managed; A2 is a new AP in A1's place whose sync results name A1 as the AP it replaced.
class ApSetJobEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    ASSERT_TRUE(TopologyDBManager().SetNewDeviceToManaged(net::kAp1, false));
    ASSERT_TRUE(AddSyncResult(net::kAp2, "crvAPChannel", "11", "ap_property"));
  }
  bool AddSyncResult(const std::string& mac, const char* property, const char* current, const char* type,
                     const std::string& previous = "") {
    return database_.Exec(
        "INSERT INTO sync_result (mac, property, \"current\", previous, type) VALUES (?, ?, ?, ?, ?)",
        {mac, property, current, previous, type});
  }
  // The discovery marks a new AP that took a known AP's port as replacing it.
  bool MarkReplacing(const std::string& mac) {
    return database_.Exec("UPDATE device_list SET status=5 WHERE mac=?", {mac});
  }
  bool Managed(const std::string& mac) {
    return database_.Value("SELECT count(*) FROM device_list_prev WHERE mac=?", {mac}) == "1";
  }
  std::string Differences(const std::string& mac) {
    return database_.Value("SELECT count(*) FROM sync_result WHERE mac=? AND property<>'port_reload'", {mac});
  }
  std::string PortReloads(const std::string& mac) {
    return database_.Value("SELECT count(*) FROM sync_result WHERE mac=? AND property='port_reload'", {mac});
  }

  testing_support::TempDatabase database_;
};

}  // namespace

TEST_F(ApSetJobEnd, AReplacementTakesTheReplacedApsPlaceAndLosesItsSyncResults) {
  ASSERT_TRUE(AddSyncResult(net::kAp2, "port_reload", "", "", net::kAp1));
  ASSERT_TRUE(MarkReplacing(net::kAp2));
  FinishApSetJob({"127.0.0.12", net::kAp2, true});
  EXPECT_TRUE(Managed(net::kAp2));
  EXPECT_FALSE(Managed(net::kAp1)) << "the replaced AP is deleted";
  EXPECT_EQ(Differences(net::kAp2), "0");
  EXPECT_EQ(PortReloads(net::kAp2), "0");
}

TEST_F(ApSetJobEnd, AReplacementWithoutARecordedPredecessorDeletesNothing) {
  ASSERT_TRUE(MarkReplacing(net::kAp2));
  FinishApSetJob({"127.0.0.12", net::kAp2, true});
  EXPECT_TRUE(Managed(net::kAp2));
  EXPECT_TRUE(Managed(net::kAp1));
  EXPECT_EQ(Differences(net::kAp2), "0");
}

TEST_F(ApSetJobEnd, AnOrdinaryJobOnlyClearsTheSyncResults) {
  ASSERT_TRUE(AddSyncResult(net::kAp2, "port_reload", "", "", net::kAp1));
  FinishApSetJob({"127.0.0.12", net::kAp2, false});
  EXPECT_FALSE(Managed(net::kAp2)) << "the new AP stays new";
  EXPECT_TRUE(Managed(net::kAp1));
  EXPECT_EQ(Differences(net::kAp2), "0");
  EXPECT_EQ(PortReloads(net::kAp2), "1") << "only a replacement takes the predecessor's note";
}
