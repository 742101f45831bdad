// Our BMP and JPEG files against ImageMagick: what we write it reads, and what it writes we read.
#include <gtest/gtest.h>

#include "ImageFixture.h"
#include "image/BmpFile.h"
#include "image/Dib.h"
#include "support/TempDir.h"

namespace {

using image_test::Bytes;
using image_test::RunImageMagick;

constexpr int kWidth = 7, kHeight = 5;

// A 7 × 5 picture, top row first, red-green-blue, whose colours come from colourOf(x, y).
template <typename ColourOf>
Bytes Picture(ColourOf colourOf) {
  Bytes rgb;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const PaletteEntry c = colourOf(x, y);
      rgb.insert(rgb.end(), {c.red, c.green, c.blue});
    }
  return rgb;
}

const Bytes kManyColours = Picture([](int x, int y) {
  return PaletteEntry{static_cast<std::uint8_t>(x * 40), static_cast<std::uint8_t>(y * 50),
                      static_cast<std::uint8_t>((x + y) * 20)};
});
const Bytes kThreeColours = Picture([](int x, int y) {
  const PaletteEntry colours[] = {{200, 0, 0}, {0, 150, 0}, {0, 0, 100}};
  return colours[(x + 2 * y) % 3];
});
const Bytes kBlackAndWhite = Picture([](int x, int y) {
  const std::uint8_t level = (x * y) % 2 ? 255 : 0;
  return PaletteEntry{level, level, level};
});

class ImageMagickTest : public ::testing::Test {
 protected:
  // ImageMagick's reading of a file as raw red-green-blue bytes, top row first.
  Bytes PixelsSeenByImageMagick(const std::string& path) {
    const std::string raw = dir.File("seen.rgb");
    std::string out;
    EXPECT_EQ(RunImageMagick("convert", {path, "-depth", "8", "rgb:" + raw}, out), 0) << path;
    return image_test::ReadFile(raw);
  }

  std::string Identify(const std::string& path) {
    std::string out;
    EXPECT_EQ(RunImageMagick("identify", {"-format", "%m %w %h", path}, out), 0) << path;
    return out;
  }

  // Writes the picture as a PPM and has ImageMagick convert it to the target ("bmp3:x.bmp") with options.
  std::string Convert(const Bytes& rgb, const std::vector<std::string>& options, const std::string& target) {
    const std::string ppm = dir.File("source.ppm");
    const std::string header = "P6\n7 5\n255\n";
    Bytes file(header.size() + rgb.size());
    std::copy(rgb.begin(), rgb.end(), std::copy(header.begin(), header.end(), file.begin()));
    image_test::WriteFile(ppm, file);
    std::vector<std::string> args{ppm};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(target);
    std::string out;
    EXPECT_EQ(RunImageMagick("convert", args, out), 0);
    return target.substr(target.find(':') + 1);
  }

  testing_support::TempDir dir;
};

TEST_F(ImageMagickTest, ItReadsTheFilesWeWrite) {
  CBmpFile bmp;
  // The 24-bit writer takes rows bottom-up in blue-green-red.
  Bytes memoryOrder;
  for (int y = kHeight - 1; y >= 0; --y)
    for (int x = 0; x < kWidth; ++x) {
      const std::uint8_t* p = kManyColours.data() + (y * kWidth + x) * 3;
      memoryOrder.insert(memoryOrder.end(), {p[2], p[1], p[0]});
    }
  const std::string file24 = dir.File("ours24.bmp");
  bmp.SaveBmpFile24(file24, memoryOrder, kWidth, kHeight);
  ASSERT_EQ(bmp.Status(), "OK");
  EXPECT_EQ(Identify(file24), "BMP3 7 5");
  EXPECT_EQ(PixelsSeenByImageMagick(file24), kManyColours);

  // The palettised writer at 4 bits: index buffer first row at the bottom.
  const Bytes palette = {200, 0, 0, 0, 0, 150, 0, 0, 0, 0, 100, 0};
  Bytes indexes;
  for (int y = kHeight - 1; y >= 0; --y)
    for (int x = 0; x < kWidth; ++x) indexes.push_back(static_cast<std::uint8_t>((x + 2 * y) % 3));
  const std::string file4 = dir.File("ours4.bmp");
  bmp.SaveBmpFilePalette(file4, indexes, kWidth, kHeight, 4, 3, palette);
  ASSERT_EQ(bmp.Status(), "OK");
  EXPECT_EQ(PixelsSeenByImageMagick(file4), kThreeColours);

  // CDib at every depth it writes.
  CDib dib;
  const RgbImage picture{kWidth, kHeight, kManyColours};
  for (std::uint16_t depth : {8, 16, 24, 32}) {
    SCOPED_TRACE(depth);
    ASSERT_TRUE(dib.CreateFromBitmapToDepth(&picture, nullptr, depth));
    const std::string path = dir.File("dib.bmp");
    ASSERT_TRUE(dib.Save(path));
    EXPECT_EQ(Identify(path), "BMP3 7 5");
    Bytes seen = PixelsSeenByImageMagick(path), ours = dib.GetBitmap()->ToRgb().pixels;
    if (depth == 16) {
      // Five bits a colour: ImageMagick fills the low bits by repeating the high ones, we leave them 0.
      for (std::uint8_t& value : seen) value &= 0xF8;
    } else {
      EXPECT_EQ(ours, kManyColours);
    }
    EXPECT_EQ(seen, ours);
  }
}

TEST_F(ImageMagickTest, WeReadTheFilesItWrites) {
  struct Case {
    const char* name;
    const Bytes& picture;
    std::vector<std::string> options;
    std::string format;  // bmp3 has the 40-byte header, bmp a larger one
    int bits;
  } cases[] = {
      {"24 bits", kManyColours, {}, "bmp3", 24},
      {"8 bits", kManyColours, {"-type", "Palette", "-compress", "None"}, "bmp3", 8},
      {"4 bits", kThreeColours, {"-type", "Palette", "-compress", "None"}, "bmp3", 4},
      {"1 bit", kBlackAndWhite, {"-type", "Bilevel"}, "bmp3", 1},
      {"24 bits, larger header", kManyColours, {}, "bmp", 24},
      {"8 bits, larger header", kManyColours, {"-type", "Palette", "-compress", "None"}, "bmp", 8},
      {"1 bit, larger header", kBlackAndWhite, {"-type", "Bilevel"}, "bmp", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Convert(c.picture, c.options, c.format + ":" + dir.File("theirs.bmp"));
    const Bytes file = image_test::ReadFile(path);
    ASSERT_EQ(dib::Read16(file, 28), c.bits);
    CBmpFile bmp;
    std::uint32_t width = 0, height = 0;
    const auto pixels = bmp.LoadBmpFile(path, width, height);
    ASSERT_TRUE(pixels) << bmp.Status();
    EXPECT_EQ(width, static_cast<std::uint32_t>(kWidth));
    EXPECT_EQ(height, static_cast<std::uint32_t>(kHeight));
    EXPECT_EQ(*pixels, c.picture);

    CDib dib;
    // CDib takes only the 40-byte header.
    ASSERT_EQ(dib.Load(path), c.format == "bmp3");
    if (c.format == "bmp3") {
      EXPECT_EQ(dib.GetBitmap()->ToRgb().pixels, c.picture);
    }
  }
}

}  // namespace
