// The segment scan: which addresses a Discovery Wizard segment walks, and the messages and results of a
// scan of simulated devices.
#include <gtest/gtest.h>

#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "device/DeviceNameIndex.h"
#include "engine/NetworkEngine.h"
#include "engine/SegmentWalk.h"
#include "log/LogLevelMask.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::DevSimReference;
using Texts = std::vector<std::string>;

Texts Walk(const CManagementSegment& segment) {
  Texts addresses;
  CSegmentWalk walk(segment);
  CIPv4Address address;
  while (walk.Next(address)) addresses.push_back(address.ToString());
  return addresses;
}

TEST(SegmentWalkTest, RangesSkipsAndEnds) {
  struct Case {
    const char* from;
    const char* to;
    size_t count;
    const char* first;
    const char* last;
  } cases[] = {
      {"192.168.1.1", "192.168.1.5", 5, "192.168.1.1", "192.168.1.5"},
      // Class A: only x.0.0.0 and x.255.255.255 are network and broadcast addresses.
      {"10.0.0.0", "10.0.1.0", 256, "10.0.0.1", "10.0.1.0"},
      {"192.168.1.0", "192.168.2.255", 508, "192.168.1.1", "192.168.2.254"},
      {"192.168.3.255", "", 254, "192.168.3.1", "192.168.3.254"},
      {"172.16.255.255", "", 65534, "172.16.0.1", "172.16.255.254"},
      {"192.168.1.20", "", 1, "192.168.1.20", "192.168.1.20"},
      {"192.168.1.9", "192.168.1.3", 0, "", ""},
      {"224.0.0.1", "224.0.0.3", 0, "", ""},
      {"223.255.255.250", "224.0.0.5", 5, "223.255.255.250", "223.255.255.254"},
      // The walk ends after the last address, also at the top of the address space.
      {"255.255.255.250", "255.255.255.255", 6, "255.255.255.250", "255.255.255.255"},
      {"127.0.0.10", "127.0.0.10", 1, "127.0.0.10", "127.0.0.10"},
  };
  for (const Case& c : cases) {
    const Texts addresses = Walk({c.from, c.to});
    ASSERT_EQ(addresses.size(), c.count) << c.from << " - " << c.to;
    if (c.count == 0) continue;
    EXPECT_EQ(addresses.front(), c.first) << c.from;
    EXPECT_EQ(addresses.back(), c.last) << c.from;
  }
}

// Segment texts as a damaged settings row may hold them: every walk gives dotted addresses in rising
// order inside its bounds, and a bound that is no address gives none.
TEST(SegmentWalkTest, MalformedSegmentTextsGiveValidAddressesOrNone) {
  std::mt19937 random(1211);
  std::uniform_int_distribution<int> part(-3, 300);
  std::uniform_int_distribution<int> pick(0, 5);
  const auto text = [&] {
    switch (pick(random)) {
      case 0: return std::string();
      case 1: return std::string("abc.1");
      case 2: return std::to_string(part(random)) + "." + std::to_string(part(random));
      default:
        // The first part stays below the multicast block, whose 268 million skipped addresses would make
        // a walk across it slow (not endless).
        return std::to_string(part(random) % 224) + "." + std::to_string(part(random)) + "." +
               std::to_string(part(random)) + "." + std::to_string(part(random));
    }
  };
  for (int round = 0; round < 3000; ++round) {
    const CManagementSegment segment{text(), text()};
    CSegmentWalk walk(segment);
    CIPv4Address address;
    CIPv4Address previous;
    for (int i = 0; i < 600 && walk.Next(address); ++i) {
      for (int p : {address.a, address.b, address.c, address.d}) ASSERT_TRUE(p >= 0 && p <= 255) << segment.from_ip;
      if (i > 0) ASSERT_TRUE(previous.IsLess(address)) << segment.from_ip << " - " << segment.to_ip;
      previous = address;
    }
  }
  EXPECT_TRUE(Walk({"192.168.1.250", "300.1.1.1"}).empty());
  EXPECT_TRUE(Walk({"-1.0.0.0", "1.0.0.5"}).empty());
}

TEST(SegmentWalkTest, TheCountCoversEverySegment) {
  CNetworkEngine engine;
  engine.CountSegmentAddresses({{"192.168.1.1", "192.168.1.5"}, {"10.0.0.0", "10.0.1.0"}, {"224.0.0.1", "224.0.0.3"},
                                {"192.168.1.9", "192.168.1.3"}});
  EXPECT_EQ(engine.AddressCount(), 261);
}

TEST(SegmentScanTest, EachAddressIsAnnouncedAndSteppedAndOnlyANewSwitchIsAdded) {
  testing_support::TempDatabase database;
  // 127.0.0.9 has no agent; .10 is the switch, .11 an AP.
  testing_support::DevSimProcess simulator;
  testing_support::MessageRecorder recorder;
  g_nLogLevelMask = 0xF;
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.strWriteCommunity = "private";
    g_RuntimeSettings.nSnmpTimeout = 100;
  }
  g_DeviceNameIndex.Clear();
  CNetworkEngine engine;
  engine.SetNotifyWnd(recorder.Id());

  ASSERT_EQ(engine.ScanSegments({{"127.0.0.9", "127.0.0.11"}}), 1);
  Texts sent;
  for (const auto& m : recorder.Messages())
    if (m.id == msg::WM_NMS_SCAN_IP || m.id == msg::WM_NMS_SCAN_STEP)
      sent.push_back(std::to_string(m.id) + " " + std::to_string(m.wParam) + " " + std::to_string(m.lParam));
  const std::string ip = std::to_string(msg::WM_NMS_SCAN_IP) + " 127000 ";
  const std::string step = std::to_string(msg::WM_NMS_SCAN_STEP) + " 3 1";
  EXPECT_EQ(sent, (Texts{ip + "9", step, ip + "10", step, ip + "11", step}));
  ASSERT_EQ(engine.Switches().size(), 1u);
  EXPECT_EQ(engine.Switches()[0]->name, "lab-switch");
  EXPECT_EQ(engine.NewDevices().size(), 1u);
  EXPECT_EQ(database.Value("SELECT count(*) FROM device_list"), "1");
  EXPECT_EQ(database.Value("SELECT count(*) FROM system_log WHERE description LIKE 'Discovered a new device%'"), "1");

  // A switch the engine knows is not reported again.
  EXPECT_EQ(engine.ScanSegments({{DevSimReference::kSwitch, ""}}), 0);
  EXPECT_EQ(engine.Switches().size(), 1u);
  EXPECT_EQ(database.Value("SELECT count(*) FROM system_log WHERE description LIKE 'Discovered a new device%'"), "1");

  engine.RequestStop();
  EXPECT_EQ(engine.ScanSegments({{DevSimReference::kSwitch, ""}}), kDiscoveryStopped);
  platform::RunShutdown();
  g_nLogLevelMask = 0;
}

}  // namespace
