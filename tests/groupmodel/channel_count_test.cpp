// The channel count a wireless page offers, read from the first managed AP of the simulator.
#include <gtest/gtest.h>

#include "groupmodel/ChannelCount.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;

TEST(ChannelCountTest, ReadFromTheFirstManagedApElevenWithout) {
  testing_support::TempDatabase database;
  testing_support::DevSimProcess devsim;
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.strReadCommunity = "public";
    g_RuntimeSettings.nSnmpTimeout = 30;
  }
  EXPECT_EQ(ReadChannelCount(), 11) << "no managed AP";
  ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
  devsim.Set(DevSimReference::kAp1, "1.3.6.1.4.1.44711.1.4.23.0|2|13");
  devsim.Set(DevSimReference::kAp2, "1.3.6.1.4.1.44711.1.4.23.0|2|14");
  EXPECT_EQ(ReadChannelCount(), 13);
  devsim.Configure(DevSimReference::kAp1, "silent on");
  EXPECT_EQ(ReadChannelCount(), 11) << "an AP that does not answer leaves the usual channels, not none";
  devsim.Configure(DevSimReference::kAp1, "silent off");
  devsim.Set(DevSimReference::kAp1, "1.3.6.1.4.1.44711.1.4.23.0|4|many");
  EXPECT_EQ(ReadChannelCount(), 11);
  platform::RunShutdown();
}

}  // namespace
