// Readers of outside files fed with mutated files: every one must end in a result or a refusal, never a
// crash, a read outside its buffers or a huge allocation. Run under AddressSanitizer as well.
#include <gtest/gtest.h>

#include <random>

#include "ImageFixture.h"
#include "image/BmpFile.h"
#include "image/Dib.h"
#include "image/DibFile.h"
#include "image/JpegFile.h"
#include "support/TempDir.h"

namespace {

using image_test::BmpLayout;
using image_test::BuildBmp;
using image_test::Bytes;

// Values that tend to break size arithmetic.
constexpr std::uint32_t kEdgeValues[] = {0,      1,      2,      3,       4,          8,          12,        14,
                                         24,     32,     40,     54,      124,        255,        256,       257,
                                         0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

class Mutator {
 public:
  explicit Mutator(std::uint32_t seed) : random_(seed) {}

  // One to four changes, most of them in the headers where the sizes live.
  Bytes Mutate(Bytes file) {
    const int changes = Pick(1, 4);
    for (int i = 0; i < changes && !file.empty(); ++i) {
      switch (Pick(0, 5)) {
        case 0:
        case 1:
          file[Pick(0, std::min<int>(static_cast<int>(file.size()), 70) - 1)] = static_cast<std::uint8_t>(Pick(0, 255));
          break;
        case 2: {
          const int at = Pick(0, std::min<int>(static_cast<int>(file.size()), 70) - 1) & ~1;
          dib::Write32(file, static_cast<std::size_t>(at), kEdgeValues[Pick(0, std::size(kEdgeValues) - 1)]);
          break;
        }
        case 3:
          file[Pick(0, static_cast<int>(file.size()) - 1)] = static_cast<std::uint8_t>(Pick(0, 255));
          break;
        case 4:
          file.resize(Pick(0, static_cast<int>(file.size()) - 1));
          break;
        default:
          file.resize(file.size() + Pick(1, 64), static_cast<std::uint8_t>(Pick(0, 255)));
          break;
      }
    }
    return file;
  }

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, std::max(low, high))(random_); }

 private:
  std::mt19937 random_;
};

std::vector<Bytes> BmpSeeds() {
  Palette sixteen(16), twoFiftySix(256);
  for (int i = 0; i < 256; ++i) twoFiftySix[i] = {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)};
  std::copy_n(twoFiftySix.begin(), 16, sixteen.begin());
  return {
      BuildBmp({.width = 5, .height = 3, .rows = {Bytes(15, 1), Bytes(15, 2), Bytes(15, 3)}}),
      BuildBmp({.width = 7, .height = 2, .bits = 8, .colors = twoFiftySix, .rows = {Bytes(7, 200), Bytes(7, 3)}}),
      BuildBmp({.width = 3, .height = 3, .bits = 4, .colors = sixteen, .rows = {{0x12, 0x30}, {0xFF, 0xE0}, {0, 0}}}),
      BuildBmp({.width = 9,
                .height = 2,
                .bits = 1,
                .colors = {{0, 0, 0}, {255, 255, 255}},
                .rows = {{0xAA, 0x80}, {0x55, 0}}}),
      BuildBmp({.width = 3, .height = 2, .bits = 16, .rows = {Bytes(6, 0x1F), Bytes(6, 0x7C)}}),
      BuildBmp({.width = 2, .height = 2, .bits = 32, .rows = {Bytes(8, 9), Bytes(8, 250)}}),
      BuildBmp({.width = 2,
                .height = -2,
                .bits = 8,
                .colorsUsed = 2,
                .headerSize = 124,
                .colors = {{1, 2, 3}, {4, 5, 6}},
                .rows = {{0, 1}, {1, 0}}}),
  };
}

TEST(MalformedFileTest, MutatedBmpFilesAreReadOrRefused) {
  testing_support::TempDir dir;
  const std::string path = dir.File("mutated.bmp");
  const std::vector<Bytes> seeds = BmpSeeds();
  Mutator mutator(20261211);
  int loadedByBmpFile = 0, loadedByDib = 0;
  for (int round = 0; round < 4000; ++round) {
    const Bytes file = mutator.Mutate(seeds[round % seeds.size()]);
    image_test::WriteFile(path, file);
    SCOPED_TRACE(round);

    CBmpFile bmp;
    std::uint32_t width = 0, height = 0;
    if (const auto pixels = bmp.LoadBmpFile(path, width, height)) {
      ++loadedByBmpFile;
      EXPECT_EQ(pixels->size(), std::size_t{width} * height * 3);
    } else {
      EXPECT_NE(bmp.Status(), "OK");
    }

    CDib dib;
    if (dib.Load(path)) {
      ++loadedByDib;
      ASSERT_LE(dib.GetSize(), dib.GetHandle()->size());
      // The pixel operations run on what was read.
      EXPECT_TRUE(dib.Rotate90());
      EXPECT_TRUE(dib.Resize(4, 3));
      EXPECT_TRUE(dib.ChangeBitCount(8));
      EXPECT_TRUE(dib.Save(dir.File("saved.bmp")));
    }
    RgbImage canvas{8, 8, Bytes(8 * 8 * 3)};
    // A compressed picture is kept without a drawable section.
    EXPECT_EQ(dib.Draw(canvas, -1, 2, kSrcCopy), dib.GetBitmap().has_value());
    CDib fromMemory;
    fromMemory.LoadFromResource(file);
    const DibHandle raw = LoadDibFile(path);
    if (raw) {
      EXPECT_TRUE(dib::LayoutFits(*raw));
    }
  }
  // Most mutations leave a readable file; the loop must have exercised both outcomes.
  EXPECT_GT(loadedByBmpFile, 100);
  EXPECT_GT(loadedByDib, 100);
}

TEST(MalformedFileTest, MutatedJpegFilesAreDecodedOrRefused) {
  testing_support::TempDir dir;
  const std::string seedPath = dir.File("seed.jpg"), path = dir.File("mutated.jpg");
  Bytes rgb(16 * 8 * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 13);
  ASSERT_TRUE(CJpegFile::RGBToJpegFile(seedPath, rgb, 16, 8, true, 75));
  const Bytes seed = image_test::ReadFile(seedPath);
  Mutator mutator(75);
  for (int round = 0; round < 1500; ++round) {
    image_test::WriteFile(path, mutator.Mutate(seed));
    std::uint32_t width = 0, height = 0;
    if (const auto pixels = CJpegFile::JpegFileToRGB(path, &width, &height)) {
      EXPECT_EQ(pixels->size(), std::size_t{width} * height * 3) << round;
    }
  }
}

}  // namespace
