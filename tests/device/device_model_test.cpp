// The device model against the device simulator: kind detection, identification, MACs, port counts,
// the system key and the discovery stop flag.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "device/AP.h"
#include "device/DeviceFactory.h"
#include "device/DeviceNameIndex.h"
#include "device/Switch.h"
#include "device/SystemKey.h"
#include "device/UnknownDevice.h"
#include "platform/Environment.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::DevSimDevice;
using testing_support::DevSimProcess;
using testing_support::DevSimReference;
using testing_support::TempDatabase;

constexpr const char* kCommunity = "private";
constexpr const char* kSwitchRoot = "1.3.6.1.4.1.44711.10.76.2";
constexpr const char* kSwitch16Root = "1.3.6.1.4.1.44711.10.76.1";

// Devices of this test's own, beside the reference network.
constexpr const char* kSysObjectIdOnly = "127.0.0.81";
constexpr const char* kNoSysObjectId = "127.0.0.82";
constexpr const char* kLldpStateOnly = "127.0.0.83";
constexpr const char* kAdminStatus5 = "127.0.0.84";
constexpr const char* kOwnKeySwitch = "127.0.0.85";  // a key of its own, published right
constexpr const char* kCopiedKeySwitch = "127.0.0.86";  // switch S's digest under another MAC
constexpr const char* kSilent = "127.0.0.89";  // nothing answers here

const char* const kExtraDevices[][2] = {
    {kSysObjectIdOnly, "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.9999.1\n"},
    {kNoSysObjectId, "1.3.6.1.2.1.1.5.0|4|box\n"},
    {kLldpStateOnly,
     "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.44711.10.76.1\n1.3.6.1.2.1.1.5.0|4|state-switch\n1.3.6.1.2.1.2.1.0|2|17\n"
     "1.3.6.1.2.1.17.1.1.0|4x|024471000083\n1.3.6.1.4.1.44711.10.75.3.24.6.0|2|2\n"},
    {kAdminStatus5, "1.0.8802.1.1.2.1.1.6.1.2.1|2|5\n1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.9999.2\n"},
    {kOwnKeySwitch,
     "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.44711.10.76.2\n1.3.6.1.2.1.1.5.0|4|own-key\n1.3.6.1.2.1.2.1.0|2|25\n"
     "1.3.6.1.2.1.17.1.1.0|4x|024471000002\n1.3.6.1.4.1.44711.10.75.3.24.6.0|2|1\n"
     "1.3.6.1.4.1.44711.10.76.2.24.1.0|4|7B99A93D9EE3986141BCA95A0ECF5652\n"
     "1.3.6.1.4.1.44711.10.76.2.24.4.0|4|otherkey\n"},
    {kCopiedKeySwitch,
     "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.44711.10.76.2\n1.3.6.1.2.1.1.5.0|4|copied-key\n1.3.6.1.2.1.2.1.0|2|25\n"
     "1.3.6.1.2.1.17.1.1.0|4x|024471000003\n1.3.6.1.4.1.44711.10.75.3.24.6.0|2|1\n"
     "1.3.6.1.4.1.44711.10.76.2.24.1.0|4|E77E059E88D60FC190FEECA13F26D527\n"
     "1.3.6.1.4.1.44711.10.76.2.24.4.0|4|labkey\n"},
};

class DeviceModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<DevSimDevice> devices = DevSimProcess::ReferenceNetwork();
    for (const auto& [address, content] : kExtraDevices) {
      std::string file = database_.Dir().File(std::string(address) + ".snmprec");
      std::ofstream(file) << content;
      devices.push_back({address, file});
    }
    simulator_ = std::make_unique<DevSimProcess>(devices);
    SetSnmpDefaults(kCommunity, kCommunity, 50);
    g_DeviceNameIndex.Clear();
  }

  void TearDown() override { SetDiscoveryStopObject(nullptr); }

  // A switch object as the engine loads it from the device tables: address, community, root and MAC.
  static std::unique_ptr<CSwitch> KnownSwitch(const std::string& ip, const std::string& mac) {
    auto device = std::make_unique<CSwitch>();
    device->ip = ip;
    device->community = kCommunity;
    device->rootOid = kSwitchRoot;
    device->mac = mac;
    return device;
  }

  TempDatabase database_;
  testing_support::MessageBoxRecorder boxes_;
  std::unique_ptr<DevSimProcess> simulator_;
};

