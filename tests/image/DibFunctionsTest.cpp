#include <gtest/gtest.h>

#include "ImageFixture.h"
#include "image/DibConvert.h"
#include "image/DibFilters.h"
#include "image/DibGeometry.h"
#include "image/DibPalette.h"
#include "image/DibSection.h"

namespace {

using image_test::BmpLayout;
using image_test::BuildDib;
using image_test::Bytes;

const Palette kGreys = {{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}};

// The colours of a DIB as the screen shows them, top row first.
Bytes Colors(DibView dib) {
  const auto section = DibToDibSection(dib);
  return section ? section->ToRgb().pixels : Bytes{};
}

// A DIB of the depth whose pixel bytes are a pattern and whose colour table, if any, has distinct colours.
Dib Patterned(std::int32_t width, std::int32_t height, std::uint16_t depth) {
  Palette ramp(256);
  for (int i = 0; i < 256; ++i)
    ramp[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)};
  Dib dib = *ConvertDib(*NewDib(width, height, 24), width, height, depth, false, &ramp);
  for (std::size_t i = DibBitsOffset(dib); i < dib.size(); ++i) dib[i] = static_cast<std::uint8_t>(i * 37);
  return dib;
}

TEST(DibHeaderTest, ArithmeticFollowsTheHeader) {
  struct Case {
    const char* name;
    BmpLayout layout;
    std::uint16_t colors;
    std::size_t rowBytes;
  } cases[] = {
      {"8 bits, colours used 0", {.bits = 8}, 256, 4},
      {"8 bits, colours used 20", {.bits = 8, .colorsUsed = 20}, 20, 4},
      {"24 bits", {.width = 5, .bits = 24}, 0, 16},
      {"1 bit, 33 wide", {.width = 33, .bits = 1}, 2, 8},
      {"4 bits", {.width = 9, .bits = 4}, 16, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Dib dib = BuildDib(c.layout);
    EXPECT_EQ(DibColorCount(dib), c.colors);
    EXPECT_EQ(DibColorTableBytes(dib), 4u * c.colors);
    EXPECT_EQ(DibRowBytes(dib), c.rowBytes);
    EXPECT_EQ(DibTotalBytes(DibView(dib)), 40 + 4u * c.colors + c.rowBytes * c.layout.height);
  }
  // A 12-byte core header: 16-bit sizes and 3-byte colour entries.
  const Dib core = {12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 8, 0};
  EXPECT_EQ(DibWidth(core), 3);
  EXPECT_EQ(DibHeight(core), 2);
  EXPECT_EQ(DibColorTableBytes(core), 768u);
  // The mutable form writes a zero image size back.
  Dib dib = BuildDib({.width = 3, .height = 2});
  EXPECT_EQ(DibTotalBytes(dib), 40u + 24);
  EXPECT_EQ(dib::Read32(dib, dib::kSizeImage), 24u);
}

TEST(DibHeaderTest, NewDibNormalisesTheDepthAndRefusesBadSizes) {
  const std::pair<int, int> depths[] = {{0, 1}, {1, 1}, {2, 4}, {4, 4}, {5, 8}, {8, 8}, {16, 24}, {24, 24}, {32, 32}};
  for (const auto& [asked, made] : depths) {
    const DibHandle dib = NewDib(3, 2, static_cast<std::uint16_t>(asked));
    ASSERT_TRUE(dib) << asked;
    EXPECT_EQ(DibBitCount(*dib), made) << asked;
    EXPECT_EQ(dib->size(), DibTotalBytes(DibView(*dib))) << asked;
    EXPECT_TRUE(dib::PixelsFit(*dib)) << asked;
  }
  EXPECT_FALSE(NewDib(0, 2, 8));
  EXPECT_FALSE(NewDib(2, -2, 8));
  EXPECT_FALSE(NewDib(40000, 40000, 8));
  const DibHandle screen = NewScreenDib(2, 2);
  ASSERT_TRUE(screen);
  EXPECT_EQ(Colors(*screen), Bytes(12, 0xFF));
}

TEST(DibGeometryTest, QuarterTurnsMoveEveryPixelOfEveryDepth) {
  // 2 × 1 [A B] at 8 bits gives 1 × 2 with B on top.
  const DibHandle turned =
      RotateDibQuarter(BuildDib({.width = 2, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{1, 2}}}));
  ASSERT_TRUE(turned);
  EXPECT_EQ(DibWidth(*turned), 1);
  EXPECT_EQ(DibHeight(*turned), 2);
  EXPECT_EQ(Colors(*turned), (Bytes{170, 170, 170, 85, 85, 85}));
  // 1 bit, 9 × 1 gives 1 × 9 rows of 4 bytes.
  const DibHandle bits = RotateDibQuarter(
      BuildDib({.width = 9, .bits = 1, .colors = {{0, 0, 0}, {255, 255, 255}}, .rows = {{0x80, 0x80}}}));
  ASSERT_TRUE(bits);
  EXPECT_EQ(DibHeight(*bits), 9);
  EXPECT_EQ(DibRowBytes(*bits), 4u);
  EXPECT_EQ((*bits)[DibBitsOffset(*bits)], 0x80);          // the first pixel is the bottom row
  EXPECT_EQ((*bits)[DibBitsOffset(*bits) + 4 * 8], 0x80);  // the ninth the top row
  // Four turns give back every depth unchanged, 16 and 32 bits included.
  for (std::uint16_t depth : {1, 4, 8, 16, 24, 32}) {
    SCOPED_TRACE(depth);
    Dib dib = Patterned(5, 3, depth);
    DibHandle round = dib;
    for (int turn = 0; turn < 4; ++turn) round = RotateDibQuarter(*round);
    ASSERT_TRUE(round);
    EXPECT_EQ(Colors(*round), Colors(dib));
    const DibHandle once = RotateDibQuarter(dib);
    EXPECT_NE(Colors(*once), Bytes(Colors(*once).size(), 0));
  }
}

