// One switch configured on the simulated reference switch: the SETs the System page sends in the order
// the switch received them for its three address cases, the LLDP question, what the database holds
// after, and the Anti-rogue page's Apply.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/AntiRoguePageModel.h"
#include "config/SwitchSystemPageModel.h"
#include "platform/MessageBox.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
const std::string kRoot = "1.3.6.1.4.1.44711.10.76.2";
const std::string kLldp = "1.3.6.1.4.1.44711.10.75.3.24.6.0";

class SwitchConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    ASSERT_TRUE(database_.Exec(
        "INSERT INTO switch_property (mac, sys_name, location, subnet_mask, gateway, ipmode, anti_rogue, LLDPonoff)"
        " VALUES (?, 'stored-name', 'lab', '255.0.0.0', '127.0.0.1', ?, '00 00 00 ', 1)",
        {net::kSwitch, ipMode_}));
    devsim_.ReceivedSets(DevSimReference::kSwitch);
  }
  void TearDown() override { platform::RunShutdown(); }

  // The SETs the switch received, as "suffix=value" below its root (absolute objects in full).
  std::vector<std::string> Received() {
    std::vector<std::string> sets;
    for (const std::string& line : devsim_.ReceivedSets(DevSimReference::kSwitch)) {
      const auto tag = line.find('|');
      std::string oid = line.substr(0, tag);
      if (oid.starts_with(kRoot)) oid = oid.substr(kRoot.size());
      sets.push_back(oid + "=" + line.substr(line.find('|', tag + 1) + 1));
    }
    return sets;
  }
  std::vector<std::string> ActionLog() {
    std::vector<std::string> lines;
    for (const auto& row : database_.Rows("SELECT description FROM system_log WHERE type=0 ORDER BY \"index\""))
      lines.push_back(row[0]);
    return lines;
  }
  std::string Property(const std::string& column) {
    return database_.Value("SELECT " + column + " FROM switch_property WHERE mac=?", {net::kSwitch});
  }
  std::string Device(const std::string& column) {
    return database_.Value("SELECT " + column + " FROM device_list_prev WHERE mac=?", {net::kSwitch});
  }
  // Loads the page, lets edit change what it shows, checks it and presses OK.
  template <typename Edit>
  CSwitchSystemPageModel Ok(Edit edit) {
    CSwitchSystemPageModel page(net::kSwitch);
    EXPECT_EQ(page.Load(), 0);
    SwitchSystemInput input = page.Shown();
    edit(input);
    EXPECT_FALSE(CSwitchSystemPageModel::Check(input).has_value());
    page.ReadDialogValues(input);
    page.Apply();
    return page;
  }

  int ipMode_ = 1;
  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageBoxRecorder boxes_;
};

TEST_F(SwitchConfigTest, EveryFieldChangedInStaticMode) {
  const CSwitchSystemPageModel page = Ok([](SwitchSystemInput& in) {
    in.ip = "127.0.0.20";
    in.netmask = "255.255.0.0";
    in.gateway = "127.0.0.2";
    in.name = "core";
    in.location = "O'Hara hall";
    in.lldpEnabled = false;
  });
  EXPECT_EQ(Received(), (std::vector<std::string>{".11.17.0=255.255.0.0", ".11.18.0=127.0.0.2",
                                                  "1.3.6.1.2.1.1.5.0=core", "1.3.6.1.2.1.1.6.0=O'Hara hall",
                                                  ".11.12.0=1", ".11.16.0=127.0.0.20", kLldp + "=2"}));
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Set LLDP disable will cause the system function not work!!\n Abort?"}))
      << "No goes on";
  const std::string who = "Set switch 127.0.0.10[" + net::kSwitch + "] ";
  EXPECT_EQ(ActionLog(), (std::vector<std::string>{who + "netmask to 255.255.0.0 success",
                                                    who + "gateway to 127.0.0.2 success", who + "name to core success",
                                                    who + "location to O'Hara hall success",
                                                    who + "ip to 127.0.0.20 success", who + "LLDP to 2 success"}));
  EXPECT_EQ(Device("ip"), "127.0.0.20");
  EXPECT_EQ(Device("name"), "core");
  EXPECT_EQ(Property("sys_name"), "core");
  EXPECT_EQ(Property("location"), "O'Hara hall");
  EXPECT_EQ(Property("subnet_mask"), "255.255.0.0");
  EXPECT_EQ(Property("gateway"), "127.0.0.2");
  EXPECT_EQ(Property("LLDPonoff"), "2");
}

TEST_F(SwitchConfigTest, ToDhcpSendsNoAddress) {
  boxes_.ScriptAnswers({platform::IDNO});
  Ok([](SwitchSystemInput& in) {
    in.staticMode = false;
    in.dhcpMode = true;
    in.netmask = "0.0.0.0";
    in.gateway = "0.0.0.0";
    in.name = "edge";
    in.location = "cellar";
    in.lldpEnabled = false;
  });
  EXPECT_EQ(Received(), (std::vector<std::string>{"1.3.6.1.2.1.1.5.0=edge", "1.3.6.1.2.1.1.6.0=cellar", ".11.12.0=2",
                                                  kLldp + "=2"}));
  EXPECT_EQ(Property("ipmode"), "2");
  EXPECT_EQ(Property("subnet_mask"), "255.0.0.0") << "a control at 0.0.0.0 never replaces the stored value";
}

TEST_F(SwitchConfigTest, LldpOnlyIsStoredThroughItsOwnColumn) {
  boxes_.ScriptAnswers({platform::IDNO});
  Ok([](SwitchSystemInput& in) { in.lldpEnabled = false; });
  EXPECT_EQ(Received(), (std::vector<std::string>{kLldp + "=2"}));
  EXPECT_EQ(Property("LLDPonoff"), "2");
  EXPECT_EQ(Property("sys_name"), "stored-name") << "the property row is not rewritten";
}

