#include <gtest/gtest.h>

#include "ImageFixture.h"
#include "image/Dib.h"
#include "image/DibConvert.h"
#include "image/DibDraw.h"
#include "image/DibTransition.h"

namespace {

using image_test::Bytes;

RgbImage Filled(int width, int height, std::uint8_t value) {
  return {width, height, Bytes(static_cast<std::size_t>(width) * height * 3, value)};
}

// A 7 × 5 picture whose every pixel differs from white and black.
RgbImage Picture() {
  RgbImage picture = Filled(7, 5, 0);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<std::uint8_t>(20 + i);
  return picture;
}

// The canvas area at (x, y) of the picture's size.
Bytes Area(const RgbImage& canvas, int x, int y, int width, int height) {
  Bytes area;
  for (int row = 0; row < height; ++row)
    area.insert(area.end(), canvas.At(x, y + row), canvas.At(x, y + row) + 3 * width);
  return area;
}

TEST(DibDrawTest, RasterOperationsCombineSourceAndTarget) {
  const RgbImage source{1, 1, {0x0F, 0xF0, 0x55}};
  struct Case {
    std::uint32_t rasterOp;
    Bytes expected;
  } cases[] = {{kSrcCopy, {0x0F, 0xF0, 0x55}},   {kSrcAnd, {0x0C, 0x30, 0x00}},     {kSrcPaint, {0x3F, 0xFC, 0xFF}},
               {kSrcInvert, {0x33, 0xCC, 0xFF}}, {kNotSrcCopy, {0xF0, 0x0F, 0xAA}}, {kDstInvert, {0xC3, 0xC3, 0x55}},
               {kBlackness, {0, 0, 0}},          {kWhiteness, {255, 255, 255}}};
  for (const Case& c : cases) {
    RgbImage target{1, 1, {0x3C, 0x3C, 0xAA}};
    EXPECT_TRUE(BlockTransfer(target, 0, 0, 1, 1, source, 0, 0, c.rasterOp)) << std::hex << c.rasterOp;
    EXPECT_EQ(target.pixels, c.expected) << std::hex << c.rasterOp;
  }
  RgbImage target = Filled(1, 1, 0);
  EXPECT_FALSE(BlockTransfer(target, 0, 0, 1, 1, source, 0, 0, 0x12345678));
}

TEST(DibDrawTest, TransfersAreClippedToBothPictures) {
  const RgbImage picture = Picture();
  RgbImage canvas = Filled(4, 4, 0);
  EXPECT_TRUE(BlockTransfer(canvas, -5, -3, 7, 5, picture, 0, 0, kSrcCopy));
  EXPECT_EQ(Area(canvas, 0, 0, 2, 1), Bytes(picture.At(5, 3), picture.At(5, 3) + 6));
  EXPECT_EQ(canvas.At(2, 0)[0], 0);
  EXPECT_TRUE(BlockTransfer(canvas, 2, 2, 9, 9, picture, 6, 4, kSrcCopy));
  EXPECT_EQ(Area(canvas, 2, 2, 1, 1), Bytes(picture.At(6, 4), picture.At(6, 4) + 3));
  EXPECT_EQ(canvas.At(3, 3)[0], 0);

  RgbImage big = Filled(4, 2, 0);
  ASSERT_TRUE(DrawDdbStretched(big, {0, 0, 4, 2}, RgbImage{2, 1, {1, 1, 1, 2, 2, 2}}, {0, 0, 2, 1}, nullptr, kSrcCopy));
  EXPECT_EQ(big.pixels, (Bytes{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2}));
  EXPECT_FALSE(DrawDdbStretched(big, {0, 0, 0, 2}, picture, {0, 0, 2, 1}, nullptr, kSrcCopy));
  const Dib dib = *DibFromDdb(picture, nullptr);
  ASSERT_TRUE(DrawDibStretched(big, {0, 0, 1, 1}, dib, {6, 4, 7, 5}, nullptr));
  EXPECT_EQ(Area(big, 0, 0, 1, 1), Bytes(picture.At(6, 4), picture.At(6, 4) + 3));
}

TEST(DibDrawTest, TransparentColourLeavesTheCanvasAlone) {
  RgbImage canvas = Filled(3, 1, 9);
  const RgbImage shape{2, 1, {255, 0, 255, 1, 2, 3}};
  DrawTransparentDdb(canvas, shape, 1, 0, Rgb(255, 0, 255));
  EXPECT_EQ(canvas.pixels, (Bytes{9, 9, 9, 9, 9, 9, 1, 2, 3}));

  CDib dib;
  EXPECT_FALSE(dib.Draw(canvas, 0, 0, kSrcCopy));
  EXPECT_FALSE(dib.DrawTransparent(canvas, 0, 0, 0));
  ASSERT_TRUE(dib.CreateFromBitmap(&shape, nullptr));
  canvas = Filled(3, 1, 9);
  EXPECT_TRUE(dib.DrawTransparent(canvas, 0, 0, Rgb(255, 0, 255)));
  EXPECT_EQ(canvas.pixels, (Bytes{9, 9, 9, 1, 2, 3, 9, 9, 9}));
  EXPECT_TRUE(dib.StretchBlt(canvas, Rect{0, 0, 3, 1}, Rect{1, 0, 2, 1}, kSrcCopy));
  EXPECT_EQ(canvas.pixels, (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3}));
}

