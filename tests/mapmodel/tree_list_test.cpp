// The forest of device trees built from the flat topology.
#include <gtest/gtest.h>

#include "TopologyRows.h"
#include "mapmodel/TopologyTreeList.h"

namespace {

std::vector<std::string> Children(const DeviceTreeNode* node) {
  std::vector<std::string> macs;
  for (const DeviceTreeNode* child = node->firstChild; child; child = child->nextSibling) macs.push_back(child->mac);
  return macs;
}

std::vector<std::string> LinkTargets(const DeviceTreeNode* node) {
  std::vector<std::string> seen;
  for (const DeviceLinkEntry& link : node->links)
    seen.push_back(link.node->mac + " " + std::to_string(link.localPort) + ">" + std::to_string(link.remotePort));
  return seen;
}

}  // namespace

TEST(TreeList, WithoutLinksEveryDeviceIsItsOwnTree) {
  CTopologyData topology;
  topology.m_Devices = {Device("1"), Device("2"), Device("3"), Device("2")};
  CTopologyTreeList trees;
  ASSERT_EQ(trees.Build(topology), 0);
  ASSERT_EQ(trees.GetRoots().size(), 3u) << "a MAC listed twice makes one tree";
  for (std::size_t i = 0; i < 3; ++i) {
    const DeviceTreeNode* root = trees.GetRoots()[i];
    EXPECT_EQ(root->mac, std::to_string(i + 1));
    EXPECT_EQ(root->level, 1);
    EXPECT_TRUE(root->links.empty());
    EXPECT_EQ(root->firstChild, nullptr);
  }
}

TEST(TreeList, ChildrenHangBreadthFirstInLinkOrder) {
  CTopologyData topology;
  topology.m_Devices = {Device("S", 1), Device("T", 1), Device("A"), Device("B"), Device("C")};
  topology.m_Connections = {Link("S", 1, "T", 24), Link("T", 2, "A", 1), Link("S", 3, "B", 1),
                            Link("T", 4, "C", 1)};
  CTopologyTreeList trees;
  ASSERT_EQ(trees.Build(topology), 0);
  ASSERT_EQ(trees.GetRoots().size(), 1u);
  const DeviceTreeNode* s = trees.GetRoots()[0];
  EXPECT_EQ(Children(s), (std::vector<std::string>{"T", "B"}));
  const DeviceTreeNode* t = trees.FindByMac("T");
  EXPECT_EQ(Children(t), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(t->level, 2);
  EXPECT_EQ(trees.FindByMac("C")->level, 3);
  EXPECT_EQ(LinkTargets(t), (std::vector<std::string>{"S 24>1", "A 2>1", "C 4>1"})) << "the link to the parent too";
  EXPECT_EQ(CTopologyTreeList::GetChainNext(s)->mac, "B") << "the newest child heads the insertion chain";
  EXPECT_EQ(CTopologyTreeList::GetChainNext(trees.FindByMac("B"))->mac, "T");
  EXPECT_EQ(trees.FindByIp("10.0.0.C"), trees.FindByMac("C"));
  EXPECT_EQ(trees.FindByMac("c"), nullptr) << "MACs match case-sensitively";
}

TEST(TreeList, TwoLinksBothWaysMakeOneChildAndFourEntries) {
  CTopologyData topology;
  topology.m_Devices = {Device("A", 1), Device("B", 1)};
  topology.m_Connections = {Link("A", 1, "B", 2), Link("B", 3, "A", 4)};
  CTopologyTreeList trees;
  trees.Build(topology);
  const DeviceTreeNode* a = trees.GetRoots()[0];
  EXPECT_EQ(Children(a), (std::vector<std::string>{"B"}));
  EXPECT_EQ(LinkTargets(a), (std::vector<std::string>{"B 1>2", "B 4>3"}));
  EXPECT_EQ(LinkTargets(trees.FindByMac("B")), (std::vector<std::string>{"A 2>1", "A 3>4"}));
}

TEST(TreeList, DeviceOfTwoParentsHangsBelowTheFirstOnly) {
  CTopologyData topology;
  topology.m_Devices = {Device("R", 1), Device("P", 1), Device("Q", 1), Device("X")};
  topology.m_Connections = {Link("R", 1, "P", 1), Link("R", 2, "Q", 1), Link("Q", 5, "X", 1), Link("P", 5, "X", 2)};
  CTopologyTreeList trees;
  trees.Build(topology);
  EXPECT_EQ(Children(trees.FindByMac("P")), (std::vector<std::string>{"X"})) << "P is expanded before Q";
  EXPECT_TRUE(Children(trees.FindByMac("Q")).empty());
  EXPECT_EQ(LinkTargets(trees.FindByMac("Q")), (std::vector<std::string>{"R 1>2", "X 5>1"}));
}

TEST(TreeList, SelfLinkAndUnknownEndsAndRebuilds) {
  CTopologyData topology;
  topology.m_Devices = {Device("A", 1)};
  topology.m_Connections = {Link("A", 1, "A", 2), Link("A", 3, "ghost", 1)};
  CTopologyTreeList trees;
  trees.Build(topology);
  const DeviceTreeNode* a = trees.GetRoots()[0];
  EXPECT_EQ(LinkTargets(a), (std::vector<std::string>{"A 1>2", "ghost 3>1"}));
  EXPECT_EQ(trees.FindByMac("ghost")->ip, "") << "a device the array does not hold has no IP";

  topology.m_Connections.clear();
  trees.Build(topology);
  EXPECT_EQ(trees.FindByMac("ghost"), nullptr) << "a rebuild starts afresh";
  EXPECT_EQ(trees.GetRoots().size(), 1u);
}
