#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listmodel/SimpleTreeItem.h"

namespace listmodel {
namespace {

class HostRecorder : public SimpleTreeHost {
 public:
  void SetItemText(ItemHandle, const std::string& text) override { texts.push_back(text); }
  void NodeColorsChanged(CSimpleTreeItem&) override { ++colorChanges; }
  void NodeDestroyed(CSimpleTreeItem& node) override { forgotten.push_back(node.GetName()); }

  std::vector<std::string> texts;
  int colorChanges = 0;
  std::vector<std::string> forgotten;
};

TEST(SimpleTreeItem, ChildrenKeepOrderAndRemovalTakesOneOccurrence) {
  CSimpleTreeItem parent("parent"), a("a"), b("b");
  parent.AddChild(&a);
  parent.AddChild(&b);
  parent.AddChild(&a);
  EXPECT_EQ(parent.GetChildCount(), 3);
  EXPECT_EQ(parent.GetChild(1), &b);
  EXPECT_EQ(parent.GetChild(3), nullptr);
  EXPECT_EQ(a.GetParent(), &parent);
  parent.RemoveChild(&a);
  EXPECT_EQ(parent.GetChildCount(), 2);
  EXPECT_EQ(parent.GetChild(0), &b);
  EXPECT_EQ(a.GetParent(), nullptr);
  CSimpleTreeItem stranger("stranger");
  parent.RemoveChild(&stranger);  // not a child: nothing happens
  EXPECT_EQ(parent.GetChildCount(), 2);
  parent.RemoveChild(&a);
  parent.RemoveChild(&b);
}

TEST(SimpleTreeItem, NameAndColoursReachTheTreeOnlyOnceInserted) {
  HostRecorder host;
  CSimpleTreeItem node("old");
  node.SetName("renamed");
  node.SetColor(MakeRgb(255, 0, 0));
  EXPECT_EQ(node.GetName(), "renamed");
  EXPECT_TRUE(host.texts.empty());
  EXPECT_EQ(node.GetColor(), MakeRgb(255, 0, 0));
  EXPECT_EQ(node.GetTextColor(), MakeRgb(0, 0, 0));

  int item = 0;
  node.AttachToTree(&host, &item);
  node.SetName("shown");
  node.SetTextColor(MakeRgb(0, 0, 255));
  EXPECT_EQ(host.texts, std::vector<std::string>{"shown"});
  EXPECT_EQ(host.colorChanges, 1);
  node.AttachToTree(nullptr, nullptr);
}

TEST(SimpleTreeItem, ADeletedNodeLeavesNoPointerBehind) {
  HostRecorder host;
  auto* parent = new CSimpleTreeItem("parent");
  auto* child = new CSimpleTreeItem("child");
  auto* grandchild = new CSimpleTreeItem("grandchild");
  parent->AddChild(child);
  child->AddChild(grandchild);
  int item = 0;
  child->AttachToTree(&host, &item);

  delete child;  // leaves its parent's list and tells the tree
  EXPECT_EQ(parent->GetChildCount(), 0);
  EXPECT_EQ(grandchild->GetParent(), nullptr);
  EXPECT_EQ(host.forgotten, std::vector<std::string>{"child"});
  delete grandchild;
  delete parent;
}

}  // namespace
}  // namespace listmodel
