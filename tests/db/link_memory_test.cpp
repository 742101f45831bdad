// How the links of a pass are folded into the memory of links.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/LinkMemory.h"

namespace {

// "S 3>D 1": switch S port 3 to device D port 1.
LinkRow Link(const std::string& text) {
  const auto space1 = text.find(' '), arrow = text.find('>'), space2 = text.rfind(' ');
  return {text.substr(0, space1), text.substr(arrow + 1, space2 - arrow - 1),
          text.substr(space1 + 1, arrow - space1 - 1), text.substr(space2 + 1)};
}

std::vector<LinkRow> Links(const std::vector<std::string>& texts) {
  std::vector<LinkRow> links;
  for (const std::string& text : texts) links.push_back(Link(text));
  return links;
}

TEST(LinkMemory, EachCurrentLinkIsJudgedByTheFirstRememberedLinkSharingAnEnd) {
  struct Case {
    const char* what;
    std::vector<std::string> remembered, current, after;
    bool changed;
  } cases[] = {
      {"the same links", {"S 3>D 1", "S 4>E 1"}, {"S 4>E 1", "S 3>D 1"}, {"S 3>D 1", "S 4>E 1"}, false},
      {"another device on the same switch port replaces the link and goes last",
       {"S 3>D1 1", "S 4>E 1"},
       {"S 3>D2 1"},
       {"S 4>E 1", "S 3>D2 1"},
       true},
      {"the device moved to another port", {"S 3>D 1"}, {"S 5>D 1"}, {"S 5>D 1"}, true},
      {"the same link seen from the device's side", {"S 3>D 1"}, {"D 1>S 3"}, {"S 3>D 1"}, false},
      {"a link onward from the device replaces it", {"S 3>D 1"}, {"D 1>X 7"}, {"D 1>X 7"}, true},
      {"back to the switch on another port is the same link", {"S 3>D 1"}, {"D 1>S 5"}, {"S 3>D 1"}, false},
      {"an unrelated link is appended, absent ones stay", {"S 3>D 1"}, {"T 2>E 1"}, {"S 3>D 1", "T 2>E 1"}, true},
      {"links appended by this fold are scanned too", {}, {"S 3>D 1", "S 3>D 1", "S 3>E 1"}, {"S 3>E 1"}, true},
      {"texts compare exactly", {"s 3>D 1"}, {"S 3>D 1"}, {"S 3>D 1"}, true},
      {"nothing current", {"S 3>D 1"}, {}, {"S 3>D 1"}, false},
  };
  for (const Case& c : cases) {
    std::vector<LinkRow> remembered = Links(c.remembered);
    EXPECT_EQ(FoldLinks(remembered, Links(c.current)), c.changed) << c.what;
    EXPECT_EQ(remembered, Links(c.after)) << c.what;
  }
}

}  // namespace
