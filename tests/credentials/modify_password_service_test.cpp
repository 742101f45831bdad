// "Modify Password" without its window, on the simulated reference network: the checks in their order,
// one AP and one switch changed with their current password, a wrong current password, the switch's
// same-password answer, the by-model mode, the hand-over to the all-devices changer, and the password
// manager's rows.
#include <gtest/gtest.h>

#include "credentials/ManagedDeviceList.h"
#include "credentials/ModifyPasswordService.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
using Service = CModifyPasswordService;
using Texts = std::vector<std::string>;

const std::string kApRoot = "1.3.6.1.4.1.44711.1";
const std::string kSwitchRoot = "1.3.6.1.4.1.44711.10.76.2";

class ModifyPasswordServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  }
  void TearDown() override { platform::RunShutdown(); }

  Service MakeService() {
    return Service([this](const std::string& ip) { return ip == "127.0.0.10" ? net::kSwitch : std::string(); },
                   [this](const std::string& password) { handedOver_.push_back(password); });
  }
  static Service::Input Single(const char* ip, int type, std::string current, std::string fresh) {
    Service::Input input;
    input.ip = ip;
    input.deviceType = type;
    input.currentPassword = std::move(current);
    input.newPassword = std::move(fresh);
    return input;
  }
  std::string Stored(const std::string& mac) {
    return database_.Value("select write_community from device_list_prev where mac=?", {mac});
  }

  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  Texts handedOver_;
};

