#include <gtest/gtest.h>

#include "chartcore/ChartData.h"

TEST(ChartDataTest, SetDataCopiesOrRefuses) {
  const double values[] = {1, 2, 3, 4, 5, 6};
  const int twoByThree[] = {2, 3};
  const int negative[] = {2, -1};

  CChartData series;
  ASSERT_TRUE(series.SetData(values, 2, twoByThree));
  EXPECT_EQ(series.GetCount(), 6);
  EXPECT_NE(series.GetValues(), values) << "the series keeps its own copy";
  EXPECT_EQ(series.GetValues()[5], 6);
  EXPECT_TRUE(series.IsXYSeries());

  // Refusals that leave the series as it was.
  EXPECT_FALSE(series.SetData(nullptr, 2, twoByThree));
  EXPECT_FALSE(series.SetData(values, 2, nullptr));
  EXPECT_FALSE(series.SetData(values, 4, twoByThree));
  EXPECT_FALSE(series.SetData(values, -1, twoByThree));
  EXPECT_FALSE(series.SetData(values, 2, negative));
  EXPECT_EQ(series.GetValues()[0], 1);
  EXPECT_EQ(series.GetDimensions(), 2);

  // No dimension: one value.
  ASSERT_TRUE(series.SetData(values + 2, 0, twoByThree));
  EXPECT_EQ(series.GetCount(), 1);
  EXPECT_EQ(series.GetValues()[0], 3);
}

TEST(ChartDataTest, ZeroSizeFailsAndEmptiesTheSeries) {
  const double values[] = {1, 2};
  const int sizes[] = {2, 1};
  const int empty[] = {2, 0};
  CChartData series;
  ASSERT_TRUE(series.SetData(values, 2, sizes));
  EXPECT_FALSE(series.SetData(values, 2, empty));
  EXPECT_EQ(series.GetValues(), nullptr);
  EXPECT_EQ(series.GetDimensions(), 0);
  EXPECT_EQ(series.GetSizes()[0], 0);
  EXPECT_FALSE(series.IsXYSeries());
}

TEST(ChartDataTest, SetSizesReshapesWithinTheCount) {
  const double values[] = {1, 2, 3, 4, 5, 6};
  const int sizes[] = {6};
  CChartData series;
  ASSERT_TRUE(series.SetData(values, 1, sizes));
  const int tooLarge[] = {2, 7};
  series.SetSizes(2, tooLarge);
  EXPECT_EQ(series.GetDimensions(), 1);
  const int twoByThree[] = {2, 3};
  series.SetSizes(2, twoByThree);
  EXPECT_EQ(series.GetDimensions(), 2);
  EXPECT_EQ(series.GetSizes()[1], 3);
  EXPECT_EQ(series.GetValues()[4], 5) << "the buffer is not touched";
}

TEST(ChartDataTest, ArchiveRoundTripAndDamagedArchives) {
  const double values[] = {1.5, 2.5, -3, 4};
  const int sizes[] = {2, 2};
  CChartData stored;
  ASSERT_TRUE(stored.SetData(values, 2, sizes));
  CChartArchive out;
  stored.Serialize(out);
  ASSERT_EQ(out.Bytes().size(), 4u + 12u + 4u + 32u);

  CChartArchive in(out.Bytes());
  CChartData loaded;
  loaded.Serialize(in);
  ASSERT_FALSE(in.Failed());
  ASSERT_EQ(loaded.GetCount(), 4);
  EXPECT_EQ(loaded.GetValues()[2], -3);
  EXPECT_EQ(loaded.GetSizes()[1], 2);

  // Cut short, a count that does not match the sizes, a count beyond the bytes: each fails, nothing read
  // outside the buffer, and the series is left empty.
  std::vector<std::uint8_t> shortBytes(out.Bytes().begin(), out.Bytes().end() - 3);
  std::vector<std::uint8_t> wrongCount = out.Bytes();
  wrongCount[16] = 3;
  std::vector<std::uint8_t> hugeCount = out.Bytes();
  hugeCount[4] = hugeCount[8] = 0xFF;
  hugeCount[7] = hugeCount[11] = 0x0F;
  hugeCount[16] = hugeCount[17] = hugeCount[18] = 0xFF;
  for (const auto& bytes : {shortBytes, wrongCount, hugeCount}) {
    CChartArchive damaged(bytes);
    CChartData target;
    target.Serialize(damaged);
    EXPECT_TRUE(damaged.Failed());
    EXPECT_EQ(target.GetValues(), nullptr);
  }
}

TEST(ChartArchiveTest, TextsAndFontsRoundTripAndALengthPastTheEndFails) {
  CChartArchive out;
  const std::string longText(300, 'x');  // takes the 16-bit length form
  ChartLogFont font;
  font.height = 12;
  font.faceName = std::string(40, 'F');  // kept to 31 bytes
  out.Write(std::string("AP"));
  out.Write(longText);
  out.Write(font);
  EXPECT_EQ(out.Bytes().size(), 3u + 3 + 300 + 60);
  CChartArchive in(out.Bytes());
  std::string first, second;
  ChartLogFont loaded;
  in.Read(first);
  in.Read(second);
  in.Read(loaded);
  EXPECT_FALSE(in.Failed());
  EXPECT_EQ(first, "AP");
  EXPECT_EQ(second, longText);
  EXPECT_EQ(loaded.faceName, std::string(31, 'F'));
  EXPECT_EQ(loaded.height, 12);

  CChartArchive damaged({0xFF, 0xFF, 0xFF, 0x10, 0x00, 0x00, 0x00, 'a'});  // claims 16 bytes, holds 1
  std::string text = "old";
  damaged.Read(text);
  EXPECT_TRUE(damaged.Failed());
  EXPECT_EQ(text, "");
  std::int32_t value = 7;
  damaged.Read(value);
  EXPECT_EQ(value, 0) << "after a failure every read gives zero";
}
