#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "ImageFixture.h"
#include "image/Dib.h"
#include "image/DibFile.h"
#include "support/TempDir.h"

namespace {

using image_test::BmpLayout;
using image_test::BuildBmp;
using image_test::Bytes;

const Palette kGreys = {{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}};

class DibTest : public ::testing::Test {
 protected:
  bool Load(const Bytes& file) {
    const std::string path = dir.File("in.bmp");
    image_test::WriteFile(path, file);
    return dib.Load(path);
  }
  Bytes Saved() {
    const std::string path = dir.File("out.bmp");
    EXPECT_TRUE(dib.Save(path));
    return image_test::ReadFile(path);
  }
  Bytes Colors() const { return dib.GetBitmap() ? dib.GetBitmap()->ToRgb().pixels : Bytes{}; }

  testing_support::TempDir dir;
  CDib dib;
};

TEST_F(DibTest, ColoursUsedIsFilledInForPalettisedDepthsOnly) {
  ASSERT_TRUE(Load(BuildBmp({.width = 2, .bits = 8, .colors = Palette(256, {9, 8, 7}), .rows = {{0, 255}}})));
  EXPECT_FALSE(dib.IsEmpty());
  EXPECT_EQ(dib::Read32(*dib.GetHandle(), dib::kClrUsed), 256u);
  EXPECT_EQ(dib.GetColorTableSize(), 1024u);
  ASSERT_TRUE(dib.GetPalette());
  EXPECT_EQ(dib.GetPalette()->size(), 256u);
  const Bytes file = Saved();
  ASSERT_EQ(file.size(), 14u + 40 + 1024 + 4);
  EXPECT_EQ(dib::Read32(file, 14 + dib::kClrUsed), 256u);
  EXPECT_EQ(dib::Read32(file, 10), 14u + 40 + 1024);

  for (std::uint16_t depth : {16, 24, 32}) {
    SCOPED_TRACE(depth);
    ASSERT_TRUE(Load(BuildBmp({.bits = depth, .rows = {Bytes(depth / 8, 0x40)}})));
    EXPECT_EQ(dib::Read32(*dib.GetHandle(), dib::kClrUsed), 0u);
    EXPECT_EQ(dib.GetColorTableSize(), 0u);
    EXPECT_FALSE(dib.GetPalette());  // no palette, and still a drawable picture
    EXPECT_TRUE(dib.GetBitmap());
  }
}

TEST_F(DibTest, ReadTakesTheFileLengthAndThePixelOffset) {
  const BmpLayout layout = {
      .width = 2, .height = 2, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{0, 1}, {2, 3}}};
  const Bytes expected = {170, 170, 170, 255, 255, 255, 0, 0, 0, 85, 85, 85};
  BmpLayout wrongSize = layout;
  wrongSize.fileSizeField = 9999;
  ASSERT_TRUE(Load(BuildBmp(wrongSize)));
  EXPECT_EQ(Colors(), expected);
  // A gap between the colour table and the rows: the rows are where the file header says.
  BmpLayout gap = layout;
  gap.gap = 6;
  ASSERT_TRUE(Load(BuildBmp(gap)));
  EXPECT_EQ(Colors(), expected);
}

TEST_F(DibTest, FileFunctionsReadAndWriteWhatCDibDoes) {
  BmpLayout layout = {.width = 3, .bits = 8, .colorsUsed = 4, .colors = kGreys, .rows = {{3, 2, 1}}, .gap = 10};
  ASSERT_TRUE(Load(BuildBmp(layout)));
  const DibHandle loaded = LoadDibFile(dir.File("in.bmp"));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, *dib.GetHandle());
  EXPECT_FALSE(LoadDibFile(dir.File("missing.bmp")));

  const std::string saved = dir.File("saved.bmp");
  ASSERT_TRUE(SaveDibFile(loaded, saved));
  EXPECT_EQ(image_test::ReadFile(saved), Saved());
  EXPECT_FALSE(SaveDibFile(std::nullopt, saved));

  // From an open file, starting at its current position.
  Bytes withLead = {'l', 'e', 'a', 'd'};
  const Bytes file = image_test::ReadFile(saved);
  withLead.insert(withLead.end(), file.begin(), file.end());
  image_test::WriteFile(saved, withLead);
  const int fd = ::open(saved.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::lseek(fd, 4, SEEK_SET), 4);
  const DibHandle fromHandle = ReadDibFromFileHandle(fd);
  ::close(fd);
  ASSERT_TRUE(fromHandle);
  EXPECT_EQ(*fromHandle, *loaded);
}