TEST(DibGeometryTest, MirrorFlipResizeAndFreeRotation) {
  const Dib dib =
      BuildDib({.width = 2, .height = 2, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{0, 1}, {2, 3}}});
  EXPECT_EQ(Colors(*MirrorDib(dib)),
            Colors(BuildDib(
                {.width = 2, .height = 2, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{1, 0}, {3, 2}}})));
  EXPECT_EQ(Colors(*FlipDib(dib)),
            Colors(BuildDib(
                {.width = 2, .height = 2, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{2, 3}, {0, 1}}})));
  const DibHandle big = ResizeDib(dib, 4, 6);
  ASSERT_TRUE(big);
  EXPECT_EQ(DibBitCount(*big), 8);
  EXPECT_EQ(dib::ColorTable(*big), kGreys);
  EXPECT_EQ(DibWidth(*big), 4);
  EXPECT_EQ(DibHeight(*big), 6);
  EXPECT_EQ(Colors(*ResizeDib(*big, 2, 2)), Colors(dib));
  EXPECT_FALSE(ResizeDib(dib, 0, 2));

  const DibHandle same = RotateDib(dib, 0, Rgb(255, 255, 255));
  ASSERT_TRUE(same);
  EXPECT_EQ(Colors(*same), Colors(dib));
  const DibHandle diagonal = RotateDib(*NewDib(10, 10, 24), 45, Rgb(255, 0, 0));
  ASSERT_TRUE(diagonal);
  EXPECT_GT(DibWidth(*diagonal), 10);
  // The corner outside the turned square takes the background.
  const Bytes turned = Colors(*diagonal);
  EXPECT_EQ(Bytes(turned.begin(), turned.begin() + 3), (Bytes{255, 0, 0}));
  Dib topDown = dib;
  dib::Write32(topDown, dib::kHeight, static_cast<std::uint32_t>(-2));
  EXPECT_FALSE(RotateDib(topDown, 10, 0));
  EXPECT_FALSE(RotateDibQuarter(topDown));
}

