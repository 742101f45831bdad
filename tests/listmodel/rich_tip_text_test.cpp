#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listmodel/RichTipText.h"
#include "listmodel/TipLayout.h"

namespace listmodel {
namespace {

TipRun Styled(std::string text, bool bold = false, bool italic = false, bool underline = false) {
  return TipRun{std::move(text), bold, italic, underline, false};
}

TEST(RichTipText, ReadsTheMarkupIntoRuns) {
  struct ParseCase {
    const char* source;
    std::vector<std::vector<TipRun>> paragraphs;
  };
  const ParseCase cases[] = {
      {"{\\b 'Cts mode' previous value is Auto}", {{Styled("'Cts mode' previous value is Auto", true)}}},
      {"{Channel {\\b 6} was {\\i\\ul 11}}", {{Styled("Channel "), Styled("6", true), Styled(" was "), Styled("11", false, true, true)}}},
      {"{\\b on\\b0  off}", {{Styled("on", true), Styled(" off")}}},
      {"{one\\par two\\line three}", {{Styled("one")}, {Styled("two")}, {Styled("three")}}},
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255;}{\\*\\generator x;}\\f0 body}", {{Styled("body")}}},
      {"{a\\\\b\\{c\\}}", {{Styled("a\\b{c}")}}},
      {"{caf\\'e9 \\u8364? Zürich}", {{Styled("café € Zürich")}}},
      {"{line\r\nbreaks in the source are ignored}", {{Styled("linebreaks in the source are ignored")}}},
  };
  for (const ParseCase& c : cases) {
    const RichTipText tip = RichTipText::Load(c.source);
    EXPECT_TRUE(tip.IsRtf()) << c.source;
    ASSERT_EQ(tip.Paragraphs().size(), c.paragraphs.size()) << c.source;
    for (size_t p = 0; p < c.paragraphs.size(); ++p) EXPECT_EQ(tip.Paragraphs()[p].runs, c.paragraphs[p]) << c.source;
  }
}

TEST(RichTipText, ParagraphAlignment) {
  const RichTipText tip = RichTipText::Load("{\\qr right\\par still right\\pard\\par\\qc centred}");
  ASSERT_EQ(tip.Paragraphs().size(), 3u);
  EXPECT_EQ(tip.Paragraphs()[0].alignment, TipAlignment::Right);
  EXPECT_EQ(tip.Paragraphs()[1].alignment, TipAlignment::Left);  // \pard in that paragraph resets it
  EXPECT_EQ(tip.Paragraphs()[2].alignment, TipAlignment::Center);
  EXPECT_TRUE(HasAlignedParagraphs("{\\qc x}"));
  EXPECT_FALSE(HasAlignedParagraphs("{\\ql x}"));
}

TEST(RichTipText, TextThatIsNotRtfShowsAsPlainText) {
  for (const char* text : {"plain value", "{}", "{\\b}", "  no brace {\\b x}", "", "a}b"}) {
    const RichTipText tip = RichTipText::Load(text);
    EXPECT_FALSE(tip.IsRtf()) << text;
    EXPECT_EQ(tip.PlainText(), text);
  }
  const RichTipText lines = RichTipText::Load("one\r\ntwo\n\rthree\nfour");
  EXPECT_EQ(lines.Paragraphs().size(), 4u);
  EXPECT_EQ(lines.PlainText(), "one\ntwo\nthree\nfour");
}

TEST(RichTipText, EscapedTextArrivesLiterally) {
  EXPECT_EQ(EscapeForRtf("a\\b{c}"), "a\\\\b\\{c\\}");
  EXPECT_EQ(EscapeForRtf("x\r\ny\n\rz\nw"), "x{\\par}\r\ny{\\par}\n\rz{\\par}\nw");
  const std::string literal = "C:\\path {braces}\r\nnext line";
  const RichTipText tip = RichTipText::Load("{" + EscapeForRtf(literal) + "}");
  ASSERT_TRUE(tip.IsRtf());
  EXPECT_EQ(tip.PlainText(), "C:\\path {braces}\nnext line");
}

TEST(TipLayout, FindsTheNarrowestWidthOfTheLeastHeight) {
  // A text 230 pixels long on lines of 20 pixels: one line from 230 pixels on.
  const auto wrapped = [](int width) { return width <= 0 ? 1000 : 20 * ((230 + width - 1) / width); };
  // Halving may stop one pixel above the narrowest width; the frame adds 2 pixels each way.
  const TipSize oneLine = NarrowestTipSize(640, wrapped);
  EXPECT_NEAR(oneLine.width, 232, 1);
  EXPECT_EQ(oneLine.height, 22);
  // Two lines whatever the width (a forced break): as narrow as the longer line, 180.
  const auto twoLines = [](int width) { return width >= 180 ? 40 : 60; };
  const TipSize forced = NarrowestTipSize(640, twoLines);
  EXPECT_NEAR(forced.width, 182, 1);
  EXPECT_EQ(forced.height, 42);
  std::vector<int> probes;
  NarrowestTipSize(640, [&](int width) {
    probes.push_back(width);
    return 20;
  });
  EXPECT_EQ(probes.front(), 640);
}

TEST(TipLayout, TipsStayOnTheScreen) {
  const TipRect screen{0, 0, 1280, 1024};
  EXPECT_EQ(PlaceTip(100, 100, {200, 50}, screen), (TipRect{100, 116, 200, 50}));
  EXPECT_EQ(PlaceTip(1200, 100, {200, 50}, screen), (TipRect{1080, 116, 200, 50}));  // moved left
  EXPECT_EQ(PlaceTip(100, 1000, {200, 50}, screen), (TipRect{100, 934, 200, 50}));   // above the cursor
  EXPECT_EQ(PlaceTip(1270, 1020, {2000, 2000}, screen), (TipRect{0, 0, 2000, 2000}));  // never off the top left
  const TipRect second{1280, 0, 1024, 768};  // a screen to the right of the first
  EXPECT_EQ(PlaceTip(2250, 700, {100, 100}, second), (TipRect{2204, 584, 100, 100}));
}

}  // namespace
}  // namespace listmodel
