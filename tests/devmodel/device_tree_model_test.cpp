// The device tree's lines: the reference network's port texts, a second cable between two switches and
// a cable between two ports of one switch with the spanning-tree state read for them, read through a
// scripted reader and through the simulated switch.
#include <gtest/gtest.h>

#include <map>

#include "DevViewsFixture.h"
#include "devmodel/DeviceTreeModel.h"
#include "devmodel/PortStateReader.h"
#include "support/DevSimProcess.h"

namespace {

// Port states by "ip port"; a device missing from the map does not answer.
class ScriptedPortStates : public IPortStateReader {
 public:
  bool ReadPortStates(const std::string& ip, const std::string& community, const std::vector<int>& ports,
                      std::vector<int>& states) override {
    communities.push_back(community);
    std::vector<int> read;
    for (int port : ports) {
      auto found = states_.find(ip + " " + std::to_string(port));
      if (found == states_.end()) return false;
      read.push_back(found->second);
    }
    states = read;
    return true;
  }
  void Set(const std::string& ip, int port, int state) { states_[ip + " " + std::to_string(port)] = state; }
  std::vector<std::string> communities;

 private:
  std::map<std::string, int> states_;
};

CDeviceRecord Device(const std::string& name, const std::string& ip, const std::string& mac, int kind) {
  CDeviceRecord device;
  device.name = name;
  device.ip = ip;
  device.mac = mac;
  device.kind = kind;
  return device;
}

CConnectionRecord Link(const std::string& src, int srcPort, const std::string& dest, int destPort) {
  CConnectionRecord link;
  link.srcMac = src;
  link.srcPort = srcPort;
  link.destMac = dest;
  link.destPort = destPort;
  return link;
}

std::vector<std::string> Texts(const std::vector<std::unique_ptr<DeviceTreeLine>>& lines) {
  std::vector<std::string> texts;
  for (const auto& line : lines) texts.push_back(line->text);
  return texts;
}

const std::string kS2 = "02:44:71:00:00:02";

class DeviceTreeModelTest : public DevViewsFixture {
 protected:
  ScriptedPortStates states_;
  CDeviceTreeModel model_{states_};
};

TEST_F(DeviceTreeModelTest, TheReferenceNetworkHangsEveryDeviceOnItsSwitchPort) {
  ASSERT_TRUE(model_.Rebuild());
  ASSERT_EQ(model_.Roots().size(), 1u);
  const DeviceTreeLine& root = *model_.Roots().front();
  EXPECT_EQ(root.text, " lab-switch : (02:44:71:00:00:01) : 127.0.0.10");
  EXPECT_EQ(root.image, kTreeSwitch);
  EXPECT_EQ(Texts(root.children),
            (std::vector<std::string>{"(01,01)  AP_1 : (02:44:71:00:01:01) : 127.0.0.11",
                                      "(02,01)  AP_2 : (02:44:71:00:01:02) : 127.0.0.12",
                                      "(03,01)  AP_3 : (02:44:71:00:01:03) : 127.0.0.13",
                                      "(04,01)  UNKNOWN_1 : (02:90:00:00:04:01) : 127.0.0.14"}));
  EXPECT_EQ(root.children[2]->image, kTreeApNew) << "A3 is found, not managed";
  EXPECT_EQ(root.children[2]->shade, RowShade::NewDevice);
  EXPECT_EQ(root.children[3]->image, kTreeOtherDevice);
  EXPECT_EQ(model_.FindByMac(net::kAp2), root.children[1].get());
  EXPECT_TRUE(states_.communities.empty()) << "no second path, nothing read";

  SetManaged(net::kAp1, 6);  // changed: red in the tree
  ASSERT_TRUE(model_.Rebuild());
  EXPECT_EQ(model_.Roots().front()->children[0]->shade, RowShade::Changed);
}

TEST_F(DeviceTreeModelTest, ADeviceWithoutLinksUnderAPortShowsPortZero) {
  CTopologyData topology;
  topology.SetDevices({Device("S", "127.0.0.10", net::kSwitch, 1), Device("A", "127.0.0.11", net::kAp1, 2)});
  topology.SetConnections({Link(net::kSwitch, 5, net::kAp1, 1)});
  ASSERT_TRUE(model_.Build(topology));
  ASSERT_EQ(model_.Roots().front()->children.size(), 1u);
  EXPECT_EQ(model_.Roots().front()->children[0]->text.substr(0, 8), "(05,01) ");
}

class TwoSwitches : public DeviceTreeModelTest {
 protected:
  // S1 and S2 joined twice: S1 port 5 to S2 port 1, S1 port 6 to S2 port 2.
  bool BuildTwoPaths() {
    CTopologyData topology;
    topology.SetDevices({Device("S1", "127.0.0.10", net::kSwitch, 1), Device("S2", "127.0.0.20", kS2, 1)});
    topology.SetConnections({Link(net::kSwitch, 5, kS2, 1), Link(net::kSwitch, 6, kS2, 2)});
    return model_.Build(topology);
  }
  std::string ExtraLine() {
    const auto& children = model_.Roots().front()->children;
    EXPECT_EQ(children.size(), 2u);
    EXPECT_FALSE(children[0]->redundantLink);
    EXPECT_TRUE(children[1]->redundantLink);
    return children[1]->text;
  }
};

TEST_F(TwoSwitches, TheSecondCableIsAnExtraLineWithItsState) {
  const std::string prefix = "(06,02)  S2 : (02:44:71:00:00:02) : 127.0.0.20 ";
  ASSERT_TRUE(BuildTwoPaths());
  EXPECT_EQ(model_.Roots().size(), 1u);
  EXPECT_EQ(ExtraLine(), prefix + "[lnk]") << "nothing answers";

  states_.Set("127.0.0.10", 6, 2);
  states_.Set("127.0.0.10", 5, 5);
  ASSERT_TRUE(BuildTwoPaths());
  EXPECT_EQ(ExtraLine(), prefix + "[Blocking]");

  // S1 forwards on both: S2's ports decide.
  states_.Set("127.0.0.10", 6, 5);
  states_.Set("127.0.0.20", 2, 5);
  states_.Set("127.0.0.20", 1, 5);
  ASSERT_TRUE(BuildTwoPaths());
  EXPECT_EQ(ExtraLine(), prefix + "[Forwarding]");
  states_.Set("127.0.0.20", 1, 2);
  ASSERT_TRUE(BuildTwoPaths());
  EXPECT_EQ(ExtraLine(), prefix + "[Blocking]");
}

TEST_F(DeviceTreeModelTest, ACableBetweenTwoPortsOfOneSwitchIsReadOnTheSimulatedSwitch) {
  testing_support::DevSimProcess devsim;
  Run("INSERT INTO device_map_polling (src_mac, dest_mac, src_port, dest_port) VALUES (?, ?, 7, 8)",
      {net::kSwitch, net::kSwitch});
  CSnmpPortStateReader snmp;
  CDeviceTreeModel model(snmp);
  auto extraLines = [&] {
    std::vector<std::string> lines;
    EXPECT_TRUE(model.Rebuild());
    for (const auto& line : model.Roots().front()->children)
      if (line->redundantLink) lines.push_back(line->text);
    return lines;
  };
  const std::string prefix = " lab-switch : (02:44:71:00:00:01) : 127.0.0.10 ";
  auto lines = extraLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0] == "(08,07) " + prefix + "[Forwarding]" || lines[0] == "(07,08) " + prefix + "[Forwarding]")
      << lines[0];
  devsim.Set(testing_support::DevSimReference::kSwitch, "1.3.6.1.2.1.17.2.15.1.3.7|2|2");
  devsim.Set(testing_support::DevSimReference::kSwitch, "1.3.6.1.2.1.17.2.15.1.3.8|2|2");
  lines = extraLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("[Blocking]"), std::string::npos) << lines[0];
}

}  // namespace
