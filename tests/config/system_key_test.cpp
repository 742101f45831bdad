// System keys set across the simulated reference network: every managed device, the key-error devices
// repaired from their upstream switch, the switch's port control cleared and restored around the keys,
// and the failures that must not pass for success.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/SystemKeySupport.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
const std::string kSwitchRoot = "1.3.6.1.4.1.44711.10.76.2";
const std::string kApRoot = "1.3.6.1.4.1.44711.1";

class SystemKeyTest : public ::testing::Test {
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
    devsim_.Set(DevSimReference::kSwitch, kSwitchRoot + ".24.2.0|4x|f00001");
    for (const char* address : {DevSimReference::kSwitch, DevSimReference::kAp1, DevSimReference::kAp2,
                                DevSimReference::kAp3})
      devsim_.ReceivedSets(address);
  }
  void TearDown() override { platform::RunShutdown(); }

  // The SETs a device received, as "suffix=value" below its root.
  std::vector<std::string> Received(const char* address, const std::string& root) {
    std::vector<std::string> sets;
    for (const std::string& line : devsim_.ReceivedSets(address)) {
      const auto tag = line.find('|');
      std::string oid = line.substr(0, tag);
      if (oid.starts_with(root)) oid = oid.substr(root.size());
      sets.push_back(oid + "=" + line.substr(line.find('|', tag + 1) + 1));
    }
    return sets;
  }
  void MarkKeyError(const std::string& mac) {
    ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET status=4 WHERE mac=?", {mac}));
    ASSERT_TRUE(database_.Exec(
        "INSERT INTO sync_result (mac, property, type) VALUES (?, 'system_key_error', 'system_key')", {mac}));
  }
  bool HasKeyErrorMark(const std::string& mac) {
    return !database_.Rows("SELECT 1 FROM sync_result WHERE mac=? AND property='system_key_error'", {mac}).empty();
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageBoxRecorder boxes_;
};

TEST_F(SystemKeyTest, EveryManagedDeviceGetsTheKey) {
  std::vector<int> progress;
  EXPECT_NE(CSystemKeySupport().SetAllDevices("newkey", [&](int percent) { progress.push_back(percent); }), 0);
  EXPECT_EQ(Received(DevSimReference::kSwitch, kSwitchRoot),
            (std::vector<std::string>{".24.2.0=000000", ".24.4.0=newkey", ".24.2.0=f00001"}))
      << "the port control is cleared around the key and restored as it was";
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    EXPECT_EQ(Received(ap, kApRoot), (std::vector<std::string>{".1.12.0=newkey", ".1.3.0=1"})) << ap;
  EXPECT_EQ(progress, (std::vector<int>{33, 66, 100}));
}

TEST_F(SystemKeyTest, AnyFailedSetFailsTheWholePass) {
  devsim_.Configure(DevSimReference::kAp2, "silent on");
  EXPECT_EQ(CSystemKeySupport().SetAllDevices("newkey"), 0) << "the last set succeeded, an earlier one did not";
  EXPECT_EQ(Received(DevSimReference::kSwitch, kSwitchRoot).back(), ".24.2.0=f00001");
}

TEST_F(SystemKeyTest, AKeyErrorDeviceIsRepairedFromItsSwitch) {
  devsim_.Set(DevSimReference::kAp2, kApRoot + ".1.12.0|4|wrongkey");
  devsim_.ReceivedSets(DevSimReference::kAp2);
  MarkKeyError(net::kAp2);
  EXPECT_EQ(CSystemKeySupport().SetKeyErrorDevices(), CSystemKeySupport::kKeyErrorSuccess);
  EXPECT_EQ(Received(DevSimReference::kAp2, kApRoot), (std::vector<std::string>{".1.12.0=labkey", ".1.3.0=1"}));
  EXPECT_EQ(Received(DevSimReference::kSwitch, kSwitchRoot),
            (std::vector<std::string>{".24.2.0=000000", ".24.2.0=f00001"}));
  EXPECT_FALSE(HasKeyErrorMark(net::kAp2));
  EXPECT_TRUE(Received(DevSimReference::kAp1, kApRoot).empty());
}

TEST_F(SystemKeyTest, ADeviceWithoutUpstreamSwitchKeepsItsError) {
  ASSERT_TRUE(database_.Exec("DELETE FROM device_map_polling WHERE dest_mac=?", {net::kAp3}));
  MarkKeyError(net::kAp3);
  MarkKeyError(net::kAp1);
  EXPECT_EQ(CSystemKeySupport().SetKeyErrorDevices(), CSystemKeySupport::kKeySetFailed);
  EXPECT_TRUE(Received(DevSimReference::kAp3, kApRoot).empty()) << "no empty key is written";
  EXPECT_TRUE(HasKeyErrorMark(net::kAp3));
  EXPECT_FALSE(HasKeyErrorMark(net::kAp1)) << "the other device is still handled";
}

TEST_F(SystemKeyTest, ASwitchThatCannotBeReadIsNotClearedAndFailsThePass) {
  MarkKeyError(net::kAp1);
  devsim_.Configure(DevSimReference::kSwitch, "silent on");
  EXPECT_EQ(CSystemKeySupport().SetKeyErrorDevices(), CSystemKeySupport::kPortControlFailed);
  EXPECT_TRUE(Received(DevSimReference::kSwitch, kSwitchRoot).empty());
  EXPECT_TRUE(HasKeyErrorMark(net::kAp1)) << "no key could be read from the switch";
}

TEST_F(SystemKeyTest, NoKeyErrorDeviceMeansNoTraffic) {
  EXPECT_EQ(CSystemKeySupport().SetKeyErrorDevices(), CSystemKeySupport::kKeyErrorSuccess);
  EXPECT_TRUE(Received(DevSimReference::kSwitch, kSwitchRoot).empty());
}

TEST_F(SystemKeyTest, OneKeyErrorDeviceAndOneDeviceByModel) {
  MarkKeyError(net::kAp1);
  EXPECT_EQ(CSystemKeySupport().SetKeyErrorDevice(net::kAp1), 1);
  EXPECT_EQ(Received(DevSimReference::kAp1, kApRoot), (std::vector<std::string>{".1.12.0=labkey", ".1.3.0=1"}));
  EXPECT_FALSE(HasKeyErrorMark(net::kAp1));

  EXPECT_EQ(CSystemKeySupport().SetSingleDevice(DevSimReference::kAp3, "no such model", "private", "k"), -1);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"can't get root OID"}));
  EXPECT_TRUE(Received(DevSimReference::kAp3, kApRoot).empty());
}

}  // namespace
