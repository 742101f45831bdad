#include <gtest/gtest.h>

#include "ImageFixture.h"
#include "image/BmpFile.h"
#include "support/TempDir.h"

namespace {

using image_test::BmpLayout;
using image_test::BuildBmp;
using image_test::Bytes;

const Palette kFourColors = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}};

class BmpFileTest : public ::testing::Test {
 protected:
  std::string Write(const Bytes& bytes) {
    const std::string path = dir.File("picture.bmp");
    image_test::WriteFile(path, bytes);
    return path;
  }

  testing_support::TempDir dir;
  CBmpFile bmp;
  std::uint32_t width = 99, height = 99;
};

TEST_F(BmpFileTest, BadFilesGiveTheirStatusAndNoPixels) {
  const Bytes valid = BuildBmp({.width = 4, .height = 2, .rows = {Bytes(12, 1), Bytes(12, 2)}});
  Bytes wrongType = valid;
  wrongType[1] = 'A';
  Bytes lastPaddingCut = BuildBmp({.width = 1, .height = 2, .rows = {{1, 2, 3}, {4, 5, 6}}});
  lastPaddingCut.pop_back();
  struct Case {
    const char* name;
    Bytes file;
    std::string status;
    bool sizeKnown;  // the failure comes after the width and height were taken
  } cases[] = {
      {"B and A", wrongType, "Not a valid BMP File", false},
      {"cut inside the header", Bytes(valid.begin(), valid.begin() + 30), "Read Error!", false},
      {"compressed", BuildBmp({.bits = 8, .compression = 1, .colors = kFourColors, .rows = {{0}}}),
       "This is a compressed file.", false},
      {"pixel offset 50", BuildBmp({.pixelOffset = 50, .rows = {{1, 2, 3}}}), "Corrupt palette", false},
      {"width 0", BuildBmp({.width = 0, .rows = {{}}}), "Not a valid BMP File", false},
      {"16 bits", BuildBmp({.bits = 16, .rows = {{1, 2}}}), "Not a valid BMP File", false},
      {"core header", BuildBmp({.headerSize = 12, .rows = {{1, 2, 3}}}), "Not a valid BMP File", false},
      {"more colours than 8 bits index", BuildBmp({.bits = 8, .colorsUsed = 300, .rows = {{0}}}), "Corrupt palette",
       false},
      {"colour table cut", BuildBmp({.bits = 8, .colorsUsed = 4, .colors = {{1, 1, 1}}}), "Read Error!", false},
      {"rows past the end of the file", BuildBmp({.width = 4, .height = 2, .rows = {Bytes(12, 1)}}), "Read Error",
       false},
      {"the last row without its padding", lastPaddingCut, "Read Error", false},
      {"huge height in a short file", BuildBmp({.width = 1, .height = 0x7FFFFFFF, .rows = {{1, 2, 3}}}), "Read Error",
       false},
      {"wider than the bound",
       BuildBmp(
           {.width = 40000, .bits = 1, .colorsUsed = 2, .colors = {{0, 0, 0}, {1, 1, 1}}, .rows = {Bytes(5000, 0)}}),
       "Memory alloc Failed", true},
      {"index past the colour table",
       BuildBmp({.bits = 8, .colorsUsed = 2, .colors = {{1, 1, 1}, {2, 2, 2}}, .rows = {{5}}}), "Corrupt palette",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    width = height = 99;
    EXPECT_FALSE(bmp.LoadBmpFile(Write(c.file), width, height));
    EXPECT_EQ(bmp.Status(), c.status);
    EXPECT_EQ(width != 0, c.sizeKnown);
  }
  EXPECT_FALSE(bmp.LoadBmpFile(dir.File("missing.bmp"), width, height));
  EXPECT_EQ(bmp.Status(), "Can't open file for reading :\n" + dir.File("missing.bmp"));
}

TEST_F(BmpFileTest, FourBitOddWidthTakesTheLastPixelFromTheHighHalfOfTheByte) {
  Palette sixteen(16);
  for (int i = 0; i < 16; ++i) sixteen[i] = {static_cast<std::uint8_t>(i * 10), static_cast<std::uint8_t>(i), 7};
  // Colours used 0 means a full table of 16; the low half of the last byte is not a pixel.
  const auto pixels = bmp.LoadBmpFile(
      Write(BuildBmp({.width = 3, .height = 1, .bits = 4, .colors = sixteen, .rows = {{0x12, 0x3F}}})), width, height);
  ASSERT_TRUE(pixels) << bmp.Status();
  EXPECT_EQ(bmp.Status(), "OK");
  EXPECT_EQ(*pixels, (Bytes{10, 1, 7, 20, 2, 7, 30, 3, 7}));
  EXPECT_EQ(bmp.ByteCount(), 54 + 64 + 4);
}

TEST_F(BmpFileTest, OneBitRowsRunAcrossBytesFromTheHighBit) {
  // Ten pixels: 1011 0010 | 01 (the rest of the second byte is not a pixel).
  const auto pixels = bmp.LoadBmpFile(Write(BuildBmp({.width = 10,
                                                      .bits = 1,
                                                      .colorsUsed = 2,
                                                      .colors = {{0, 0, 0}, {9, 9, 9}},
                                                      .rows = {{0xB2, 0x7F}}})),
                                      width, height);
  ASSERT_TRUE(pixels) << bmp.Status();
  Bytes expected;
  for (int bit : {1, 0, 1, 1, 0, 0, 1, 0, 0, 1}) expected.insert(expected.end(), 3, static_cast<std::uint8_t>(bit * 9));
  EXPECT_EQ(*pixels, expected);
  EXPECT_EQ(bmp.ByteCount(), 54 + 8 + 4);
}

TEST_F(BmpFileTest, RowsArePaddedAndStoredBottomUpUnlessTheHeightIsNegative) {
  // Width 1 at 24 bits: 3 pixel bytes and 1 padding byte per row.
  auto pixels =
      bmp.LoadBmpFile(Write(BuildBmp({.width = 1, .height = 2, .rows = {{1, 2, 3}, {4, 5, 6}}})), width, height);
  ASSERT_TRUE(pixels) << bmp.Status();
  EXPECT_EQ(*pixels, (Bytes{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(bmp.ByteCount(), 62);
  EXPECT_EQ(width, 1u);
  EXPECT_EQ(height, 2u);

  pixels = bmp.LoadBmpFile(Write(BuildBmp({.width = 1, .height = -2, .rows = {{1, 2, 3}, {4, 5, 6}}})), width, height);
  ASSERT_TRUE(pixels) << bmp.Status();
  EXPECT_EQ(*pixels, (Bytes{3, 2, 1, 6, 5, 4}));
  EXPECT_EQ(height, 2u);
}

TEST_F(BmpFileTest, ColourTableFollowsALargerInfoHeader) {
  const auto pixels = bmp.LoadBmpFile(
      Write(BuildBmp(
          {.width = 2, .bits = 8, .colorsUsed = 4, .headerSize = 124, .colors = kFourColors, .rows = {{3, 1}}})),
      width, height);
  ASSERT_TRUE(pixels) << bmp.Status();
  EXPECT_EQ(*pixels, (Bytes{100, 110, 120, 40, 50, 60}));
}

TEST_F(BmpFileTest, TwoByTwoBufferMakesA70ByteFileThatReadsBackSwappedAndFlipped) {
  const Bytes buffer = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::string path = dir.File("two.bmp");
  bmp.SaveBmpFile24(path, buffer, 2, 2);
  EXPECT_EQ(bmp.Status(), "OK");
  const Bytes file = image_test::ReadFile(path);
  ASSERT_EQ(file.size(), 70u);
  EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62), (Bytes{1, 2, 3, 4, 5, 6, 0, 0}));
  const auto pixels = bmp.LoadBmpFile(path, width, height);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(*pixels, (Bytes{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));

  bmp.SaveBmpFile24(dir.File("missing/two.bmp"), buffer, 2, 2);
  EXPECT_EQ(bmp.Status(), "Can't open file for writing");
  bmp.SaveBmpFile24(path, buffer, 2, 3);
  EXPECT_EQ(bmp.Status(), "fwrite error\nGiving up");
}

TEST_F(BmpFileTest, PalettisedWriterPacksPixelsFromTheHighBits) {
  const std::string path = dir.File("four.bmp");
  const Bytes palette = {10, 20, 30, 99, 40, 50, 60, 99, 70, 80, 90, 99, 100, 110, 120, 99};
  bmp.SaveBmpFilePalette(path, Bytes{1, 2, 3}, 3, 1, 4, 4, palette);
  EXPECT_EQ(bmp.Status(), "OK");
  const Bytes file = image_test::ReadFile(path);
  ASSERT_EQ(file.size(), 54u + 16 + 4);
  EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 58), (Bytes{30, 20, 10, 0}));
  EXPECT_EQ(Bytes(file.begin() + 70, file.end()), (Bytes{0x12, 0x30, 0x00, 0x00}));
  const auto pixels = bmp.LoadBmpFile(path, width, height);
  ASSERT_TRUE(pixels) << bmp.Status();
  EXPECT_EQ(*pixels, (Bytes{40, 50, 60, 70, 80, 90, 100, 110, 120}));

  bmp.SaveBmpFilePalette(path, Bytes{1, 2, 3}, 3, 1, 24, 0, {});
  EXPECT_EQ(bmp.Status(), "We don't do 24-bit files in here, sorry");
  bmp.SaveBmpFilePalette(path, Bytes{1, 2, 3}, 3, 1, 3, 4, palette);
  EXPECT_EQ(bmp.Status(), "Error : nBits > 8????");
  bmp.SaveBmpFilePalette(dir.File("missing/four.bmp"), Bytes{1, 2, 3}, 3, 1, 4, 4, palette);
  EXPECT_EQ(bmp.Status(), "Can't Open");
}

}  // namespace