TEST_F(DeviceModelTest, ReferenceNetworkIsJudgedAndIdentified) {
  struct Case {
    const char* ip;
    int kind;
    const char* root;
    const char* name;
    int ports;
    const char* mac;  // "" when the kind has no MAC read
  } cases[] = {
      {DevSimReference::kSwitch, kDeviceSwitch, kSwitchRoot, "lab-switch", 24, "02:44:71:00:00:01"},
      {DevSimReference::kAp1, kDeviceAP, kApRootOid, "AP_1", 2, "02:44:71:00:01:01"},
      {DevSimReference::kAp2, kDeviceAP, kApRootOid, "AP_2", 2, "02:44:71:00:01:02"},
      {DevSimReference::kAp3, kDeviceAP, kApRootOid, "AP_3", 2, "02:44:71:00:01:03"},
      {DevSimReference::kUnknown, kDeviceUnknown, "", "UNKNOWN_1", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ip);
    std::string root = "stale";
    EXPECT_EQ(JudgeDeviceType(c.ip, kCommunity, root), c.kind);
    EXPECT_EQ(root, c.root);
    EXPECT_EQ(IsSnmpAgentAlive(c.ip, kCommunity), 1);

    std::unique_ptr<CDevice> device = CreateDevice(c.ip, kCommunity);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->type, c.kind);
    EXPECT_EQ(device->ip, c.ip);
    EXPECT_EQ(device->community, kCommunity);
    EXPECT_EQ(device->rootOid, c.root);
    EXPECT_EQ(device->name, c.name);
    EXPECT_EQ(device->portCount, c.ports);
    EXPECT_EQ(device->status, kStatusNormal);
    EXPECT_TRUE(device->mac.empty()) << "the caller reads the MAC";
    std::string mac;
    EXPECT_EQ(device->GetMAC(mac), *c.mac ? 1 : -1);
    EXPECT_EQ(mac, c.mac);
    device->mac = mac;
    if (*c.mac) {
      EXPECT_EQ(device->VerifyMac(), 1);
    }
  }
}

