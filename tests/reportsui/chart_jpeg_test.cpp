// The report charts drawn off screen into a bitmap, turned into a JPEG and placed in a PDF report.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>

#include "chartcore/XYChart.h"
#include "db/ApInfoRecord.h"
#include "image/JpegFile.h"
#include "reports/ApGraph.h"
#include "reports/PdfReport.h"
#include "reports/ReportExporter.h"
#include "reports/ui/ReportWindowsParts.h"
#include "support/LocalTime.h"
#include "support/TempDir.h"

namespace {

TEST(ChartJpegTest, UsersChartBecomesA600By300ColourJpegWithItsBlueLine) {
  std::tm day = testing_support::LocalTm(2026, 3, 10, 0, 0);
  const auto begin = std::chrono::system_clock::from_time_t(std::mktime(&day));
  const ReportWindow window{begin, begin + std::chrono::seconds(86399)};
  std::vector<RecorderReportRecord> rows(3);
  const int users[] = {3, 7, 12};
  const char* times[] = {"20260310_06:00:00", "20260310_09:00:00", "20260310_12:00:00"};
  for (int i = 0; i < 3; ++i) {
    rows[i].ap_name = "AP_1";
    rows[i].time_polling = times[i];
    rows[i].count_connected = users[i];
  }
  CXYChart chart;
  BuildApGraph(rows, chart, 1, window);
  testing_support::TempDir dir;
  ASSERT_TRUE(WriteChartBitmap(chart, CReportExporter::kChartWidth, CReportExporter::kChartHeight,
                               dir.File("chart.bmp")));
  ASSERT_TRUE(SaveChartJpeg(dir.File("chart.bmp"), dir.File("chart.jpg")));

  std::uint32_t width = 0, height = 0;
  const auto rgb = CJpegFile::JpegFileToRGB(dir.File("chart.jpg"), &width, &height);
  ASSERT_TRUE(rgb);
  EXPECT_EQ(width, 600u);
  EXPECT_EQ(height, 300u);
  int blue = 0;
  for (std::size_t i = 0; i + 2 < rgb->size(); i += 3) {
    if ((*rgb)[i + 2] > (*rgb)[i] + 60 && (*rgb)[i + 2] > (*rgb)[i + 1] + 60) ++blue;
  }
  EXPECT_GT(blue, 20) << "the users line is drawn in blue";

  ApInfoRecord ap;
  ap.spare = dir.File("chart.jpg");
  ASSERT_EQ(WritePdfReport({ap}, dir.File("report.pdf")), 1);
  DeleteChartImages({ap});
  EXPECT_FALSE(std::filesystem::exists(ap.spare));
}

TEST(ChartJpegTest, MissingOrBrokenBitmapsGiveNoJpeg) {
  testing_support::TempDir dir;
  EXPECT_FALSE(SaveChartJpeg("", dir.File("a.jpg")));
  EXPECT_FALSE(SaveChartJpeg(dir.File("none.bmp"), ""));
  std::FILE* junk = std::fopen(dir.File("junk.bmp").c_str(), "wb");
  std::fputs("BM not really a bitmap", junk);
  std::fclose(junk);
  EXPECT_FALSE(SaveChartJpeg(dir.File("junk.bmp"), dir.File("junk.jpg")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("junk.jpg")));
}

}  // namespace