TEST_F(DibTest, FilesItCannotTakeLeaveThePreviousPicture) {
  ASSERT_TRUE(Load(BuildBmp({.width = 3, .rows = {Bytes(9, 7)}})));
  const Bytes valid = BuildBmp({.width = 2, .rows = {Bytes(6, 1)}});
  Bytes wrongType = valid;
  wrongType[0] = 'X';
  const std::pair<const char*, Bytes> refused[] = {
      {"core header", BuildBmp({.headerSize = 12, .rows = {Bytes(3, 1)}})},
      {"larger header", BuildBmp({.headerSize = 124, .rows = {Bytes(3, 1)}})},
      {"shorter than 14 bytes", Bytes(valid.begin(), valid.begin() + 10)},
      {"header cut", Bytes(valid.begin(), valid.begin() + 40)},
      {"not BM", wrongType},
      {"rows past the end", Bytes(valid.begin(), valid.end() - 2)},
      {"colour table past the end", BuildBmp({.bits = 8, .colorsUsed = 200, .colors = kGreys})},
      {"top-down", BuildBmp({.height = -1, .rows = {Bytes(3, 1)}})},
      {"bit fields", BuildBmp({.bits = 32, .compression = 3, .rows = {Bytes(4, 1)}})},
      {"image size past the end", BuildBmp({.imageSize = 4000, .rows = {Bytes(3, 1)}})},
  };
  for (const auto& [name, file] : refused) {
    EXPECT_FALSE(Load(file)) << name;
    EXPECT_EQ(dib.GetWidth(), 3) << name;
  }
  // The same checks hold for a DIB in memory: a stated image size past the block is not copied.
  EXPECT_FALSE(dib.Create(image_test::BuildDib({.imageSize = 4000, .rows = {Bytes(3, 1)}})));
  EXPECT_FALSE(dib.LoadFromResource(BuildBmp({.imageSize = 4000, .rows = {Bytes(3, 1)}})));
  EXPECT_FALSE(dib.Create(image_test::BuildDib({.width = 64,
                                                .height = 64,
                                                .bits = 8,
                                                .compression = 1,
                                                .colorsUsed = 1,
                                                .colors = {{1, 1, 1}},
                                                .rows = {{0, 0}}})));
  EXPECT_FALSE(dib.Load(dir.File("missing.bmp")));
  EXPECT_FALSE(dib.CreateFromBitmap(nullptr, nullptr));
  EXPECT_FALSE(dib.Create(0, 5));
  EXPECT_EQ(dib.GetWidth(), 3);
  EXPECT_FALSE(CDib().Save(dir.File("empty.bmp")));
  EXPECT_TRUE(CDib().IsEmpty());
}

TEST_F(DibTest, WriteOfThreeByTwoTrueColour) {
  ASSERT_TRUE(dib.Create(3, 2, 24));
  const Bytes file = Saved();
  ASSERT_EQ(file.size(), 78u);
  EXPECT_EQ(dib::Read32(file, 2), 78u);
  EXPECT_EQ(dib::Read32(file, 10), 54u);
  EXPECT_EQ(dib::Read32(file, 14 + dib::kSizeImage), 24u);
  // A CDib in an archive is a BMP image at the archive's position.
  std::stringstream archive;
  archive << "lead";
  ASSERT_TRUE(dib.Serialize(archive, true));
  archive.seekg(4);
  CDib copy;
  ASSERT_TRUE(copy.Serialize(archive, false));
  EXPECT_EQ(*copy.GetHandle(), *dib.GetHandle());
}

