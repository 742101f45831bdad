#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "ImageFixture.h"
#include "image/DibConvert.h"
#include "image/OctreePalette.h"

namespace {

// A one-row true-colour DIB with the given colours.
Dib RowOf(const std::vector<PaletteEntry>& colours) {
  Dib dib = *NewDib(static_cast<std::int32_t>(colours.size()), 1, 24);
  for (std::size_t x = 0; x < colours.size(); ++x)
    dib::SetPixel(DibBits(dib), static_cast<std::int64_t>(x), 24,
                  Rgb(colours[x].blue, colours[x].green, colours[x].red));
  return dib;
}

std::set<std::tuple<int, int, int>> AsSet(const Palette& palette) {
  std::set<std::tuple<int, int, int>> colours;
  for (const PaletteEntry& entry : palette) colours.insert({entry.red, entry.green, entry.blue});
  return colours;
}

TEST(OctreePaletteTest, PaletteHoldsAtMostTheMaximumAndExactlyTheFewColoursThereAre) {
  std::vector<PaletteEntry> many;
  for (int i = 0; i < 300; ++i)
    many.push_back(
        {static_cast<std::uint8_t>(i % 256), static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i / 3)});
  const std::optional<Palette> reduced = BuildOctreePaletteFromDib(RowOf(many), 236, 8);
  ASSERT_TRUE(reduced);
  EXPECT_LE(reduced->size(), 236u);
  EXPECT_GT(reduced->size(), 100u);

  std::vector<PaletteEntry> ten;
  for (int i = 0; i < 10; ++i)
    ten.push_back({static_cast<std::uint8_t>(i * 25), static_cast<std::uint8_t>(255 - i * 20), 77});
  std::vector<PaletteEntry> repeated = ten;
  repeated.insert(repeated.end(), ten.begin(), ten.end());
  const std::optional<Palette> exact = BuildOctreePaletteFromDib(RowOf(repeated), 236, 8);
  ASSERT_TRUE(exact);
  EXPECT_EQ(exact->size(), 10u);
  EXPECT_EQ(AsSet(*exact), AsSet(ten));

  // Two colours asked of ten: each entry is the mean of the colours it stands for.
  const std::optional<Palette> two = BuildOctreePaletteFromDib(RowOf(ten), 2, 8);
  ASSERT_TRUE(two);
  EXPECT_LE(two->size(), 2u);
  // The same colours at a palettised depth give the same palette.
  const Palette table(ten.begin(), ten.end());
  EXPECT_EQ(AsSet(*BuildOctreePaletteFromDib(*ConvertDib(RowOf(ten), 8, &table), 236, 8)), AsSet(ten));
}

TEST(OctreePaletteTest, RefusesWhatItCannotBuild) {
  const Dib dib = RowOf({{1, 2, 3}, {4, 5, 6}});
  EXPECT_FALSE(BuildOctreePaletteFromDib(dib, 236, 9));
  EXPECT_FALSE(BuildOctreePaletteFromDib(dib, 0, 8));
  EXPECT_FALSE(BuildOctreePaletteFromDib(Dib(10, 0), 236, 8));
  // Colour bits 0: one leaf for the whole picture, the mean colour.
  EXPECT_EQ(BuildOctreePaletteFromDib(dib, 1, 0), (Palette{{2, 3, 4}}));
}

}  // namespace
