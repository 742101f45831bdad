// Peer balancing on the simulated APs: the peers' switches go on, the AP with the lowest level steps up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/PeerBalance.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::DevSimReference;
const std::string kRoot = ".1.3.6.1.4.1.44711.1";

class PeerBalanceTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSnmpDefaults("private", "private", 50); }
  std::string Value(const char* ap, const std::string& oid) { return simulator_.Value(ap, kRoot.substr(1) + oid); }
  PeerBalanceLookups Lookups(std::vector<std::string> peerIps) {
    return {[peerIps](const std::string&) {
              std::vector<ApInfoRecord> peers;
              for (const std::string& ip : peerIps) peers.emplace_back().ip = ip;
              return peers;
            },
            [](const std::string&) { return kRoot; }};
  }
  testing_support::DevSimProcess simulator_;
};

TEST_F(PeerBalanceTest, PeersAreSwitchedOnAndTheLowestApStepsUp) {
  simulator_.Set(DevSimReference::kAp3, kRoot.substr(1) + ".4.19.0|2|0");
  AdjustPeerBalance(DevSimReference::kAp1, Lookups({DevSimReference::kAp2, DevSimReference::kAp3}));
  EXPECT_EQ(Value(DevSimReference::kAp2, ".4.18.0"), "1");
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.18.0"), "1");
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.19.0"), "1") << "a peer's level is lower";

  AdjustPeerBalance(DevSimReference::kAp2, Lookups({DevSimReference::kAp1}));
  EXPECT_EQ(Value(DevSimReference::kAp2, ".4.19.0"), "2");
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.18.0"), "1");
}

TEST_F(PeerBalanceTest, TheTopLevelOrNoPeerLeavesTheApsAlone) {
  simulator_.Set(DevSimReference::kAp1, kRoot.substr(1) + ".4.19.0|2|5");
  AdjustPeerBalance(DevSimReference::kAp1, Lookups({DevSimReference::kAp2}));
  AdjustPeerBalance(DevSimReference::kAp3, Lookups({}));
  EXPECT_EQ(Value(DevSimReference::kAp2, ".4.18.0"), "0");
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.19.0"), "5");
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.19.0"), "1");
}

// With the stored lookups the peers are the other members of the AP's balancing group.
TEST_F(PeerBalanceTest, StoredLookupsBalanceTheOtherMembersOfTheApsGroup) {
  namespace net = testing_support::reference_network;
  testing_support::TempDatabase database;
  ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
  ASSERT_TRUE(
      database.Exec("INSERT INTO user_def_group_main_template (group_template_index, loadbalance_group) "
                    "VALUES (5, 1)"));
  ASSERT_TRUE(
      database.Exec("INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES "
                    "('hall', 5, ?), ('hall', 5, ?)",
                    {net::kAp1, net::kAp2}));
  AdjustPeerBalance(DevSimReference::kAp1, StoredPeerBalanceLookups());
  EXPECT_EQ(Value(DevSimReference::kAp2, ".4.18.0"), "1");
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.18.0"), "0") << "not in the group";
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.18.0"), "0") << "the AP is no peer of itself";
  platform::RunShutdown();
}

}  // namespace