TEST(DibConvertTest, DepthConversionKeepsColoursWithinTheTargetTable) {
  const Dib grey8 =
      BuildDib({.width = 2, .height = 2, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{0, 1}, {2, 3}}});
  const DibHandle rgb = ConvertDib(grey8, 24, nullptr);
  ASSERT_TRUE(rgb);
  EXPECT_EQ(Colors(*rgb), Colors(grey8));
  // Back to 8 bits without a palette: an octree palette of the picture's own four colours.
  const DibHandle back = ConvertDib(*rgb, 8, nullptr);
  ASSERT_TRUE(back);
  EXPECT_EQ(Colors(*back), Colors(grey8));
  // 1 bit always has black and white, whatever palette is given.
  const Palette red = {{255, 0, 0}, {0, 0, 255}};
  const DibHandle mono = ConvertDib(*rgb, 1, &red);
  ASSERT_TRUE(mono);
  EXPECT_EQ(dib::ColorTable(*mono), (Palette{{0, 0, 0}, {255, 255, 255}}));
  EXPECT_EQ(Colors(*mono), (Bytes{255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0}));
  const DibHandle sixteen = ConvertDib(*rgb, 16, nullptr);
  ASSERT_TRUE(sixteen);
  EXPECT_EQ(DibBitCount(*sixteen), 16);
  // Sized without stretching crops; with stretching scales.
  const DibHandle cropped = ConvertDib(*rgb, 1, 1, 24, false, nullptr);
  EXPECT_EQ(Colors(*cropped), (Bytes{170, 170, 170}));
  const DibHandle stretched = ConvertDib(*rgb, 4, 4, 24, true, nullptr);
  EXPECT_EQ(Colors(*stretched).size(), 48u);
  EXPECT_FALSE(ConvertDib(*rgb, 7, nullptr));

  EXPECT_EQ(NaturalDibDepth(2), 4);
  EXPECT_EQ(NaturalDibDepth(16), 24);
  EXPECT_EQ(NaturalDibDepth(32), 24);
  const RgbImage picture{2, 1, {1, 2, 3, 4, 5, 6}};
  const DibHandle fromPicture = DibFromDdb(picture, nullptr);
  ASSERT_TRUE(fromPicture);
  EXPECT_EQ(DibBitCount(*fromPicture), 24);
  EXPECT_EQ(DdbFromDib(*fromPicture, nullptr)->pixels, picture.pixels);
  EXPECT_EQ(DibBitCount(*DibFromDdb(picture, nullptr, 8)), 8);
  EXPECT_FALSE(DibFromDdbInFormat(picture, 8, dib::kRle8, nullptr));
  EXPECT_EQ(Colors(*ChangeDibFormatViaDdb(grey8, 24, dib::kRgb)), Colors(grey8));
}

TEST(DibPaletteTest, PalettesOfTablesAndScreens) {
  EXPECT_EQ(PaletteFromDib(BuildDib({.bits = 8, .colorsUsed = 4, .colors = kGreys})), kGreys);
  EXPECT_FALSE(PaletteFromDib(BuildDib({.bits = 24})));
  EXPECT_EQ(DeviceColorCount(8), 256u);
  EXPECT_EQ(DeviceColorCount(16), 65536u);
  EXPECT_EQ(DeviceColorCount(24), 16777216u);
  EXPECT_EQ(DeviceColorCount(32), 1u);
  EXPECT_FALSE(CreateSystemPalette());
  EXPECT_EQ(CreateSystemPalette(32)->size(), 1u);
  EXPECT_EQ(CreateSystemPalette(8)->size(), 256u);
  EXPECT_EQ(HalftonePalette().size(), 256u);
  EXPECT_EQ(NearestPaletteIndex(kGreys, {160, 180, 170}), 2u);
  EXPECT_FALSE(DuplicatePalette({}));
}

