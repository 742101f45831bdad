#include <gtest/gtest.h>

#include "ImageFixture.h"
#include "image/JpegFile.h"
#include "image/JpegImage.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

namespace {

using image_test::BuildBmp;
using image_test::Bytes;

class JpegImageTest : public ::testing::Test {
 protected:
  // 3 × 2: bottom row red, green, blue; top row white, black, grey (rows as stored, blue-green-red).
  std::string ThreeByTwo() {
    const std::string path = dir.File("chart.bmp");
    image_test::WriteFile(
        path, BuildBmp({.width = 3,
                        .height = 2,
                        .rows = {{0, 0, 255, 0, 255, 0, 255, 0, 0}, {255, 255, 255, 0, 0, 0, 128, 128, 128}}}));
    return path;
  }

  testing_support::TempDir dir;
  testing_support::MessageBoxRecorder boxes;
  CJpegImage image;
};

TEST_F(JpegImageTest, LoadBmpHoldsThePixelsInMemoryOrder) {
  image.LoadBmp(ThreeByTwo());
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(image.Width(), 3u);
  EXPECT_EQ(image.Height(), 2u);
  ASSERT_EQ(image.Buffer().size(), 18u);
  EXPECT_EQ(Bytes(image.Buffer().begin(), image.Buffer().begin() + 3), (Bytes{0, 0, 255}));
}

TEST_F(JpegImageTest, AJpegIsWrittenAtQuality75AndDecodesBackToItsSize) {
  image.LoadBmp(ThreeByTwo());
  const std::string jpeg = dir.File("chart.jpg");
  image.SaveJpeg(jpeg, true);
  EXPECT_TRUE(boxes.Texts().empty());
  std::string out;
  ASSERT_EQ(image_test::RunImageMagick("identify", {"-format", "%m %w %h %[colorspace] %Q", jpeg}, out), 0);
  EXPECT_EQ(out, "JPEG 3 2 sRGB 75");

  CJpegImage decoded;
  decoded.LoadJpeg(jpeg);
  EXPECT_EQ(decoded.Width(), 3u);
  EXPECT_EQ(decoded.Height(), 2u);
  // Memory order: the top row comes last, white then black (their lightness survives the compression).
  ASSERT_EQ(decoded.Buffer().size(), 18u);
  EXPECT_GT(decoded.Buffer()[10], 180);
  EXPECT_LT(decoded.Buffer()[13], 80);

  // The held picture stays in memory order, so a second save writes the same picture.
  const std::string again = dir.File("again.jpg");
  image.SaveJpeg(again, true);
  EXPECT_EQ(image_test::ReadFile(again), image_test::ReadFile(jpeg));

  image.SaveJpeg(dir.File("grey.jpg"), false);
  ASSERT_EQ(image_test::RunImageMagick("identify", {"-format", "%[colorspace]", dir.File("grey.jpg")}, out), 0);
  EXPECT_EQ(out, "Gray");
}

TEST_F(JpegImageTest, FailuresAreShownInMessageBoxes) {
  image.SaveJpeg(dir.File("none.jpg"), true);
  image.LoadBmp(dir.File("missing.bmp"));
  image.SaveJpeg(dir.File("none.jpg"), true);
  image.SaveBmp(dir.File("none.bmp"));
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{"No Image!", "Can't open file for reading :\n" + dir.File("missing.bmp"),
                                      "No Image!", "No Image!"}));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.jpg")));

  image.LoadBmp(ThreeByTwo());
  image.SaveJpeg(dir.File("missing/chart.jpg"), true);
  image.SaveBmp(dir.File("missing/chart.bmp"));
  const std::vector<testing_support::MessageBoxRecorder::Box> shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown[4].text, "Write Error");
  EXPECT_EQ(shown[5].text, "Can't open file for writing");
  EXPECT_EQ(shown[5].style, platform::MB_ICONERROR);
  EXPECT_EQ(image.Width(), 3u);

  CJpegImage notJpeg;
  notJpeg.LoadJpeg(ThreeByTwo());
  EXPECT_TRUE(notJpeg.IsEmpty());
}

TEST_F(JpegImageTest, SaveBmpWritesThePictureAndHoldsWhatTheFileHolds) {
  image.LoadBmp(ThreeByTwo());
  const Bytes before = image.Buffer();
  const std::string copy = dir.File("copy.bmp");
  image.SaveBmp(copy);
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(image.Buffer(), before);
  EXPECT_EQ(image_test::ReadFile(copy), image_test::ReadFile(ThreeByTwo()));
}

TEST(JpegFileTest, BufferReorderings) {
  Bytes buffer = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EXPECT_TRUE(CJpegFile::BGRFromRGB(buffer, 2, 2));
  EXPECT_EQ(buffer, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
  EXPECT_TRUE(CJpegFile::VertFlipBuf(buffer, 6, 2));
  EXPECT_EQ(buffer, (Bytes{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));
  EXPECT_FALSE(CJpegFile::BGRFromRGB(buffer, 2, 3));
  EXPECT_FALSE(CJpegFile::VertFlipBuf(buffer, 6, 3));
  EXPECT_FALSE(CJpegFile::RGBToJpegFile("/tmp/never.jpg", buffer, 2, 3, true, 75));
}

}  // namespace
