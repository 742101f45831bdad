// The system-key dialog's writer drives the real SNMP passes against the simulated reference network.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "credentials/SystemKeySupportWriter.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
const std::string kApKeyOid = "1.3.6.1.4.1.44711.1.1.12.0";

class SystemKeyWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
    for (const char* address : {DevSimReference::kSwitch, DevSimReference::kAp1, DevSimReference::kAp2,
                                DevSimReference::kAp3})
      devsim_.ReceivedSets(address);
  }
  void TearDown() override { platform::RunShutdown(); }

  // The key values an AP was sent.
  std::vector<std::string> KeysSentTo(const char* address) {
    std::vector<std::string> keys;
    for (const std::string& line : devsim_.ReceivedSets(address))
      if (line.starts_with(kApKeyOid + "|")) keys.push_back(line.substr(line.rfind('|') + 1));
    return keys;
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageBoxRecorder boxes_;
  CSystemKeySupportWriter support_;
  ISystemKeyWriter& writer_ = support_;
};

TEST_F(SystemKeyWriterTest, EveryPassReachesTheDevices) {
  std::vector<int> progress;
  EXPECT_NE(writer_.SetAllDevices("newkey", [&](int percent) { progress.push_back(percent); }), 0);
  EXPECT_EQ(progress, (std::vector<int>{33, 66, 100}));
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    EXPECT_EQ(KeysSentTo(ap), std::vector<std::string>{"newkey"}) << ap;

  EXPECT_EQ(writer_.SetKeyErrorDevices(), 0) << "no device in the key-error state";

  EXPECT_EQ(writer_.SetSingleDevice(DevSimReference::kAp3, "no such model", "private", "k"), -1);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"can't get root OID"}));
  EXPECT_TRUE(KeysSentTo(DevSimReference::kAp3).empty());
}

TEST_F(SystemKeyWriterTest, AFailedDeviceFailsThePass) {
  devsim_.Configure(DevSimReference::kAp2, "silent on");
  EXPECT_EQ(writer_.SetAllDevices("newkey", {}), 0);
}

}  // namespace
