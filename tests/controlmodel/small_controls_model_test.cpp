// The rules behind the small controls: the zoom range, the splitter's lock and gaps, the key edit box's
// characters and conversions, the buttons' state colours and derived images, the caption gradient.
#include <gtest/gtest.h>

#include "controlmodel/ButtonColours.h"
#include "controlmodel/CaptionGradient.h"
#include "controlmodel/MacKeyRules.h"
#include "controlmodel/SplitterBars.h"
#include "controlmodel/ZoomPercent.h"

namespace {

TEST(ZoomPercentTest, TakesWholeNumbersFromTenToOneHundredThousand) {
  struct Case { const char* text; std::optional<int> percent; };
  for (const Case& c : {Case{"10", 10}, Case{"100000", 100000}, Case{"9", std::nullopt},
                        Case{"100001", std::nullopt}, Case{" 250 ", 250}, Case{"+50", 50}, Case{"", std::nullopt},
                        Case{"12.5", std::nullopt}, Case{"abc", std::nullopt}, Case{"-100", std::nullopt},
                        Case{"99999999999999999999", std::nullopt}})
    EXPECT_EQ(ParseZoomPercent(c.text), c.percent) << '"' << c.text << '"';
  EXPECT_EQ(ZoomPercentProblem("100"), "");
  EXPECT_EQ(ZoomPercentProblem("9"), "Please enter an integer between 10 and 100000.");
  EXPECT_EQ(ZoomPercentProblem("99999999999999999999"), "Please enter an integer.");  // too long for any integer
  EXPECT_EQ(ZoomPercentProblem("ten"), "Please enter an integer.");
}

TEST(SplitterBarsTest, HideAndRestoreBringBackTheFirstGap) {
  CSplitterBars bars(7);
  EXPECT_TRUE(bars.ResizeAllowed());
  bars.HideBars();
  EXPECT_EQ(bars.GapX(), 1);
  EXPECT_EQ(bars.GapY(), 1);
  bars.HideBars();
  bars.RestoreBars();
  EXPECT_EQ(bars.GapX(), 7);
  EXPECT_EQ(bars.GapY(), 7);
  bars.AllowResize(false);
  EXPECT_FALSE(bars.ResizeAllowed());
}

TEST(MacKeyRulesTest, HexModesTakeHexDigitsUpToTheMode) {
  CMacKeyRules rules;
  EXPECT_EQ(rules.Mode(), 2);
  rules.SetMode(10);
  for (char c : std::string("0123456789abcdefABCDEF")) EXPECT_EQ(rules.Judge(0, c), KeyVerdict::kAccept) << c;
  for (int c : {int{'g'}, int{'G'}, int{' '}, int{':'}, 0xE9}) EXPECT_EQ(rules.Judge(3, c), KeyVerdict::kRefuseNotHex) << c;
  EXPECT_EQ(rules.Judge(10, '1'), KeyVerdict::kRefuse);  // full: refused without a message
  EXPECT_EQ(rules.Judge(10, 'g'), KeyVerdict::kRefuse);
  EXPECT_EQ(rules.Judge(10, 8), KeyVerdict::kAccept);    // backspace always passes
}

TEST(MacKeyRulesTest, TextKeyModesTakeAnyCharacterUpToTheMode) {
  CMacKeyRules rules;
  for (int mode : {5, 13, 16}) {
    rules.SetMode(mode);
    EXPECT_EQ(rules.Judge(mode - 1, 'g'), KeyVerdict::kAccept) << mode;
    EXPECT_EQ(rules.Judge(mode, 'a'), KeyVerdict::kRefuse) << mode;
  }
}

TEST(MacKeyRulesTest, ConvertsBetweenBytesAndHexText) {
  EXPECT_EQ(CMacKeyRules::HexToBytes("0a 1B 2"), std::string("\x0A\x1B", 2));
  EXPECT_EQ(CMacKeyRules::HexToBytes("zz"), std::string(1, '\0'));
  EXPECT_EQ(CMacKeyRules::HexToBytes("00ff"), std::string("\x00\xFF", 2));  // a zero byte stays
  EXPECT_EQ(CMacKeyRules::HexToBytes("a"), "");
  EXPECT_EQ(CMacKeyRules::HexToBytes("3z"), "\x03");
  EXPECT_EQ(CMacKeyRules::BytesToHex(std::string("\x00\xAF", 2)), "00AF");
  const std::string all = [] {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
  }();
  EXPECT_EQ(CMacKeyRules::HexToBytes(CMacKeyRules::BytesToHex(all)), all);
}

TEST(ButtonColoursTest, ShadeStaysInsideTheChannelRange) {
  const Rgb face{212, 208, 200};
  const Rgb text{0, 0, 0};
  struct Case { int shade; Rgb result; };
  for (const Case& c : {Case{100, {255, 65, 65}}, Case{-50, {190, 0, 0}}, Case{0, {200, 10, 10}},
                        Case{255, {255, 65, 65}}, Case{-255, {190, 0, 0}}}) {
    CButtonColours colours(face, text);
    ASSERT_EQ(colours.Set(BTNST_COLOR_BK_IN, {200, 10, 10}), BTNST_OK);
    EXPECT_EQ(colours.Shade(BTNST_COLOR_BK_IN, c.shade), BTNST_OK);
    EXPECT_EQ(colours.At(BTNST_COLOR_BK_IN), c.result) << c.shade;
  }
  CButtonColours colours(face, text);
  EXPECT_EQ(colours.Shade(BTNST_COLOR_BK_IN, 256), BTNST_BADPARAM);
  EXPECT_EQ(colours.Shade(6, 10), BTNST_INVALIDINDEX);
  Rgb out;
  EXPECT_EQ(colours.Get(6, out), BTNST_INVALIDINDEX);
  EXPECT_EQ(colours.Set(-1, text), BTNST_INVALIDINDEX);
  EXPECT_EQ(colours.At(BTNST_COLOR_BK_IN), face);
}

TEST(ButtonColoursTest, ResetPutsFaceBehindAndTextInFront) {
  CButtonColours colours({1, 1, 1}, {2, 2, 2});
  colours.Set(BTNST_COLOR_FG_FOCUS, {9, 9, 9});
  colours.Reset({3, 3, 3}, {4, 4, 4});
  for (int index : {BTNST_COLOR_BK_IN, BTNST_COLOR_BK_OUT, BTNST_COLOR_BK_FOCUS})
    EXPECT_EQ(colours.At(index), (Rgb{3, 3, 3}));
  for (int index : {BTNST_COLOR_FG_IN, BTNST_COLOR_FG_OUT, BTNST_COLOR_FG_FOCUS})
    EXPECT_EQ(colours.At(index), (Rgb{4, 4, 4}));
}

TEST(ButtonImagesTest, GreyByLuminanceAndDarkerByAQuarter) {
  EXPECT_EQ(GreyPixel({255, 0, 0}), (Rgb{76, 76, 76}));
  EXPECT_EQ(GreyPixel({255, 255, 255}), (Rgb{255, 255, 255}));
  EXPECT_EQ(DarkerPixel({200, 100, 4}), (Rgb{150, 75, 3}));
  EXPECT_EQ(DarkerPixel({200, 100, 4}, 1.5), (Rgb{200, 100, 4}));
}

TEST(CaptionGradientTest, RunsFromTheLeftColourTowardsTheRightOne) {
  const Rgb left{0, 100, 200};
  const Rgb right{200, 100, 0};
  EXPECT_EQ(CaptionGradientColumn(left, right, 100, 0), left);
  EXPECT_EQ(CaptionGradientColumn(left, right, 100, 50), (Rgb{100, 100, 100}));
  EXPECT_EQ(CaptionGradientColumn(left, right, 100, 100), right);
  EXPECT_EQ(CaptionGradientColumn(left, right, 0, 5), left);
}

}  // namespace
