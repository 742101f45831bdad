// The firmware upgrade job against the simulated APs and tftpd-hpa on their loopback addresses: three
// uploads at once compared byte for byte, a device that refuses to open, a TFTP peer that is not there,
// the user's Cancel, and what the owner window is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "config/FirmwareUpgradeAction.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "support/TempDir.h"
#include "support/TftpdProcess.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
const std::string kApRoot = "1.3.6.1.4.1.44711.1";
const std::vector<std::string> kAps = {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3};

class FirmwareUpgradeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    for (const std::string& ap : kAps) devsim_.ReceivedSets(ap.c_str());
  }
  void TearDown() override { platform::RunShutdown(); }

  std::string Firmware(size_t size) {
    std::vector<char> bytes(size);
    std::mt19937 random(7);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(random()); });
    const std::string path = files_.File("ap-2.1.0.bin");
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  static std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Runs one job for the APs to its end.
  void Run(CFirmwareUpgradeAction& job, const std::vector<std::string>& ips, const std::string& file) {
    job.SetOwner(window_.Id());
    job.SetParams(CFirmwareUpgradeAction::kAps, ips, file);
    ASSERT_TRUE(job.StartRun());
    ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_FIRMWARE_END, 1, std::chrono::seconds(60)));
    job.Stop(false);
  }
  std::vector<std::uint32_t> Ids() {
    std::vector<std::uint32_t> ids;
    for (const auto& m : window_.Messages())
      if (m.id != msg::WM_NMS_FIRMWARE_PROGRESS && m.id != msg::WM_NMS_FIRMWARE_TEXT) ids.push_back(m.id);
    return ids;
  }
  // The status text the progress window showed last.
  std::string LastStatus() {
    const auto texts = window_.MessagesWithId(msg::WM_NMS_FIRMWARE_TEXT);
    return texts.empty() ? "" : texts.back().text;
  }
  std::vector<std::string> ActionLog() {
    std::vector<std::string> lines;
    for (const auto& row : database_.Rows("SELECT description FROM system_log WHERE type=0 ORDER BY \"index\""))
      lines.push_back(row[0]);
    std::sort(lines.begin(), lines.end());  // the uploads run side by side
    return lines;
  }
  std::string TftpOpenSets(const std::string& ap) {
    std::string sets;
    for (const std::string& line : devsim_.ReceivedSets(ap.c_str())) sets += line + ";";
    return sets;
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageRecorder window_{false};
  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDir files_;
};

TEST_F(FirmwareUpgradeTest, ThreeApsReceiveTheFileAtOnce) {
  testing_support::TftpdProcess tftpd(kAps);
  const std::string file = Firmware(300 * 1024 + 17);
  CFirmwareUpgradeAction job(tftpd.Port());
  Run(job, kAps, file);
  for (const std::string& ap : kAps) {
    EXPECT_EQ(TftpOpenSets(ap), kApRoot + ".1.8.0|2|1;") << ap;
    EXPECT_TRUE(Contents(tftpd.Folder(ap) / "ap-2.1.0.bin") == Contents(file)) << ap << " got another file";
  }
  const auto progress = window_.MessagesWithId(msg::WM_NMS_FIRMWARE_PROGRESS);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back().wParam, 1000u);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end(),
                             [](const auto& a, const auto& b) { return a.wParam < b.wParam; }));
  EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{msg::WM_NMS_POLLING_LOCK, msg::WM_NMS_POLLING_RESTART,
                                               msg::WM_NMS_FIRMWARE_END}));
  std::vector<std::string> expected;
  for (const std::string& ap : kAps) {
    expected.push_back("target IP: " + ap + " firmware upgrade is processing.");
    expected.push_back("target IP: " + ap + " firmware upgrade successful.");
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ActionLog(), expected);
  EXPECT_EQ(LastStatus(),
            "target IP: 127.0.0.11 firmware upgrade successful.\ntarget IP: 127.0.0.12 firmware upgrade successful.\n"
            "target IP: 127.0.0.13 firmware upgrade successful.");
}