TEST(DibFiltersTest, StepColorTowardsStopsAtItsTargetsAndTheByteRange) {
  struct Case {
    int step;
    std::uint8_t from, target, expected;
  } cases[] = {{10, 250, 255, 255}, {-10, 5, 0, 0},      {10, 10, 15, 15},
               {-10, 10, 255, 255}, {10, 250, 100, 100}, {0, 7, 7, 7}};
  for (const Case& c : cases) {
    std::uint8_t red = c.from, green = c.from, blue = c.from;
    EXPECT_TRUE(StepColorTowards(c.step, c.step, c.step, c.target, c.target, c.target, &red, &green, &blue))
        << int(c.from) << " by " << c.step;
    EXPECT_EQ(red, c.expected);
  }
  std::uint8_t red = 0, green = 0, blue = 0;
  EXPECT_FALSE(StepColorTowards(10, 10, 1, 10, 10, 10, &red, &green, &blue));
  EXPECT_EQ(blue, 1);
}

TEST(DibFiltersTest, FiltersWorkOnTrueColourAndReturnTheSourceDepth) {
  const Dib rgb = BuildDib({.width = 2, .height = 2, .rows = {{10, 20, 30, 200, 100, 0}, {0, 0, 0, 255, 255, 255}}});
  const Bytes colors = Colors(rgb);
  Bytes negated = colors;
  for (std::uint8_t& value : negated) value = 255 - value;
  EXPECT_EQ(Colors(*NegateDib(rgb)), negated);
  Bytes solarized = colors;
  for (std::uint8_t& value : solarized) value = value < 100 ? 255 - value : value;
  EXPECT_EQ(Colors(*SolarizeDib(rgb, 100)), solarized);
  // Emboss: the bottom-left pixel has no neighbour; the top-right one takes the difference to it.
  const Bytes embossed = Colors(*EmbossDib(rgb, 128));
  EXPECT_EQ(Bytes(embossed.begin() + 6, embossed.begin() + 9), (Bytes{158, 148, 138}));
  EXPECT_EQ(Bytes(embossed.begin() + 3, embossed.begin() + 6), (Bytes{255, 255, 255}));
  EXPECT_EQ(Colors(*SpreadDib(rgb, 1)), colors);
  EXPECT_FALSE(SpreadDib(rgb, 0));

  const Dib grey8 = BuildDib({.width = 2, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{0, 3}}});
  const DibHandle negated8 = NegateDib(grey8);
  ASSERT_TRUE(negated8);
  EXPECT_EQ(DibBitCount(*negated8), 8);
  EXPECT_EQ(Colors(*negated8), (Bytes{255, 255, 255, 0, 0, 0}));

  struct GrayCase {
    int method;
    std::uint8_t grey;
  } grays[] = {{kGrayAverage, 20}, {kGrayBrightest, 30}, {kGrayWeighted, 18}, {7, 0}};
  for (const GrayCase& c : grays) {
    Dib dib = BuildDib({.bits = 8, .colorsUsed = 1, .colors = {{10, 20, 30}}, .rows = {{0}}});
    const std::optional<Palette> palette = GrayDib(dib, c.method, 0.3, 0.59, 0.11);
    ASSERT_TRUE(palette);
    const PaletteEntry expected = c.method == 7 ? PaletteEntry{10, 20, 30} : PaletteEntry{c.grey, c.grey, c.grey};
    EXPECT_EQ((*palette)[0], expected);
  }
  Dib trueColor = rgb;
  ASSERT_TRUE(GrayDib(trueColor, kGrayAverage, 0, 0, 0));
  EXPECT_EQ(DibBitCount(trueColor), 8);
  EXPECT_EQ(Colors(trueColor)[0], Colors(trueColor)[1]);
}

}  // namespace
