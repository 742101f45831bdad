// "Modify System Key" without its window, over a fake key writer: the controls of each mode, the checks
// in their order, the results of each mode as the dialog shows them, and the refresh of the views.
#include <gtest/gtest.h>

#include "credentials/SystemKeyService.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using Service = CSystemKeyService;
using Texts = std::vector<std::string>;

class FakeKeyWriter : public ISystemKeyWriter {
 public:
  int SetAllDevices(const std::string& key, const Progress& progress) override {
    calls.push_back("all " + key);
    if (progress) progress(50);
    return allResult;
  }
  int SetKeyErrorDevices() override {
    calls.push_back("key errors");
    return keyErrorResult;
  }
  int SetSingleDevice(const std::string& ip, const std::string& model, const std::string& password,
                      const std::string& key) override {
    calls.push_back("single " + ip + " " + model + " " + password + " " + key);
    return singleResult;
  }
  Texts calls;
  int allResult = 1, keyErrorResult = 0, singleResult = 1;
};

class SystemKeyServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(net::AddDevices(database_, "device_list_prev")); }
  void TearDown() override { platform::RunShutdown(); }

  static Service::Input KeyErrorInput() {
    Service::Input input;
    input.mode = Service::KEY_ERROR_DEVICES;
    input.key = "ignored";  // the mode reads no key
    return input;
  }
  Service::Input SingleInput() {
    Service::Input input;
    input.mode = Service::SINGLE_DEVICE;
    input.ip = "127.0.0.11";
    input.modelIndex = 2;
    input.modelName = "Velmora-A";
    input.password = "private";
    input.singleKey = "k3y";
    return input;
  }

  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  FakeKeyWriter writer_;
  int refreshes_ = 0;
  Service service_{writer_, [this] { ++refreshes_; }};
};

TEST_F(SystemKeyServiceTest, EachModeEnablesItsControls) {
  EXPECT_EQ(Service::ControlsOf(Service::ALL_DEVICES), (Service::EnabledControls{true, false, false, false, false}));
  EXPECT_EQ(Service::ControlsOf(Service::KEY_ERROR_DEVICES),
            (Service::EnabledControls{false, false, false, false, false}));
  EXPECT_EQ(Service::ControlsOf(Service::SINGLE_DEVICE), (Service::EnabledControls{false, true, true, true, true}));
}

TEST_F(SystemKeyServiceTest, AllDevicesChecksTheKeyThenLeavesThePassToTheWorker) {
  Service::Input input;
  EXPECT_EQ(service_.Apply(input).focus, Service::IDC_KEY);
  input.key = std::string(21, 'k');
  EXPECT_EQ(service_.Apply(input).next, Service::Next::StayOpen);
  input.key = std::string(20, 'k');
  EXPECT_EQ(service_.Apply(input).next, Service::Next::StartWorker);
  EXPECT_EQ(boxes_.Texts(), (Texts{"Please input system key!", "System key max length is 20 characters"}));
  EXPECT_EQ(refreshes_, 0) << "no refresh after a failed check";

  Texts progress;
  EXPECT_EQ(service_.RunAllDevices(input.key, [&](int percent) { progress.push_back(std::to_string(percent)); }), 1);
  EXPECT_EQ(progress, (Texts{"0", "50"}));
  service_.FinishAllDevices(1);
  writer_.allResult = 0;
  service_.FinishAllDevices(service_.RunAllDevices(input.key, nullptr));
  EXPECT_EQ(boxes_.Texts().at(2), "Modify system key success");
  EXPECT_EQ(boxes_.Boxes().at(3).caption, "fail");
  EXPECT_EQ(boxes_.Texts().at(3), "Modify system key failed, maybe network error");
  EXPECT_EQ(refreshes_, 2);
}

