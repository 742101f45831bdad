// The device-password changer on the simulated reference network: the SETs each device received, the
// stored passwords, the action-log lines and the posted messages; a refused old password, a password the
// database cannot store, cancelling, and a second start while a pass runs.
#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "credentials/DevicePasswordChanger.h"
#include "device/GlobalSettings.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
using Texts = std::vector<std::string>;

const std::string kApRoot = "1.3.6.1.4.1.44711.1";
const std::string kSwitchRoot = "1.3.6.1.4.1.44711.10.76.2";

// A window that records what the changer posts and lets a test act on the worker's thread as a message
// is posted (to cancel or hold the pass at an exact point).
class Owner : public platform::MessageReceiver {
 public:
  std::function<void(const platform::Message&)> onPost;

  void Post(platform::Message message) override {
    if (onPost) onPost(message);
    std::lock_guard lock(mutex_);
    messages_.push_back(std::move(message));
  }
  std::intptr_t Send(const platform::Message&) override { return 0; }

  std::vector<platform::Message> Messages() {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  std::vector<platform::Message> WithId(std::uint32_t id) {
    std::vector<platform::Message> found;
    for (const auto& message : Messages())
      if (message.id == id) found.push_back(message);
    return found;
  }

 private:
  std::mutex mutex_;
  std::vector<platform::Message> messages_;
};

class DevicePasswordChanger : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    window_ = platform::RegisterWindow(owner_);
    changer_.SetOwnerWindow(window_);
  }
  void TearDown() override {
    changer_.Stop(false);
    platform::UnregisterWindow(window_);
    platform::RunShutdown();
  }

  // Runs a pass to its end.
  void Pass(const std::string& password) {
    ASSERT_TRUE(changer_.Start(password));
    changer_.Stop(false);
  }
  // The SETs the device received since the last call, as "suffix=value" below root.
  Texts Received(const char* address, const std::string& root) {
    Texts sets;
    for (const std::string& line : devsim_.ReceivedSets(address)) {
      const auto tag = line.find('|');
      std::string oid = line.substr(0, tag);
      if (oid.starts_with(root)) oid = oid.substr(root.size());
      sets.push_back(oid + "=" + line.substr(line.find('|', tag + 1) + 1));
    }
    return sets;
  }
  Texts ActionLog() {
    Texts lines;
    for (const auto& row : database_.Rows("select description from system_log where type=0 order by \"index\""))
      lines.push_back(row[0]);
    return lines;
  }
  std::string Stored(const std::string& mac) {
    return database_.Value("select write_community from device_list_prev where mac=?", {mac});
  }
  static std::string Line(const char* ip, const std::string& mac, const char* outcome) {
    return "Modify device " + std::string(ip) + "[" + mac + "] password " + outcome;
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  std::shared_ptr<Owner> owner_ = std::make_shared<Owner>();
  platform::WindowId window_ = platform::kNoWindow;
  CDevicePasswordChanger changer_;
};

TEST_F(DevicePasswordChanger, EveryManagedSwitchAndApTakesTheNewPassword) {
  // A device of no known kind that shares the switch's address: skipped, but stored with it.
  ASSERT_TRUE(database_.Exec(
      "insert into device_list_prev (name, ip, mac, write_community) values ('twin', '127.0.0.10', "
      "'02:44:71:00:00:09', 'private')"));
  Pass("n3wpass");

  EXPECT_EQ(Received(DevSimReference::kSwitch, kSwitchRoot), (Texts{".1.1.1.2.2=n3wpass"}));
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    EXPECT_EQ(Received(ap, kApRoot), (Texts{".1.4.0=n3wpass", ".1.1.0=1"})) << ap;
  EXPECT_TRUE(devsim_.ReceivedSets(DevSimReference::kUnknown).empty());
  // The devices answer to the new password now.
  EXPECT_EQ(devsim_.Get(DevSimReference::kSwitch, kSwitchRoot + ".11.15.0"), kSwitchRoot + ".11.15.0|4|n3wpass");
  EXPECT_EQ(devsim_.Get(DevSimReference::kAp2, kApRoot + ".1.4.0"), kApRoot + ".1.4.0|4|n3wpass");

  for (const std::string& mac : {net::kSwitch, net::kAp1, net::kAp2, net::kAp3, std::string("02:44:71:00:00:09")})
    EXPECT_EQ(Stored(mac), "n3wpass") << mac;
  EXPECT_EQ(Stored(net::kUnknown), "private");
  EXPECT_EQ(ActionLog(), (Texts{Line("127.0.0.10", net::kSwitch, "success"), Line("127.0.0.11", net::kAp1, "success"),
                                Line("127.0.0.12", net::kAp2, "success"), Line("127.0.0.13", net::kAp3, "success")}));

  const auto texts = owner_->WithId(msg::WM_NMS_PASSWORD_TEXT);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0].text, "Modify device lab-switch:(127.0.0.10):" + net::kSwitch + " password");
  EXPECT_EQ(texts[5].text, "Modify device twin:(127.0.0.10):02:44:71:00:00:09 password");
  const auto steps = owner_->WithId(msg::WM_NMS_PASSWORD_STEP);
  ASSERT_EQ(steps.size(), 6u);
  for (const auto& step : steps) {
    EXPECT_EQ(step.wParam, 6u);
    EXPECT_EQ(step.lParam, 1);
  }
  EXPECT_TRUE(owner_->WithId(msg::WM_NMS_PASSWORD_DONE).empty());
  // Each device's text comes before its step.
  const auto all = owner_->Messages();
  for (std::size_t i = 0; i < all.size(); ++i)
    EXPECT_EQ(all[i].id, i % 2 == 0 ? msg::WM_NMS_PASSWORD_TEXT : msg::WM_NMS_PASSWORD_STEP) << i;
}

