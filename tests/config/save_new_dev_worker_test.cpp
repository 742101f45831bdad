// The save-new-devices worker: the move of every listed device, the defaults pushed to the ticked APs,
// the progress of the APs handled and the polling lock around the run.
#include <gtest/gtest.h>

#include <atomic>

#include "config/SaveNewDevWorker.h"
#include "platform/MessageIds.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

NewDeviceEntry Switch(const std::string& mac) { return {"SW_" + mac, "1", mac}; }
NewDeviceEntry Ap(const std::string& mac) { return {"AP_" + mac, "2", mac}; }

struct Recorded {
  std::vector<std::string> moved, pushed;
  std::vector<int> progress;
};

SaveNewDevSteps RecordingSteps(Recorded& r) {
  SaveNewDevSteps steps;
  steps.moveToManaged = [&r](const std::string& mac) {
    r.moved.push_back(mac);
    return mac != "bad";  // a failed move does not stop the run
  };
  steps.pushDefaults = [&r](const std::string& mac) {
    r.pushed.push_back(mac);
    return -1;
  };
  steps.progress = [&r](int percent) { r.progress.push_back(percent); };
  return steps;
}

TEST(SaveNewDevicesTest, ProgressCountsOnlyApsAndTicksSelectTheDefaultPushes) {
  testing_support::MessageRecorder mainWindow;
  struct Case {
    std::vector<NewDeviceEntry> devices;
    std::vector<bool> ticks;
    std::vector<int> progress;
    std::vector<std::string> pushed;
  };
  const Case cases[] = {
      {{Ap("a1"), Switch("s1"), Switch("s2"), Ap("a2")}, {true, false}, {0, 25, 25, 25, 50}, {"a1"}},
      {{Switch("s1"), Ap("a1"), Ap("a2"), Switch("bad")}, {false, true}, {0, 0, 25, 50, 50}, {"a2"}},
      {{Switch("s1"), Switch("s2")}, {}, {0, 0, 0}, {}},
  };
  for (const Case& c : cases) {
    Recorded r;
    SaveNewDevices({c.devices, c.ticks}, RecordingSteps(r));
    EXPECT_EQ(r.moved.size(), c.devices.size());
    EXPECT_EQ(r.progress, c.progress);
    EXPECT_EQ(r.pushed, c.pushed);
  }
  const auto messages = mainWindow.Messages();
  ASSERT_EQ(messages.size(), 6u);
  for (std::size_t i = 0; i < messages.size(); i += 2) {
    EXPECT_EQ(messages[i].id, msg::WM_NMS_POLLING_LOCK);
    EXPECT_EQ(messages[i + 1].id, msg::WM_NMS_POLLING_RESTART);
  }
}

TEST(SaveNewDevicesTest, TheWorkerMovesTheDevicesIntoTheManagedListOnItsThread) {
  testing_support::TempDatabase database;
  testing_support::MessageRecorder mainWindow;
  ASSERT_TRUE(database.Exec("INSERT INTO device_list (ip, mac, name, type, status) VALUES "
                            "('127.0.0.10', '02:44:71:0A:00:01', 'SW_1', '1', '0'), "
                            "('127.0.0.11', '02:44:71:0B:00:01', 'AP_1', '2', '0')"));
  std::atomic<bool> done{false};
  std::vector<int> progress;
  CSaveNewDevWorker worker(SaveNewDevSteps::Database([&](int p) { progress.push_back(p); }), [&] { done = true; });
  ASSERT_TRUE(worker.StartSave({{Switch("02:44:71:0A:00:01"), Ap("02:44:71:0B:00:01")}, {false}}));
  worker.Stop(false);
  EXPECT_TRUE(done);
  EXPECT_EQ(progress, (std::vector<int>{0, 0, 50}));
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM device_list"), "0");
  EXPECT_EQ(database.Value("SELECT COUNT(*) FROM device_list_prev"), "2");
}

}  // namespace