// A refused set keeps the stored value of its field; the values the switch accepted are stored.
TEST_F(SwitchConfigTest, RefusedValuesKeepTheirStoredOnes) {
  struct Case {
    std::string refused;  // object the switch lacks, so its set fails
    std::string ip, netmask, gateway;
  };
  for (const Case& c : {Case{".11.16.0", "127.0.0.10", "255.255.0.0", "127.0.0.2"},
                        Case{".11.17.0", "127.0.0.20", "255.0.0.0", "127.0.0.2"},
                        Case{".11.18.0", "127.0.0.20", "255.255.0.0", "127.0.0.1"}}) {
    SCOPED_TRACE(c.refused);
    ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET ip='127.0.0.10', name='lab-switch' WHERE mac=?",
                               {net::kSwitch}));
    ASSERT_TRUE(database_.Exec("UPDATE switch_property SET sys_name='stored-name', location='lab', "
                               "subnet_mask='255.0.0.0', gateway='127.0.0.1' WHERE mac=?",
                               {net::kSwitch}));
    const std::string held = devsim_.Get(DevSimReference::kSwitch, kRoot + c.refused);
    devsim_.Unset(DevSimReference::kSwitch, kRoot + c.refused);
    Ok([](SwitchSystemInput& in) {
      in.ip = "127.0.0.20";
      in.netmask = "255.255.0.0";
      in.gateway = "127.0.0.2";
      in.name = "core";
      in.location = "hall";
    });
    devsim_.Set(DevSimReference::kSwitch, held);
    EXPECT_EQ(Device("ip"), c.ip);
    EXPECT_EQ(Property("subnet_mask"), c.netmask);
    EXPECT_EQ(Property("gateway"), c.gateway);
    EXPECT_EQ(Device("name"), "core");
    EXPECT_EQ(Property("sys_name"), "core");
    EXPECT_EQ(Property("location"), "hall");
  }
}

TEST_F(SwitchConfigTest, YesToTheLldpQuestionSendsNothing) {
  boxes_.ScriptAnswers({platform::IDYES});
  Ok([](SwitchSystemInput& in) {
    in.name = "core";
    in.lldpEnabled = false;
  });
  EXPECT_TRUE(Received().empty()) << "asked before the first set";
  EXPECT_EQ(Device("name"), "lab-switch");
  EXPECT_EQ(Property("LLDPonoff"), "1");
}

TEST_F(SwitchConfigTest, ASwitchWithoutCommunityGetsNothing) {
  ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET write_community='' WHERE mac=?", {net::kSwitch}));
  Ok([](SwitchSystemInput& in) { in.name = "core"; });
  EXPECT_TRUE(Received().empty());
  EXPECT_EQ(Device("name"), "lab-switch");
}

class SwitchFromDhcpTest : public SwitchConfigTest {
 protected:
  SwitchFromDhcpTest() { ipMode_ = 2; }
};

TEST_F(SwitchFromDhcpTest, ToStaticSendsTheAddressAfterTheMode) {
  Ok([](SwitchSystemInput& in) {
    in.staticMode = true;
    in.dhcpMode = false;
    in.name = "core";
  });
  EXPECT_EQ(Received(), (std::vector<std::string>{"1.3.6.1.2.1.1.5.0=core", ".11.12.0=1", ".11.12.0=1",
                                                  ".11.16.0=127.0.0.10", ".11.17.0=255.0.0.0", ".11.18.0=127.0.0.1"}));
  EXPECT_EQ(Property("ipmode"), "1");
}

TEST_F(SwitchConfigTest, AntiRogueApplySendsTheBitmapAndStoresIt) {
  CAntiRoguePageModel page(net::kSwitch);
  page.InitControls();
  EXPECT_EQ(page.OfferedPorts(), 24);
  EXPECT_EQ(page.Rows().size(), 24u);
  EXPECT_TRUE(page.CanChange());

  boxes_.ScriptAnswers({platform::IDNO});
  EXPECT_FALSE(page.Apply(2, 9, 0));
  EXPECT_TRUE(Received().empty()) << "No to the question sends nothing";
  EXPECT_FALSE(page.Bitmap().IsSet(3));
  EXPECT_FALSE(page.Apply(4, 2, 1));
  EXPECT_EQ(boxes_.Texts().back(), "Port range error!");

  boxes_.ScriptAnswers({platform::IDYES});
  EXPECT_TRUE(page.Apply(2, 9, 0));
  EXPECT_EQ(Received(), (std::vector<std::string>{".24.2.0=3fc000"}));
  EXPECT_EQ(Property("anti_rogue"), "3F C0 00 ");
  EXPECT_TRUE(page.Rows()[2].enabled);
  EXPECT_FALSE(page.Rows()[10].enabled);
  EXPECT_EQ(ActionLog().back(), "enable switch 127.0.0.10[" + net::kSwitch + "] anti-rogue from port 3 to port 10 success");
  EXPECT_EQ(boxes_.Texts().back(), "success");

  devsim_.Configure(DevSimReference::kSwitch, "silent on");
  EXPECT_FALSE(page.Apply(0, 0, 1));
  EXPECT_EQ(boxes_.Texts().back(), "network is bolcked by anti-rogue function or set fail");
  EXPECT_EQ(Property("anti_rogue"), "3F C0 00 ") << "a failed set stores nothing";
}

TEST_F(SwitchConfigTest, AntiRogueIsReadOnlyWithLldpOff) {
  ASSERT_TRUE(database_.Exec("UPDATE switch_property SET LLDPonoff=2"));
  EXPECT_FALSE(CAntiRoguePageModel(net::kSwitch).CanChange());
}

}  // namespace