TEST_F(SystemKeyServiceTest, KeyErrorModeNeedsAKeyErrorDeviceAndShowsEachResult) {
  EXPECT_EQ(service_.Apply(KeyErrorInput()).next, Service::Next::StayOpen);
  EXPECT_EQ(boxes_.Boxes().back().caption, "info");
  EXPECT_EQ(boxes_.Texts().back(), "No system key error device in management table");
  EXPECT_TRUE(writer_.calls.empty());
  EXPECT_TRUE(Service::KeyErrorDeviceIps().empty());

  ASSERT_TRUE(database_.Exec("update device_list_prev set status='4' where mac in (?, ?)", {net::kAp2, net::kAp3}));
  EXPECT_EQ(Service::KeyErrorDeviceIps(), (Texts{"127.0.0.12", "127.0.0.13"}));
  const std::tuple<int, Service::Next, std::string> results[] = {
      {0, Service::Next::Close, "Modify system key success"},
      {1, Service::Next::Close, "Modify system key failed, maybe network error in Switch"},
      {2, Service::Next::Close, "Modify system key failed in some Aps, maybe network or DHCP error"},
      {3, Service::Next::StayOpen, ""}};
  for (const auto& [result, next, text] : results) {
    SCOPED_TRACE(result);
    writer_.keyErrorResult = result;
    const std::size_t before = boxes_.Boxes().size();
    EXPECT_EQ(service_.Apply(KeyErrorInput()).next, next);
    if (text.empty())
      EXPECT_EQ(boxes_.Boxes().size(), before);
    else
      EXPECT_EQ(boxes_.Texts().back(), text);
  }
  EXPECT_EQ(refreshes_, 5);
}

TEST_F(SystemKeyServiceTest, SingleDeviceChecksInTheirOrder) {
  struct Case {
    void (*change)(Service::Input&);
    const char* box;
    int focus;
  };
  const Case cases[] = {
      {[](Service::Input& i) { i.ip = ""; }, "IP address error", Service::IDC_IP},
      {[](Service::Input& i) { i.ip = "10.0.0.256"; }, "IP address error", Service::IDC_IP},
      {[](Service::Input& i) { i.modelIndex = -1; }, "please select device model type", Service::IDC_MODEL},
      {[](Service::Input& i) { i.password = ""; }, "please input password", Service::IDC_PASSWORD},
      {[](Service::Input& i) { i.password = std::string(21, 'p'); }, "device password max length is 20 characters",
       Service::IDC_PASSWORD},
      {[](Service::Input& i) { i.singleKey = ""; }, "please input system key", Service::IDC_SINGLE_KEY},
      {[](Service::Input& i) { i.singleKey = std::string(21, 'k'); }, "System key max length is 20 characters",
       Service::IDC_SINGLE_KEY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Service::Input input = SingleInput();
    c.change(input);
    const Service::Outcome outcome = service_.Apply(input);
    EXPECT_EQ(outcome.next, Service::Next::StayOpen);
    EXPECT_EQ(outcome.focus, c.focus);
    EXPECT_EQ(boxes_.Texts().back(), c.box);
  }
  EXPECT_EQ(boxes_.Boxes().back().caption, "info");
  EXPECT_EQ(boxes_.Boxes().front().caption, "error");
  EXPECT_TRUE(writer_.calls.empty());
  EXPECT_EQ(refreshes_, 0);
}

TEST_F(SystemKeyServiceTest, SingleDeviceClosesOnlyOnSuccess) {
  Service::Input input = SingleInput();
  input.singleKey = std::string(20, 'k');
  writer_.singleResult = 0;
  EXPECT_EQ(service_.Apply(input).next, Service::Next::StayOpen);
  EXPECT_EQ(boxes_.Texts().back(), "Modify system key failed, maybe network error");
  writer_.singleResult = 1;
  EXPECT_EQ(service_.Apply(input).next, Service::Next::Close);
  EXPECT_EQ(boxes_.Texts().back(), "Modify system key success");
  EXPECT_EQ(writer_.calls.back(), "single 127.0.0.11 Velmora-A private " + std::string(20, 'k'));
  EXPECT_EQ(refreshes_, 2);
}

}  // namespace