TEST(DibTransitionTest, EveryEffectEndsWithThePictureDrawnOrErased) {
  const RgbImage picture = Picture();
  CDib dib;
  ASSERT_TRUE(dib.CreateFromBitmap(&picture, nullptr));
  for (int effect = 1; effect <= 20; ++effect) {
    for (int step : {1, 3}) {
      SCOPED_TRACE("effect " + std::to_string(effect) + " step " + std::to_string(step));
      RgbImage canvas = Filled(10, 8, 0);
      int passes = 0;
      ASSERT_TRUE(dib.Display(effect, canvas, 2, 1, step, 0, kSrcCopy, [&] { ++passes; }));
      EXPECT_EQ(Area(canvas, 2, 1, 7, 5), picture.pixels);
      EXPECT_EQ(canvas.At(0, 0)[0], 0);  // nothing outside the picture's place
      EXPECT_GT(passes, 1);

      ASSERT_TRUE(dib.Clear(effect, canvas, 2, 1, step, 0));
      const Bytes cleared = Area(canvas, 2, 1, 7, 5);
      EXPECT_EQ(cleared, effect == 20 ? Bytes(cleared.size(), 0) : Bytes(cleared.size(), 255));
      EXPECT_EQ(*dib.GetBitmap()->ToRgb().pixels.data(), picture.pixels[0]);
    }
  }
  RgbImage canvas = Filled(10, 8, 0);
  EXPECT_FALSE(dib.Display(21, canvas, 0, 0, 1, 0, kSrcCopy));
  EXPECT_FALSE(dib.Display(1, canvas, 0, 0, 0, 0, kSrcCopy));
  EXPECT_FALSE(CDib().Clear(1, canvas, 0, 0, 1, 0));
}

TEST(DibTransitionTest, StripsOfTheFirstPasses) {
  // 8 × 6 picture, step 2, position 0 unless given.
  struct Case {
    int effect, position;
    std::vector<TransitionStrip> strips;
  } cases[] = {
      {1, 0, {{{0, 0, 8, 2}, 0, 0}}},
      {2, 0, {{{0, 4, 8, 6}, 0, 4}}},
      {6, 2, {{{2, 0, 4, 6}, 2, 0}, {{4, 0, 6, 6}, 4, 0}}},
      {7, 0, {{{0, 0, 8, 2}, 0, 4}}},
      {10, 2, {{{4, 0, 8, 6}, 0, 0}}},
      {11, 0, {{{0, 0, 8, 2}, 0, 1}, {{0, 4, 8, 6}, 0, 3}}},
      {15, 0, {{{0, 0, 2, 1}, 0, 5}, {{2, 5, 4, 6}, 2, 0}, {{4, 0, 6, 1}, 4, 5}, {{6, 5, 8, 6}, 6, 0}}},
      {17, 1, {{{1, 0, 2, 6}, 1, 0}, {{3, 0, 4, 6}, 3, 0}, {{5, 0, 6, 6}, 5, 0}, {{7, 0, 8, 6}, 7, 0}}},
  };
  for (const Case& c : cases) EXPECT_EQ(TransitionStrips(c.effect, 8, 6, 2, c.position), c.strips) << c.effect;
  EXPECT_EQ(TransitionBound(5, 8, 6, 2), 3);
  EXPECT_EQ(TransitionBound(17, 8, 6, 2), 2);
  EXPECT_EQ(TransitionAdvance(14, 2), 2);
  EXPECT_EQ(TransitionAdvance(15, 2), 1);
}

TEST(DibTransitionTest, FadesStartAndEndAtBlackAndKeepThePicture) {
  const RgbImage picture = Picture();
  for (std::uint16_t depth : {8, 24, 32}) {
    SCOPED_TRACE(depth);
    CDib dib;
    ASSERT_TRUE(dib.CreateFromBitmapToDepth(&picture, nullptr, depth));
    const Dib before = *dib.GetHandle();
    const Bytes shownPicture = dib.GetBitmap()->ToRgb().pixels;
    RgbImage canvas = Filled(7, 5, 0);
    std::vector<Bytes> frames;
    const auto record = [&] { frames.push_back(canvas.pixels); };
    ASSERT_TRUE(dib.FadeIn(canvas, 0, 0, 4, 0, record));
    ASSERT_GE(frames.size(), 2u);
    EXPECT_LE(frames.size(), 5u);
    EXPECT_NE(frames.front(), shownPicture);
    EXPECT_EQ(frames.back(), shownPicture);
    EXPECT_EQ(*dib.GetHandle(), before);

    frames.clear();
    ASSERT_TRUE(dib.FadeOut(canvas, 0, 0, 4, 0, record));
    EXPECT_EQ(frames.back(), Bytes(frames.back().size(), 0));
    EXPECT_EQ(*dib.GetHandle(), before);
  }
}

}  // namespace