TEST_F(DeviceModelTest, SystemKeyVerdicts) {
  auto lab = KnownSwitch(DevSimReference::kSwitch, "02:44:71:00:00:01");
  EXPECT_EQ(lab->Identify(), 1);
  EXPECT_EQ(lab->online, 1);
  EXPECT_EQ(lab->name, "lab-switch");
  EXPECT_EQ(lab->portCount, 24);
  // The MAC may be stored in upper case: the message is always lower-case digits.
  lab->mac = "02:44:71:00:00:01";
  EXPECT_TRUE(VerifySystemKey(*lab));
  EXPECT_TRUE(VerifySystemKey(*KnownSwitch(kOwnKeySwitch, "02:44:71:00:00:02")));
  EXPECT_FALSE(VerifySystemKey(*KnownSwitch(kCopiedKeySwitch, "02:44:71:00:00:03")));
  EXPECT_EQ(KnownSwitch(kCopiedKeySwitch, "02:44:71:00:00:03")->Identify(), -2);

  std::string keyText;
  EXPECT_EQ(ReadSystemKeyText(*lab, kSwitchRoot, keyText), 1);
  EXPECT_EQ(keyText, "labkey");
  EXPECT_EQ(ReadSystemKeyText(*lab, "1.3.6.1.4.1.44711.10.76.9", keyText), 0);

  // The digest the switch publishes is compared case-sensitively.
  simulator_->Set(DevSimReference::kSwitch, std::string(kSwitchRoot) + ".24.1.0|4|e77e059e88d60fc190feeca13f26d527");
  EXPECT_EQ(lab->Identify(), -2);
  simulator_->Set(DevSimReference::kSwitch, std::string(kSwitchRoot) + ".24.1.0|4|E77E059E88D60FC190FEECA13F26D527");
  EXPECT_EQ(lab->Identify(), 1);

  // A key too long for the key buffer, and a model without a support_product row.
  simulator_->Set(DevSimReference::kSwitch, std::string(kSwitchRoot) + ".24.4.0|4|" + std::string(247, 'k'));
  EXPECT_FALSE(VerifySystemKey(*lab)) << "8 + 247 characters";
  simulator_->Set(DevSimReference::kSwitch, std::string(kSwitchRoot) + ".24.4.0|4|labkey");
  ASSERT_TRUE(database_.Exec("delete from support_product where sys_object_oid=?", {kSwitchRoot}));
  EXPECT_FALSE(VerifySystemKey(*lab));
  EXPECT_EQ(lab->Identify(), -2);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST(SystemKeyDigestTest, DigestOfTheLabSwitch) {
  std::string digest;
  ASSERT_TRUE(ComputeSystemKeyDigest("02 44 71", "labkey", "02:44:71:00:00:01", digest));
  EXPECT_EQ(digest, "E77E059E88D60FC190FEECA13F26D527");
  ASSERT_TRUE(ComputeSystemKeyDigest("02 44 71", "labkey", "02:44:71:00:00:01:FF", digest));
  EXPECT_EQ(digest, "E77E059E88D60FC190FEECA13F26D527") << "only twelve digits count";
  EXPECT_FALSE(ComputeSystemKeyDigest("02 44", "labkey", "02:44:71:00:00:01", digest));
}

// Eight polling threads checking switches at once: every verdict stays right.
TEST_F(DeviceModelTest, ConcurrentSystemKeyChecks) {
  struct Check {
    const char* ip;
    const char* mac;
    bool verdict;
  } checks[] = {
      {DevSimReference::kSwitch, "02:44:71:00:00:01", true},
      {kOwnKeySwitch, "02:44:71:00:00:02", true},
      {kCopiedKeySwitch, "02:44:71:00:00:03", false},
  };
  std::atomic<int> wrong{0};
  std::atomic<int> done{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 12; ++i) {
        const Check& check = checks[(t + i) % 3];
        if (VerifySystemKey(*KnownSwitch(check.ip, check.mac)) != check.verdict) ++wrong;
        ++done;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(done.load(), 96);
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(DeviceModelTest, KindTestFallsThroughItsSteps) {
  struct Case {
    const char* ip;
    int kind;
    const char* root;
  } cases[] = {
      {kSysObjectIdOnly, kDeviceUnknown, ""},
      {kNoSysObjectId, kDeviceUnknown, "stale"},  // an SNMP error: unknown, root untouched
      {kLldpStateOnly, kDeviceSwitch, kSwitch16Root},
      {kAdminStatus5, kDeviceUnknown, ""},
      {kSilent, -1, "stale"},
  };
  for (const Case& c : cases) {
    std::string root = "stale";
    EXPECT_EQ(JudgeDeviceType(c.ip, kCommunity, root), c.kind) << c.ip;
    EXPECT_EQ(root, c.root) << c.ip;
  }

  std::unique_ptr<CDevice> unknown = CreateDevice(kNoSysObjectId, kCommunity);
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->type, kDeviceUnknown);
  EXPECT_EQ(unknown->rootOid, "");
  EXPECT_EQ(unknown->name, "UNKNOWN_1");

  std::unique_ptr<CDevice> stateSwitch = CreateDevice(kLldpStateOnly, kCommunity);
  ASSERT_NE(stateSwitch, nullptr);
  EXPECT_EQ(stateSwitch->type, kDeviceSwitch);
  EXPECT_EQ(stateSwitch->name, "state-switch");
  EXPECT_EQ(stateSwitch->portCount, 16);
  std::string mac;
  EXPECT_EQ(stateSwitch->GetMAC(mac), 1);
  EXPECT_EQ(mac, "02:44:71:00:00:83");

  EXPECT_EQ(CreateDevice(kSilent, kCommunity), nullptr);
  EXPECT_EQ(IsSnmpAgentAlive(kNoSysObjectId, kCommunity), 1);
  EXPECT_EQ(IsSnmpAgentAlive(kSilent, kCommunity), -1);
  EXPECT_EQ(IsSnmpAgentAlive(DevSimReference::kSwitch, "wrong-community"), -1);
}

TEST_F(DeviceModelTest, KindTestTraces) {
  setenv("PELLION_TRACE", "1", 1);
  platform::ReloadOverrides();
  testing::internal::CaptureStderr();
  std::string root;
  JudgeDeviceType(kNoSysObjectId, kCommunity, root);
  JudgeDeviceType(kSysObjectIdOnly, kCommunity, root);
  CreateDevice(DevSimReference::kSwitch, kCommunity);
  CreateDevice(DevSimReference::kAp1, kCommunity);
  CreateDevice(DevSimReference::kUnknown, kCommunity);
  std::string traces = testing::internal::GetCapturedStderr();
  unsetenv("PELLION_TRACE");
  platform::ReloadOverrides();
  EXPECT_NE(traces.find("JudgeDeviceType ERR -22"), std::string::npos) << traces;  // noSuchName
  EXPECT_NE(traces.find("test!!!!"), std::string::npos) << traces;
  EXPECT_NE(traces.find("new CSwitch()"), std::string::npos) << traces;
  EXPECT_NE(traces.find("new CAP()"), std::string::npos) << traces;
  EXPECT_NE(traces.find("new CUnknownDevice()"), std::string::npos) << traces;
}

// A count no real device has is as unreadable as a missing one; a switch counts its own interface too.
TEST_F(DeviceModelTest, AnIfNumberOutsideTheBoundIsAnUnreadablePortCount) {
  auto lab = KnownSwitch(DevSimReference::kSwitch, "02:44:71:00:00:01");
  const struct {
    const char* ifNumber;
    int ports;
  } cases[] = {{"2|1025", 1024}, {"2|1", 0},           {"2|1026", -1},          {"2|0", -1},
               {"2|-5", -1},     {"2|-2147483648", -1}, {"2|2147483647", -1}, {"4|24 ports", -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ifNumber);
    simulator_->Set(DevSimReference::kSwitch, std::string("1.3.6.1.2.1.2.1.0|") + c.ifNumber);
    EXPECT_EQ(lab->GetPortNumber(), c.ports < 0 ? -1 : 1);
    EXPECT_EQ(lab->portCount, c.ports);
  }
  CAP ap;
  ap.ip = DevSimReference::kAp1;
  ap.community = kCommunity;
  simulator_->Set(DevSimReference::kAp1, "1.3.6.1.2.1.2.1.0|2|1024");
  EXPECT_EQ(ap.GetPortNumber(), 1);
  EXPECT_EQ(ap.portCount, 1024);
  simulator_->Set(DevSimReference::kAp1, "1.3.6.1.2.1.2.1.0|2|1025");
  EXPECT_EQ(ap.GetPortNumber(), -1);
  EXPECT_EQ(ap.portCount, -1);
}

TEST_F(DeviceModelTest, NamesAndPortCounts) {
  // An empty sysName gives the smallest free switch number.
  simulator_->Set(DevSimReference::kSwitch, "1.3.6.1.2.1.1.5.0|4|");
  simulator_->Set(DevSimReference::kSwitch, "1.3.6.1.2.1.2.1.0|2|26");
  simulator_->Set(DevSimReference::kAp1, "1.3.6.1.2.1.2.1.0|2|3");
  auto lab = KnownSwitch(DevSimReference::kSwitch, "02:44:71:00:00:01");
  EXPECT_EQ(lab->Identify(), 1);
  EXPECT_EQ(lab->name, "SW_1");
  EXPECT_EQ(lab->portCount, 25);

  CAP ap;
  ap.ip = DevSimReference::kAp1;
  ap.community = kCommunity;
  EXPECT_EQ(ap.Identify(), 1);
  EXPECT_EQ(ap.name, "AP_1");
  EXPECT_EQ(ap.portCount, 3);

  // Without ifNumber the port count is unknown.
  simulator_->Unset(DevSimReference::kAp1, "1.3.6.1.2.1.2.1.0");
  EXPECT_EQ(ap.Identify(), -1);
  EXPECT_EQ(ap.name, "AP_2");
  EXPECT_EQ(ap.portCount, -1);
  std::string mac = "kept";
  CAP silent;
  silent.ip = kSilent;
  silent.community = kCommunity;
  EXPECT_EQ(silent.GetMAC(mac), -2);
  EXPECT_EQ(mac, "kept");
  // A value that is not a spaced MAC.
  simulator_->Set(DevSimReference::kAp2, "1.3.6.1.2.1.2.2.1.6.1|4|not a mac at all");
  ap.ip = DevSimReference::kAp2;
  EXPECT_EQ(ap.GetMAC(mac), -1);
  EXPECT_EQ(mac, "kept");
}

// The owner's shut-down order: set the flag, join the workers, unregister, destroy.
TEST(DiscoveryStopTest, WorkersSeeTheFlagOfTheLastRegisteredObjectUntilItIsUnregistered) {
  auto earlier = std::make_unique<DiscoveryStopObject>();
  SetDiscoveryStopObject(earlier.get());
  auto stop = std::make_unique<DiscoveryStopObject>();
  SetDiscoveryStopObject(stop.get());
  earlier->Set(true);
  EXPECT_FALSE(IsDiscoveryStopping()) << "only the last registration counts";

  std::atomic<int> stopped{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < 4; ++i)
    workers.emplace_back([&stopped] {
      while (!IsDiscoveryStopping()) std::this_thread::yield();
      ++stopped;
    });
  stop->Set(true);
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(stopped.load(), 4);

  SetDiscoveryStopObject(nullptr);
  stop.reset();
  EXPECT_FALSE(IsDiscoveryStopping());
}

TEST_F(DeviceModelTest, StopFlagTurnsEveryStepIntoMinus100) {
  DiscoveryStopObject stop;
  SetDiscoveryStopObject(&stop);
  stop.Set(true);

  std::string root;
  EXPECT_EQ(JudgeDeviceType(DevSimReference::kSwitch, kCommunity, root), kDiscoveryStopped);
  EXPECT_EQ(CreateDevice(DevSimReference::kAp1, kCommunity), nullptr);

  auto lab = KnownSwitch(DevSimReference::kSwitch, "02:44:71:00:00:01");
  lab->name = "before";
  lab->portCount = 7;
  std::string mac = "kept";
  EXPECT_EQ(lab->GetMAC(mac), kDiscoveryStopped);
  EXPECT_EQ(mac, "kept");
  EXPECT_EQ(lab->GetPortNumber(), kDiscoveryStopped);
  EXPECT_EQ(lab->portCount, 7);
  EXPECT_EQ(lab->Identify(), kDiscoveryStopped);
  EXPECT_EQ(lab->name, "before");

  CAP ap;
  ap.ip = DevSimReference::kAp1;
  ap.community = kCommunity;
  ap.name = "before";
  EXPECT_EQ(ap.Identify(), kDiscoveryStopped);
  EXPECT_EQ(ap.name, "before");
  EXPECT_EQ(ap.GetMAC(mac), kDiscoveryStopped);

  // Cleared by the engine at the start of the next pass.
  stop.Set(false);
  EXPECT_EQ(JudgeDeviceType(DevSimReference::kSwitch, kCommunity, root), kDeviceSwitch);
  EXPECT_EQ(ap.Identify(), 1);
  EXPECT_EQ(ap.name, "AP_1") << "a stopped identification takes no number";
}

TEST(DeviceAddressTest, LinkLocalAndZeroAddresses) {
  struct Case {
    const char* ip;
    bool usable;
    bool hasUsableIp;
  } cases[] = {
      {"169.254.0.0", true, true},    {"169.254.0.1", false, false}, {"169.254.10.20", false, false},
      {"169.254.255.254", false, false}, {"169.254.255.255", true, true}, {"0.0.0.0", false, true},
      {"127.0.0.11", true, true},     {"192.168.1.1", true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsUsableDeviceIp(c.ip), c.usable) << c.ip;
    CUnknownDevice device;
    device.ip = c.ip;
    EXPECT_EQ(device.HasUsableIp(), c.hasUsableIp) << c.ip;
  }
}

TEST(DeviceAddressTest, UnknownDeviceIdentifiesWithoutAsking) {
  g_DeviceNameIndex.Clear();
  CUnknownDevice dhcpFailed;
  dhcpFailed.ip = "169.254.10.20";
  dhcpFailed.portCount = 5;
  EXPECT_EQ(dhcpFailed.Identify(), 0);
  EXPECT_EQ(dhcpFailed.name, "UNKNOWN_1");
  EXPECT_EQ(dhcpFailed.portCount, 0);
  EXPECT_EQ(dhcpFailed.status, kStatusDhcpFailed);
  EXPECT_EQ(dhcpFailed.online, 0) << "the base identification is not run";

  CUnknownDevice normal;
  normal.ip = "10.1.1.1";
  EXPECT_EQ(normal.Identify(), 0);
  EXPECT_EQ(normal.name, "UNKNOWN_2");
  EXPECT_EQ(normal.status, kStatusNormal);
}

TEST(DeviceAddressTest, DifferencesAndMacs) {
  CAP a;
  a.mac = "02:44:71:00:01:01";
  a.AddProperty(a.mac, "crvAPChannel", "6", "1", "ap_property");
  a.AddStringProperty(a.mac, "ip", "10.0.0.2", "10.0.0.1");
  ASSERT_EQ(a.differences.size(), 2u);
  EXPECT_EQ(a.differences[0].type, "ap_property");
  EXPECT_EQ(a.differences[0].current, "6");
  EXPECT_EQ(a.differences[0].previous, "1");
  EXPECT_EQ(a.differences[1].property, "ip");
  EXPECT_EQ(a.differences[1].type, "string");

  CSwitch s;
  EXPECT_EQ(s.type, kDeviceSwitch);
  EXPECT_EQ(a.type, kDeviceAP);
  EXPECT_FALSE(a.SameMac(s));
  s.mac = a.mac;
  EXPECT_TRUE(a.SameMac(s));
  EXPECT_EQ(a.balancingOn, 0);
  EXPECT_TRUE(s.neighbours.empty());
  EXPECT_EQ(CDevice().CollectDetails(), 0);
  EXPECT_EQ(CDevice().SaveCommunity(), 0);
}

}  // namespace