TEST_F(FirmwareUpgradeTest, ADeviceThatRefusesToOpenEndsTheRun) {
  testing_support::TftpdProcess tftpd(kAps);
  devsim_.Unset(DevSimReference::kAp2, kApRoot + ".1.8.0");
  CFirmwareUpgradeAction job(tftpd.Port());
  Run(job, kAps, Firmware(4096));
  const std::string text = "target IP : 127.0.0.12 firmware upgrade failed [can not open tftp switch]";
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{text}));
  EXPECT_EQ(ActionLog(), (std::vector<std::string>{text}));
  EXPECT_EQ(LastStatus(), text + "\ntarget IP: 127.0.0.11 0%\ntarget IP: 127.0.0.13 0%")
      << "the refusal leads the devices' lines";
  EXPECT_FALSE(std::filesystem::exists(tftpd.Folder(DevSimReference::kAp1) / "ap-2.1.0.bin"))
      << "the first device's task is never started";
  EXPECT_TRUE(TftpOpenSets(DevSimReference::kAp3).empty());
  EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{msg::WM_NMS_POLLING_LOCK, msg::WM_NMS_POLLING_RESTART,
                                               msg::WM_NMS_FIRMWARE_END}))
      << "polling resumes after an early end too";
}

TEST_F(FirmwareUpgradeTest, AFailedTransferLeavesTheOthersGoing) {
  testing_support::TftpdProcess tftpd({DevSimReference::kAp1, DevSimReference::kAp3});
  const std::string file = Firmware(64 * 1024);
  CFirmwareUpgradeAction job(tftpd.Port());
  Run(job, kAps, file);
  EXPECT_TRUE(Contents(tftpd.Folder(DevSimReference::kAp1) / "ap-2.1.0.bin") == Contents(file));
  EXPECT_TRUE(Contents(tftpd.Folder(DevSimReference::kAp3) / "ap-2.1.0.bin") == Contents(file));
  const auto lines = ActionLog();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "target IP: 127.0.0.12 firmware upgrade failed or something wrong"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "target IP: 127.0.0.13 firmware upgrade successful."), lines.end());
  EXPECT_LT(window_.MessagesWithId(msg::WM_NMS_FIRMWARE_PROGRESS).back().wParam, 1000u);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"target IP: 127.0.0.12 firmware upgrade failed or something wrong"}))
      << "the failure is shown at the end of the run, not only logged";
  EXPECT_EQ(LastStatus(),
            "target IP: 127.0.0.12 firmware upgrade failed or something wrong\n"
            "target IP: 127.0.0.11 firmware upgrade successful.\ntarget IP: 127.0.0.13 firmware upgrade successful.");
}

TEST_F(FirmwareUpgradeTest, CancelEndsTheTransfer) {
  testing_support::TftpdProcess tftpd(kAps);
  CFirmwareUpgradeAction job(tftpd.Port());
  job.SetOwner(window_.Id());
  job.SetParams(CFirmwareUpgradeAction::kAps, kAps, Firmware(24 * 1024 * 1024));
  ASSERT_TRUE(job.StartRun());
  ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_FIRMWARE_PROGRESS, 2, std::chrono::seconds(30)));
  const auto cancelled = std::chrono::steady_clock::now();
  job.OnWorkEnd();
  ASSERT_TRUE(window_.WaitFor(msg::WM_NMS_FIRMWARE_END, 1, std::chrono::seconds(10)));
  EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::seconds(5));
  job.Stop(false);
  EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{msg::WM_NMS_POLLING_LOCK, msg::WM_NMS_POLLING_RESTART,
                                               msg::WM_NMS_FIRMWARE_END}));
  EXPECT_LT(window_.MessagesWithId(msg::WM_NMS_FIRMWARE_PROGRESS).back().wParam, 1000u);
}

TEST_F(FirmwareUpgradeTest, NoFileOrNoDeviceEndsAtOnce) {
  CFirmwareUpgradeAction job(1);
  Run(job, kAps, "");
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"invalid file path"}));
  EXPECT_TRUE(TftpOpenSets(DevSimReference::kAp1).empty());

  window_.Clear();
  Run(job, {}, Firmware(10));
  ASSERT_FALSE(window_.MessagesWithId(msg::WM_NMS_FIRMWARE_PROGRESS).empty());
  EXPECT_EQ(window_.MessagesWithId(msg::WM_NMS_FIRMWARE_PROGRESS).back().wParam, 1000u)
      << "nothing to send is all of it sent";
}

}  // namespace
