// Page captions as tree paths, the page tree built from them, and moving through it with Ctrl+Tab.
#include <gtest/gtest.h>

#include "controlmodel/PageTree.h"
#include "controlmodel/PropertyPath.h"

namespace {

std::vector<std::string> Split(std::string path) {
  std::vector<std::string> items;
  while (!path.empty()) items.push_back(TakeFirstPathItem(path));
  return items;
}

TEST(PropertyPathTest, SplitsAtUnescapedSeparators) {
  struct Case { const char* path; std::vector<std::string> items; };
  const Case cases[] = {
      {"X::Y::Z", {"X", "Y", "Z"}},
      {"A\\::B::C", {"A::B", "C"}},
      {"A::B\\::C", {"A", "B\\::C"}},  // the last item keeps its escape
      {"A\\\\::B", {"A\\", "B"}},
      {"A\\\\\\::B::C", {"A\\::B", "C"}},  // three backslashes: the separator is escaped
      {"General", {"General"}},
      {"::A", {"", "A"}},              // a leading separator gives an empty item and still moves on
      {"A::::B", {"A", "", "B"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Split(c.path), c.items) << c.path;
}

TEST(PropertyPathTest, EmptyPageTextTakesTheNodeText) {
  EXPECT_EQ(FormatNoPageMessage("Please select a child item of '%s'.", "Network"),
            "Please select a child item of 'Network'.");
  EXPECT_EQ(FormatNoPageMessage("100%% of '%s' %s %d", "a%sb"), "100% of 'a%sb' %s %d");
  EXPECT_EQ(FormatNoPageMessage("", "x"), "");
}

class PageTreeTest : public ::testing::Test {
 protected:
  int Named(int parent, const std::string& text) const {
    for (int node : tree.ChildrenOf(parent))
      if (tree.Node(node).text == text) return node;
    return -2;
  }
  CPageTree tree;
};

TEST_F(PageTreeTest, NestedCaptionsMakeParentsWithoutPagesAndParentImages) {
  CPageTree::Images images{{-1, 7}, 4, true};  // two tab images, then the parent and page defaults
  tree.Rebuild({"X::Y::Z", "X::W"}, &images);
  ASSERT_EQ(tree.Roots().size(), 1u);
  const int x = Named(CPageTree::kRoot, "X");
  const int y = Named(x, "Y");
  const int z = Named(y, "Z");
  const int w = Named(x, "W");
  EXPECT_EQ(tree.Node(x).page, -1);
  EXPECT_EQ(tree.Node(y).page, -1);
  EXPECT_EQ(tree.Node(z).page, 0);
  EXPECT_EQ(tree.Node(w).page, 1);
  EXPECT_EQ(tree.Node(x).image, 2);
  EXPECT_EQ(tree.Node(y).image, 2);
  EXPECT_EQ(tree.Node(z).image, 3);  // no tab image: the page default
  EXPECT_EQ(tree.Node(w).image, 3);  // tab image 7 lies outside the list
  EXPECT_EQ(tree.FindPageNode(1), w);
  EXPECT_EQ(tree.FindPageNode(2), -1);
  EXPECT_EQ(tree.FindPageNode(-1), -1);
}

TEST_F(PageTreeTest, WithoutDefaultImagesNodesHaveNone) {
  CPageTree::Images images{{-1, -1}, 0, false};
  tree.Rebuild({"X::Y", "Z"}, &images);
  for (int node = 0; node < tree.NodeCount(); ++node) EXPECT_EQ(tree.Node(node).image, -1);
}

TEST_F(PageTreeTest, ACaptionEqualToAParentPathBindsThatNodeAndTwinsShareOne) {
  tree.Rebuild({"A::B", "A", "C", "C"}, nullptr);
  EXPECT_EQ(tree.Node(Named(CPageTree::kRoot, "A")).page, 1);
  EXPECT_EQ(tree.Node(Named(CPageTree::kRoot, "C")).page, 3);
  EXPECT_EQ(tree.FindPageNode(2), -1);
  EXPECT_EQ(tree.NodeCount(), 3);
}

TEST_F(PageTreeTest, NextAndPreviousWalkDepthFirstAndWrapRound) {
  tree.Rebuild({"A::B::C", "A::D", "E"}, nullptr);
  const int a = Named(CPageTree::kRoot, "A");
  const int b = Named(a, "B");
  const int c = Named(b, "C");
  const int d = Named(a, "D");
  const int e = Named(CPageTree::kRoot, "E");
  const std::vector<int> order{a, b, c, d, e};
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(tree.NextNode(order[i]), order[(i + 1) % order.size()]) << i;
    EXPECT_EQ(tree.PreviousNode(order[(i + 1) % order.size()]), order[i]) << i;
  }
  tree.Rebuild({"A::B::C"}, nullptr);
  EXPECT_EQ(tree.PreviousNode(Named(CPageTree::kRoot, "A")), tree.FindPageNode(0));  // the deepest last node
}

}  // namespace
