// The one-shot discovery thread: nothing to do without segments; with the reference segment it finds the
// switch, stores its details and reports by posted messages.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "db/DiscoveryDb.h"
#include "device/DeviceNameIndex.h"
#include "engine/DiscoveryThread.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::DevSimReference;
namespace net = testing_support::reference_network;

TEST(DiscoveryThreadTest, ScansTheStoredSegmentsStoresTheSwitchAndSavesItsLinks) {
  testing_support::TempDatabase database;
  testing_support::DevSimProcess simulator;
  testing_support::MessageRecorder recorder;
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.strWriteCommunity = "private";
    g_RuntimeSettings.nSnmpTimeout = 100;
  }
  g_DeviceNameIndex.Clear();
  CDiscoveryThread discovery;
  discovery.SetNotifyWnd(recorder.Id());
  EXPECT_EQ(discovery.Discover(), 0) << "no segment stored";

  ASSERT_EQ(CDiscoveryDb().setManagementSegment({{DevSimReference::kSwitch, ""}}), 0);
  ASSERT_TRUE(discovery.StartNoParam());
  EXPECT_EQ(discovery.Stop(false), 1u);
  EXPECT_FALSE(discovery.IsBusy());
  EXPECT_EQ(database.Value("SELECT name FROM device_list WHERE mac=?", {net::kSwitch}), "lab-switch");
  EXPECT_EQ(database.Value("SELECT count(*) FROM switch_property WHERE mac=?", {net::kSwitch}), "1");
  std::vector<std::uint32_t> ids;
  for (const auto& m : recorder.Messages())
    if (m.id == msg::WM_NMS_SCAN_STARTED || m.id == msg::WM_NMS_NEW_DEVICES) ids.push_back(m.id);
  EXPECT_EQ(ids, (std::vector<std::uint32_t>{msg::WM_NMS_SCAN_STARTED, msg::WM_NMS_NEW_DEVICES}));

  EXPECT_EQ(discovery.Discover(), -1) << "a known switch is no new one";
  discovery.SaveDeviceMap();
  EXPECT_EQ(database.Value("SELECT count(*) FROM device_map"), "0") << "the scan reads no port table";
  platform::RunShutdown();
}

}  // namespace