TEST_F(ModifyPasswordServiceTest, ChecksInTheirOrder) {
  Service service = MakeService();
  const std::string twenty(20, 'p'), twentyOne(21, 'p');
  struct Case {
    Service::Mode mode;
    Service::Input input;
    std::string box;
    int focus;
  };
  const Case cases[] = {
      {Service::SINGLE_DEVICE, Single("127.0.0.11", 0, "private", ""), "please input new password", Service::IDC_NEW},
      {Service::SINGLE_DEVICE, Single("127.0.0.11", 0, "private", twentyOne), "password max length is 20 characters",
       Service::IDC_NEW},
      {Service::SINGLE_DEVICE, Single("127.0.0.11", 0, twentyOne, twenty), "password max length is 20 characters",
       Service::IDC_CURRENT},
      {Service::SINGLE_DEVICE, Single("127.0.0.11", -1, "private", twenty), "please select device type",
       Service::IDC_DEVICE_TYPE},
      {Service::SINGLE_DEVICE, Single("127.0.0.11", 0, "", twenty), "please input current password",
       Service::IDC_CURRENT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    const std::size_t before = boxes_.Boxes().size();
    const Service::Outcome outcome = service.Apply(c.mode, c.input);
    EXPECT_FALSE(outcome.close);
    EXPECT_EQ(outcome.focus, c.focus);
    ASSERT_EQ(boxes_.Boxes().size(), before + 1);
    EXPECT_EQ(boxes_.Boxes().back().text, c.box);
  }
  EXPECT_EQ(boxes_.Boxes()[1].caption, "error");
  EXPECT_TRUE(devsim_.ReceivedSets(DevSimReference::kAp1).empty());
  EXPECT_TRUE(database_.ActionLog().empty());
}

TEST_F(ModifyPasswordServiceTest, AnApAndASwitchTakeTheNewPasswordWhichIsStored) {
  Service service = MakeService();
  EXPECT_TRUE(service.Apply(Service::SINGLE_DEVICE, Single("127.0.0.11", Service::TYPE_AP, "private", "n3w")).close);
  EXPECT_EQ(devsim_.Get(DevSimReference::kAp1, kApRoot + ".1.4.0"), kApRoot + ".1.4.0|4|n3w");
  EXPECT_EQ(Stored(net::kAp1), "n3w");

  Service withoutMap(nullptr, nullptr);  // the switch's MAC then comes from the device tables
  EXPECT_TRUE(
      withoutMap.Apply(Service::SINGLE_DEVICE, Single("127.0.0.10", Service::TYPE_SWITCH, "private", "s3cret")).close);
  EXPECT_EQ(devsim_.Get(DevSimReference::kSwitch, kSwitchRoot + ".11.15.0"), kSwitchRoot + ".11.15.0|4|s3cret");
  EXPECT_EQ(Stored(net::kSwitch), "s3cret");
  EXPECT_EQ(Stored(net::kAp2), "private");
  EXPECT_EQ(database_.ActionLog(),
            (Texts{"Modify device 127.0.0.11 password success", "Modify device 127.0.0.10 password success"}));
  EXPECT_EQ(boxes_.Texts(), database_.ActionLog());
  EXPECT_EQ(boxes_.Boxes()[0].style, platform::MB_ICONINFORMATION);
}

TEST_F(ModifyPasswordServiceTest, AWrongCurrentPasswordFailsAndKeepsTheStoredOne) {
  Service service = MakeService();
  EXPECT_TRUE(service.Apply(Service::SINGLE_DEVICE, Single("127.0.0.12", Service::TYPE_AP, "wrong", "n3w")).close);
  EXPECT_TRUE(devsim_.ReceivedSets(DevSimReference::kAp2).empty());
  EXPECT_EQ(Stored(net::kAp2), "private");
  EXPECT_EQ(database_.ActionLog(), Texts{"Modify device 127.0.0.12 password fail"});
  EXPECT_EQ(boxes_.Texts(), Texts{"Modify device 127.0.0.12 password fail"});
}

TEST_F(ModifyPasswordServiceTest, ASwitchRefusesItsOwnPasswordAnApTakesIt) {
  Service service = MakeService();
  EXPECT_TRUE(
      service.Apply(Service::SINGLE_DEVICE, Single("127.0.0.10", Service::TYPE_SWITCH, "private", "private")).close);
  EXPECT_TRUE(devsim_.ReceivedSets(DevSimReference::kSwitch).empty());
  EXPECT_EQ(boxes_.Texts(), Texts{"New password and old password are the same."});
  EXPECT_TRUE(database_.ActionLog().empty());

  service.Apply(Service::SINGLE_DEVICE, Single("127.0.0.13", Service::TYPE_AP, "private", "private"));
  EXPECT_FALSE(devsim_.ReceivedSets(DevSimReference::kAp3).empty());
}

TEST_F(ModifyPasswordServiceTest, APasswordTheDatabaseCannotStoreIsReported) {
  ASSERT_TRUE(database_.BreakWrites("device_list_prev", "UPDATE"));
  Service service = MakeService();
  service.Apply(Service::SINGLE_DEVICE, Single("127.0.0.11", Service::TYPE_AP, "private", "n3w"));
  EXPECT_EQ(devsim_.Get(DevSimReference::kAp1, kApRoot + ".1.4.0"), kApRoot + ".1.4.0|4|n3w");
  EXPECT_EQ(Stored(net::kAp1), "private");
  EXPECT_EQ(database_.ActionLog(), Texts{"Modify device 127.0.0.11 password changed on device, not saved"});
}

TEST_F(ModifyPasswordServiceTest, ByModelTheModelGivesKindAndRoot) {
  Service service = MakeService();
  Service::Input input = Single("127.0.0.10", Service::TYPE_AP, "private", "m0del");
  input.byModel = true;
  input.modelName = "Corvath-S24";
  EXPECT_TRUE(service.Apply(Service::SINGLE_DEVICE, input).close);
  EXPECT_EQ(Stored(net::kSwitch), "m0del") << "the model made it a switch";

  input.modelName = "Nothing";
  EXPECT_FALSE(service.Apply(Service::SINGLE_DEVICE, input).close);
  EXPECT_EQ(boxes_.Texts().back(), "GetDevTypeByModelName error");
  EXPECT_EQ(Service::ModelNames(), (Texts{"Velmora-A", "Corvath-S16", "Corvath-S24"}));
}

TEST_F(ModifyPasswordServiceTest, AllDevicesHandsOnlyTheNewPasswordOver) {
  Service service = MakeService();
  Service::Input input;
  input.newPassword = "all-new";
  EXPECT_TRUE(service.Apply(Service::ALL_DEVICES, input).close);
  EXPECT_EQ(handedOver_, Texts{"all-new"});
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_EQ(Service::DeviceTypeOfKind(Service::KIND_AP), Service::TYPE_AP);
  EXPECT_EQ(Service::DeviceTypeOfKind(Service::KIND_SWITCH), Service::TYPE_SWITCH);
  EXPECT_EQ(Service::DeviceTypeOfKind(7), Service::TYPE_NONE);
}

TEST_F(ModifyPasswordServiceTest, ManagerRowsShowKindsAndKeepAnEmptyTable) {
  ASSERT_TRUE(database_.Exec("update device_list_prev set type=NULL, name=NULL where mac=?", {net::kUnknown}));
  std::vector<PasswordManagerRow> rows;
  ASSERT_TRUE(LoadPasswordManagerRows(rows));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (PasswordManagerRow{"lab-switch", "Switch", "127.0.0.10", net::kSwitch, "private"}));
  EXPECT_EQ(rows[1].typeText, "AP");
  EXPECT_EQ(rows[4], (PasswordManagerRow{"", "Unkonwn", "127.0.0.14", net::kUnknown, "private"}))
      << "a NULL name is empty, not the previous row's";
  ASSERT_TRUE(database_.Exec("delete from device_list_prev"));
  EXPECT_FALSE(LoadPasswordManagerRows(rows));
  EXPECT_EQ(rows.size(), 5u);
}

}  // namespace
