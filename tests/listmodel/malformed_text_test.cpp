#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "listmodel/CellSortKey.h"
#include "listmodel/RichTipText.h"

namespace listmodel {
namespace {

// Texts from devices and users reach the sort and the tips as they are: random strings built from the
// characters that steer the readers must neither crash them nor make the order contradict itself.
std::vector<std::string> RandomTexts(int count) {
  const std::string alphabet = "0123456789abcdefxX+-.%eE :/\\{}'\r\n\t\xC3\xA4\xFF";
  std::mt19937 random(20261211);
  std::uniform_int_distribution<size_t> length(0, 24), pick(0, alphabet.size() - 1);
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    std::string text(length(random), ' ');
    for (char& c : text) c = alphabet[pick(random)];
    texts.push_back(text);
  }
  return texts;
}

TEST(MalformedText, SortOrderStaysConsistent) {
  const std::vector<std::string> texts = RandomTexts(300);
  for (const std::string& a : texts) {
    EXPECT_EQ(CompareCellTexts(a, a), 0);
    for (const std::string& b : texts) ASSERT_EQ(CompareCellTexts(a, b), -CompareCellTexts(b, a)) << a << " / " << b;
  }
}

TEST(MalformedText, TipReaderAcceptsAnything) {
  for (const std::string& text : RandomTexts(3000)) {
    // Read as markup, however broken: never more text than went in (plus one line break per paragraph).
    const RichTipText markup = RichTipText::Load("{" + text);
    EXPECT_LE(markup.PlainText().size(), 2 * text.size() + 1) << text;
    // Escaped, it arrives literally.
    const RichTipText literal = RichTipText::Load("{" + EscapeForRtf(text) + "}");
    if (!text.empty() && text.find_first_of("\r\n") == std::string::npos) {
      EXPECT_EQ(literal.PlainText(), text) << text;
    }
  }
}

}  // namespace
}  // namespace listmodel