TEST_F(DibTest, QuarterTurnsAndResizeReplaceThePicture) {
  for (std::uint16_t depth : {8, 24}) {
    SCOPED_TRACE(depth);
    ASSERT_TRUE(Load(BuildBmp({.width = 3,
                               .height = 2,
                               .bits = depth,
                               .colorsUsed = depth == 8 ? 4u : 0u,
                               .colors = depth == 8 ? kGreys : Palette{},
                               .rows = {Bytes(3 * depth / 8, 1), Bytes(3 * depth / 8, 2)}})));
    const Bytes before = Colors();
    ASSERT_TRUE(dib.Rotate90());
    EXPECT_EQ(dib.GetWidth(), 2);
    EXPECT_EQ(dib.GetHeight(), 3);
    ASSERT_TRUE(dib.Rotate270());
    EXPECT_EQ(Colors(), before);
  }
  ASSERT_TRUE(Load(BuildBmp({.width = 3, .rows = {{1, 1, 1, 2, 2, 2, 3, 3, 3}}})));
  ASSERT_TRUE(dib.Rotate180());
  EXPECT_EQ(Colors(), (Bytes{3, 3, 3, 2, 2, 2, 1, 1, 1}));
  ASSERT_TRUE(dib.Resize(3, 1));
  EXPECT_EQ(Colors(), (Bytes{3, 3, 3, 2, 2, 2, 1, 1, 1}));
  ASSERT_TRUE(dib.Scale(2, 3));
  EXPECT_EQ(dib.GetWidth(), 6);
  EXPECT_EQ(dib.GetHeight(), 3);
  EXPECT_TRUE(dib.MirrorHorizontally());
  EXPECT_TRUE(dib.FlipVertically());
  EXPECT_TRUE(dib.Rotate(30, Rgb(0, 0, 0)));
}

TEST_F(DibTest, CompressedPicturesAreKeptWithoutASection) {
  const Dib rle = image_test::BuildDib({.width = 2,
                                        .bits = 8,
                                        .compression = 1,
                                        .colorsUsed = 4,
                                        .imageSize = 4,
                                        .colors = kGreys,
                                        .rows = {{2, 1, 0, 1}}});
  EXPECT_FALSE(dib.Create(rle));
  EXPECT_FALSE(dib.IsEmpty());
  EXPECT_EQ(dib.GetCompression(), 1u);
  EXPECT_FALSE(dib.GetBitmap());
  EXPECT_TRUE(dib.GetPalette());
  EXPECT_FALSE(dib.Rotate90());  // the turn needs rows it can read
}

TEST_F(DibTest, ConversionsFiltersAndCopies) {
  const RgbImage picture{2, 1, {255, 0, 0, 0, 0, 255}};
  ASSERT_TRUE(dib.CreateFromBitmap(&picture, nullptr));
  EXPECT_EQ(dib.GetBitCount(), 24);
  EXPECT_EQ(Colors(), picture.pixels);
  const std::unique_ptr<CDib> copy = dib.Clone();
  ASSERT_TRUE(copy);
  EXPECT_EQ(*copy->GetHandle(), *dib.GetHandle());
  EXPECT_FALSE(CDib().Clone());

  ASSERT_TRUE(dib.ChangeBitCount(4));
  EXPECT_EQ(dib.GetBitCount(), 4);
  EXPECT_EQ(Colors(), picture.pixels);
  ASSERT_TRUE(dib.ChangeBitCount(32));
  EXPECT_EQ(dib.GetBitCount(), 32);
  ASSERT_TRUE(dib.Negate());
  EXPECT_EQ(Colors(), (Bytes{0, 255, 255, 255, 255, 0}));
  ASSERT_TRUE(dib.ToGray(0, 0, 0, 0));
  EXPECT_EQ(dib.GetBitCount(), 8);
  EXPECT_EQ(Colors(), (Bytes{170, 170, 170, 170, 170, 170}));
  EXPECT_TRUE(dib.Solarize(100));
  EXPECT_TRUE(dib.Emboss(128));
  EXPECT_TRUE(dib.Spread(1));
  ASSERT_TRUE(dib.CreateFromBitmapToDepth(&picture, nullptr, 8));
  EXPECT_EQ(dib.GetBitCount(), 8);
  EXPECT_TRUE(dib.CreateFromDibSection(*dib.GetBitmap(), 24));
  EXPECT_EQ(dib.GetBitCount(), 24);

  ASSERT_TRUE(dib.LoadFromResource(BuildBmp({.width = 4, .rows = {Bytes(12, 5)}})));
  EXPECT_EQ(dib.GetWidth(), 4);
  EXPECT_FALSE(dib.LoadFromResource(Bytes{'M', 'B', 0}));
  EXPECT_FALSE(dib.LoadFromResource(Bytes{'B', 'M', 0}));
  ASSERT_TRUE(dib.Create(2, 2));
  EXPECT_EQ(Colors(), Bytes(12, 0xFF));
}

}  // namespace