TEST_F(DevicePasswordChanger, AWrongOrMissingOldPasswordFailsThatDeviceOnly) {
  ASSERT_TRUE(database_.Exec("update device_list_prev set write_community='wrong' where mac=?", {net::kAp2}));
  ASSERT_TRUE(database_.Exec("update device_list_prev set write_community=NULL where mac=?", {net::kAp3}));
  Pass("n3wpass");

  EXPECT_TRUE(devsim_.ReceivedSets(DevSimReference::kAp2).empty()) << "a wrong community is not answered";
  EXPECT_TRUE(devsim_.ReceivedSets(DevSimReference::kAp3).empty()) << "no password, no exchange";
  EXPECT_EQ(Stored(net::kAp2), "wrong");
  EXPECT_EQ(Stored(net::kAp3), "");
  EXPECT_EQ(devsim_.Get(DevSimReference::kAp2, kApRoot + ".1.4.0"), kApRoot + ".1.4.0|4|private");
  EXPECT_EQ(ActionLog(), (Texts{Line("127.0.0.10", net::kSwitch, "success"), Line("127.0.0.11", net::kAp1, "success"),
                                Line("127.0.0.12", net::kAp2, "fail"), Line("127.0.0.13", net::kAp3, "fail")}));
  EXPECT_EQ(owner_->WithId(msg::WM_NMS_PASSWORD_STEP).size(), 5u);
}

TEST_F(DevicePasswordChanger, APasswordTheDatabaseCannotStoreIsReportedAsSuch) {
  ASSERT_TRUE(database_.BreakWrites("device_list_prev", "UPDATE", "old.mac='" + net::kAp1 + "'"));
  Pass("n3wpass");

  EXPECT_EQ(Received(DevSimReference::kAp1, kApRoot), (Texts{".1.4.0=n3wpass", ".1.1.0=1"}));
  EXPECT_EQ(Stored(net::kAp1), "private");
  const Texts log = ActionLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1], Line("127.0.0.11", net::kAp1, "changed on device, not saved"));
  EXPECT_EQ(log[2], Line("127.0.0.12", net::kAp2, "success"));
}

TEST_F(DevicePasswordChanger, CancelAfterTheFirstDeviceLeavesTheRestAndALaterPassGoesOn) {
  owner_->onPost = [this](const platform::Message& message) {
    if (message.id == msg::WM_NMS_PASSWORD_STEP) changer_.Cancel();
  };
  Pass("n3wpass");

  EXPECT_EQ(Received(DevSimReference::kSwitch, kSwitchRoot), (Texts{".1.1.1.2.2=n3wpass"}));
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    EXPECT_TRUE(devsim_.ReceivedSets(ap).empty()) << ap;
  EXPECT_EQ(ActionLog(), (Texts{Line("127.0.0.10", net::kSwitch, "success")}));
  EXPECT_EQ(Stored(net::kAp1), "private");
  EXPECT_EQ(owner_->WithId(msg::WM_NMS_PASSWORD_TEXT).size(), 5u) << "every device is still reported";
  EXPECT_EQ(owner_->WithId(msg::WM_NMS_PASSWORD_STEP).size(), 5u);

  owner_->onPost = nullptr;
  Pass("n3wpass");
  EXPECT_EQ(Received(DevSimReference::kAp1, kApRoot), (Texts{".1.4.0=n3wpass", ".1.1.0=1"}));
  EXPECT_EQ(Stored(net::kAp3), "n3wpass");
}

TEST_F(DevicePasswordChanger, ASecondStartWhileAPassRunsIsRefused) {
  std::mutex mutex;
  std::condition_variable released;
  bool release = false;
  // The pass waits at its first device until the test has tried a second start.
  owner_->onPost = [&](const platform::Message&) {
    std::unique_lock lock(mutex);
    released.wait(lock, [&] { return release; });
  };
  ASSERT_TRUE(changer_.Start("first"));
  EXPECT_TRUE(changer_.IsRunning());
  EXPECT_FALSE(changer_.Start("second"));
  {
    std::lock_guard lock(mutex);
    release = true;
  }
  released.notify_all();
  changer_.Stop(false);
  EXPECT_FALSE(changer_.IsRunning());
  EXPECT_EQ(Stored(net::kAp1), "first");
  EXPECT_EQ(owner_->WithId(msg::WM_NMS_PASSWORD_STEP).size(), 5u) << "one pass only";
}

TEST_F(DevicePasswordChanger, WithoutManagedDevicesOnlyTheEmptyPassMessageComes) {
  ASSERT_TRUE(database_.Exec("delete from device_list_prev"));
  Pass("n3wpass");
  const auto messages = owner_->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].id, msg::WM_NMS_PASSWORD_DONE);
  EXPECT_TRUE(ActionLog().empty());
}

}  // namespace
