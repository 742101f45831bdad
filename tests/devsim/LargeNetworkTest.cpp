// A large network made from the reference devices: what the simulator then plays, the requests it counts,
// and the refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Behaviours.h"
#include "LargeNetwork.h"
#include "NetSnmpTool.h"
#include "Snmprec.h"
#include "support/DevSimProcess.h"
#include "support/TempDir.h"

namespace {

using devsim::LargeNetwork;
using testing_support::DevSimProcess;

const std::string kLldpRemote = "1.0.8802.1.1.2.1.4.1.1.";

std::vector<testing_support::DevSimDevice> Generate(const testing_support::TempDir& dir, int switches, int aps) {
  std::vector<testing_support::DevSimDevice> devices;
  for (const auto& device : LargeNetwork::Generate({switches, aps, DEVSIM_DATA_DIR, dir.Path().string()}))
    devices.push_back({device.address, device.dataFile});
  return devices;
}

TEST(LargeNetworkTest, EachDeviceAnswersWithItsOwnIdentityAndEachSwitchShowsItsAps) {
  testing_support::TempDir dir;
  const auto devices = Generate(dir, 2, 4);
  ASSERT_EQ(devices.size(), 10u);
  EXPECT_EQ(devices[5].address, "127.10.1.1");
  EXPECT_EQ(devices[9].address, "127.10.1.13");

  DevSimProcess simulator(devices);
  EXPECT_EQ(simulator.Answered("127.10.1.1"), 0);
  const auto answer =
      devsim_test::RunNetSnmpTool("snmpget", "private", simulator.Peer("127.10.1.1"), {"1.3.6.1.2.1.1.5.0"});
  EXPECT_EQ(answer.exitCode, 0) << answer.output;
  EXPECT_EQ(simulator.Answered("127.10.1.1"), 1) << "requests are counted, control commands are not";
  EXPECT_EQ(simulator.Get("127.10.1.1", "1.3.6.1.2.1.1.5.0"), "1.3.6.1.2.1.1.5.0|4|switch-1");
  EXPECT_EQ(simulator.Get("127.10.1.1", "1.3.6.1.2.1.17.1.1.0"), "1.3.6.1.2.1.17.1.1.0|4x|024471000100");
  EXPECT_EQ(simulator.Get("127.10.1.1", kLldpRemote + "5.0.3.1"), kLldpRemote + "5.0.3.1|4x|024471000104");
  EXPECT_EQ(simulator.Get("127.10.1.1", "1.0.8802.1.1.2.1.4.2.1.4.0.3.1.1.4.127.10.1.13"),
            "1.0.8802.1.1.2.1.4.2.1.4.0.3.1.1.4.127.10.1.13|2|0");
  EXPECT_THROW(simulator.Get("127.10.1.1", kLldpRemote + "5.0.4.1"), std::runtime_error) << "four APs only";
  EXPECT_EQ(simulator.Get("127.10.1.13", "1.3.6.1.2.1.2.2.1.6.1"), "1.3.6.1.2.1.2.2.1.6.1|4x|024471000104");
  EXPECT_EQ(simulator.Get("127.10.1.13", "1.3.6.1.4.1.44711.1.1.10.2.0"), "1.3.6.1.4.1.44711.1.1.10.2.0|64|127.10.1.13");
  EXPECT_EQ(simulator.Get("127.10.1.13", "1.3.6.1.2.1.1.5.0"), "1.3.6.1.2.1.1.5.0|4|ap-1-3");

  // The system key digest follows the new MAC as the reference switch's follows its own.
  const std::string oui = devsim::Snmprec::ParseValue("4x", "024471").bytes;
  EXPECT_EQ(devsim::Behaviours::SystemKeyDigest(oui, "labkey", "024471000001"), "E77E059E88D60FC190FEECA13F26D527");
  const std::string digestOid = "1.3.6.1.4.1.44711.10.76.2.24.1.0";
  EXPECT_EQ(simulator.Get("127.10.1.1", digestOid),
            digestOid + "|4|" + devsim::Behaviours::SystemKeyDigest(oui, "labkey", "024471000100"));
}

TEST(LargeNetworkTest, SizesOutsideTheAddressPlanAndAMissingReferenceAreRefused) {
  testing_support::TempDir dir;
  for (const auto& [switches, aps] : {std::pair{0, 1}, {201, 1}, {1, -1}, {1, 100}})
    EXPECT_THROW(LargeNetwork::Generate({switches, aps, DEVSIM_DATA_DIR, dir.Path().string()}),
                 devsim::LargeNetworkError)
        << switches << " " << aps;
  EXPECT_THROW(LargeNetwork::Generate({1, 1, dir.File("nowhere"), dir.Path().string()}), devsim::LargeNetworkError);
  EXPECT_THROW(LargeNetwork::Generate({1, 1, DEVSIM_DATA_DIR, dir.Path().string(), 256}), devsim::LargeNetworkError);
}

TEST(LargeNetworkTest, TheSecondOctetPlacesTheNetwork) {
  testing_support::TempDir dir;
  const auto devices = LargeNetwork::Generate({2, 1, DEVSIM_DATA_DIR, dir.Path().string(), 77});
  ASSERT_EQ(devices.size(), 4u);
  EXPECT_EQ(devices[0].address, "127.77.0.1");
  EXPECT_EQ(devices[3].address, "127.77.1.10");
}

}  // namespace
