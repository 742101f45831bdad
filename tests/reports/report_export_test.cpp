// The report export against a seeded database: each CSV kind byte for byte, the extension rules and the
// failures with their messages, and the PDF as poppler reads it, with no temporary file left behind.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "image/BmpFile.h"
#include "loadbalance/LoadBalanceFixture.h"
#include "reports/ReportExporter.h"
#include "platform/MinuteStamp.h"
#include "support/TempDir.h"

namespace {

using Texts = std::vector<std::string>;
namespace fs = std::filesystem;
const std::string kAp1 = "02:44:71:00:01:01";
const std::string kAp2 = "02:44:71:00:01:02";
const std::string kAp3 = "02:44:71:00:01:03";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The lines of a file whose every line ends with CR LF.
Texts CrLfLines(const std::string& path) {
  const std::string text = ReadFile(path);
  Texts lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the file ends with CR LF";
  for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos) << line;
  return lines;
}

std::string Shell(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string output;
  std::array<char, 4096> buffer;
  for (std::size_t n; pipe && (n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;) {
    output.append(buffer.data(), n);
  }
  return output;
}

// A field of pdfinfo's answer, without the blanks around it.
std::string PdfInfo(const std::string& path, const std::string& field) {
  std::istringstream answer(Shell("pdfinfo '" + path + "'"));
  for (std::string line; std::getline(answer, line);) {
    if (line.rfind(field + ":", 0) != 0) continue;
    const std::size_t start = line.find_first_not_of(' ', field.size() + 1);
    return start == std::string::npos ? "" : line.substr(start);
  }
  return "(no " + field + ")";
}

class ReportExportTest : public LoadBalanceTest {
 protected:
  void SetUp() override {
    AddAp("device_list_prev", "AP_1", "127.0.0.11", kAp1, "hall");
    AddAp("device_list_prev", "AP_2", "127.0.0.12", kAp2);
    AddAp("device_list_prev", "Corridor_West", "127.0.0.13", kAp3, "hall");
    AddRound(0, kAp1, "20260309_23:59:59", 9, 1);  // the day before the window
    AddRound(1, kAp1, "20260310_08:00:00", 3, 100);
    AddRound(1, kAp2, "20260310_08:00:00", 0, 5);
    AddRound(2, kAp1, "20260310_08:05:00", 12, 150);
    AddRound(2, kAp3, "20260310_08:05:00", 1, 7);
    AddClient(1, kAp1, "02:00:00:00:00:aa");
    AddClient(2, kAp1, "02:00:00:00:00:bb");
    PinLocalTime(2026, 3, 11, 9, 0);
  }
  void AddRound(int index, const std::string& mac, const std::string& time, int users, long long traffic) {
    ASSERT_TRUE(database.Exec(
        "INSERT INTO recorder_polling (index_polling, mac_ap, date_polling, time_polling, count_connected, "
        "traffic_ap) VALUES (?, ?, 0, ?, ?, ?)",
        {index, mac, time, users, traffic}));
  }
  void AddClient(int index, const std::string& ap, const std::string& client) {
    ASSERT_TRUE(database.Exec("INSERT INTO client_connect_ap (index_polling, mac_ap, mac_client, mode_client, "
                              "RSSI_client) VALUES (?, ?, ?, '2', '-40')",
                              {index, ap, client}));
  }

  // Exports with the save dialog answering path and the date dialog the 10th of March at odd hours.
  bool Export(int kind, const std::optional<std::string>& path, std::vector<std::string> macs = {}) {
    ReportDialogs dialogs;
    dialogs.chooseFile = [this, path](const std::string& filter, const std::string& extension) {
      offeredFilter = filter;
      EXPECT_EQ(extension, "*.csv");
      return path;
    };
    dialogs.chooseDays = [this](const std::string&) -> std::optional<ReportDays> {
      if (cancelDays) return std::nullopt;
      return ReportDays{Moment(10, 15, 30), Moment(10, 6, 10)};
    };
    CReportExporter exporter(manager, dialogs, [this](CChart&, int width, int height, const std::string& bmp) {
      bitmapPaths.push_back(bmp);
      if (failBitmap) return false;
      std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3, 0xC0);
      CBmpFile().SaveBmpFile24(bmp, pixels, width, height);
      return true;
    });
    return exporter.ExportRecorders(kind, macs);
  }
  static platform::TimePoint Moment(int day, int hour, int minute) {
    std::tm local = testing_support::LocalTm(2026, 3, day, hour, minute);
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
  }
  void ExpectNoTempFolderLeft() {
    ASSERT_FALSE(bitmapPaths.empty());
    for (const std::string& bmp : bitmapPaths) EXPECT_FALSE(fs::exists(fs::path(bmp).parent_path())) << bmp;
  }

  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
  testing_support::TempDir dir;
  std::string offeredFilter;
  bool cancelDays = false;
  bool failBitmap = false;
  Texts bitmapPaths;
};

TEST_F(ReportExportTest, EachCsvKindWritesItsTitleHeaderAndRows) {
  const struct {
    int kind;
    Texts lines;
    std::string log;
  } cases[] = {
      {1,
       {"          ,                    ,Users Connected Report        ,                         ,          ",
        "AP Name   ,IP                  ,MAC                           ,DateTime                 , Client NO",
        "AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:00:00      , 3",
        "AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:05:00      ,12",
        "AP_2      ,127.0.0.12          ,02:44:71:00:01:02             ,2026-03-10 08:00:00      , 0",
        "Corridor_West,127.0.0.13          ,02:44:71:00:01:03             ,2026-03-10 08:05:00      , 1"},
       "Export recorders into file[%s] succeeded"},
      {2,
       {"          ,                    ,Total Traffic Report          ,                         ,          ",
        "AP Name   ,IP                  ,MAC                           ,DateTime                 ,   Traffic",
        "AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:00:00      ,       100",
        "AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:05:00      ,       150",
        "AP_2      ,127.0.0.12          ,02:44:71:00:01:02             ,2026-03-10 08:00:00      ,         5",
        "Corridor_West,127.0.0.13          ,02:44:71:00:01:03             ,2026-03-10 08:05:00      ,         7"},
       "Export recorders into file[%s] succeeded"},
      {5,
       {"               ,          ,                    ,Loadbalance Group's Users Report,                         ,"
        "          ",
        "Group Name     ,AP Name   ,IP                  ,MAC                           ,DateTime                 , "
        "Client NO",
        "hall           ,AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:00:00      ,   "
        "      3",
        "hall           ,AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:05:00      ,   "
        "     12",
        "hall           ,Corridor_West,127.0.0.13          ,02:44:71:00:01:03             ,2026-03-10 08:05:00      ,"
        "         1"},
       "Export Loadbalance group recorders into file[%s] succeeded"},
      {4,
       {"                    ,          ,                    ,System Users Report           ,                         ,"
        "          ,          ",
        "Client MAC          ,AP_Name   ,AP_IP               ,AP_MAC                        ,DateTime                 ,"
        "Mode      ,RSSI      ",
        "02:00:00:00:00:aa   ,AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:00:00      ,"
        "2         ,-40       ",
        "02:00:00:00:00:bb   ,AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:05:00      ,"
        "2         ,-40       "},
       "Export Connected recorders into file[%s] succeeded"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.File("kind" + std::to_string(c.kind) + ".csv");
    ASSERT_TRUE(Export(c.kind, path)) << c.kind;
    EXPECT_EQ(CrLfLines(path), c.lines) << c.kind;
    std::string log = c.log;
    log.replace(log.find("%s"), 2, path);
    EXPECT_EQ(database.ActionLog().back(), log);
  }
  EXPECT_TRUE(boxes.Texts().empty());
}

// Traffic is the sum of two 32-bit counters: past 2^32 it is written whole.
TEST_F(ReportExportTest, TrafficPastTwoCountersOf32BitsIsWrittenWhole) {
  AddRound(3, kAp1, "20260310_08:10:00", 2, 8589934590LL);
  const std::string path = dir.File("traffic.csv");
  ASSERT_TRUE(Export(2, path));
  EXPECT_EQ(CrLfLines(path).at(4),
            "AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:10:00      ,8589934590");
}

TEST_F(ReportExportTest, OnlyThePerApKindsOfferThePdfEntry) {
  Export(4, std::nullopt);
  EXPECT_EQ(offeredFilter, "CSV format file (*.csv)|*.csv || PDF format file (*.pdf)|*.pdf||");
  Export(1, std::nullopt);
  EXPECT_EQ(offeredFilter, "CSV format file (*.csv)|*.csv | PDF format file (*.pdf)|*.pdf||");
}

TEST_F(ReportExportTest, ExtensionsCompareWithoutCaseAndOthersWriteNothing) {
  EXPECT_TRUE(Export(1, dir.File("upper.CSV")));
  EXPECT_EQ(CrLfLines(dir.File("upper.CSV")).size(), 6u);
  for (const std::string name : {"report.txt", "report"}) {
    EXPECT_FALSE(Export(1, dir.File(name))) << name;
    EXPECT_FALSE(fs::exists(dir.File(name))) << name;
  }
  EXPECT_EQ(database.ActionLog().size(), 1u);
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(ReportFileNameTest, ANameWithoutTheFiltersExtensionGetsTheChosenOne) {
  const std::string both = "CSV format file (*.csv)|*.csv | PDF format file (*.pdf)|*.pdf||";
  const std::string csvOnly = "CSV format file (*.csv)|*.csv || PDF format file (*.pdf)|*.pdf||";
  const struct {
    std::string typed;
    const std::string& filter;
    int index;
    std::string path;
  } cases[] = {
      {"/tmp/myreport", both, 0, "/tmp/myreport.csv"},   {"/tmp/myreport", both, 1, "/tmp/myreport.pdf"},
      {"/tmp/r.CSV", both, 1, "/tmp/r.CSV"},              {"/tmp/r.pdf", both, 0, "/tmp/r.pdf"},
      {"/tmp/r.txt", both, 0, "/tmp/r.txt.csv"},          {"/tmp/v1.2", both, 1, "/tmp/v1.2.pdf"},
      {"/tmp/r.pdf", csvOnly, 0, "/tmp/r.pdf.csv"},       {"/tmp/r", csvOnly, 5, "/tmp/r.csv"},
      {"", both, 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WithFilterExtension(c.typed, c.filter, c.index), c.path) << c.typed;
}

// A name or group holding a comma or a quote stays in its column; plain fields are written as before.
TEST_F(ReportExportTest, FieldsWithCommasOrQuotesAreQuoted) {
  ASSERT_TRUE(database.Exec("UPDATE device_list_prev SET name = ?, group_balance = ? WHERE mac = ?",
                            {std::string("West \"B\", 2"), std::string("hall, east"), kAp3}));
  const auto columns = [](const std::string& line) {
    Texts fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = !quoted;
      } else if (c == ',' && !quoted) {
        fields.emplace_back();
      } else {
        fields.back() += c;
      }
    }
    return fields;
  };
  ASSERT_TRUE(Export(1, dir.File("users.csv")));
  const Texts users = CrLfLines(dir.File("users.csv"));
  ASSERT_EQ(users.size(), 6u);
  const auto quotedLine = std::find_if(users.begin(), users.end(), [](const std::string& l) { return l[0] == '"'; });
  ASSERT_NE(quotedLine, users.end());
  EXPECT_EQ(*quotedLine, "\"West \"\"B\"\", 2\",127.0.0.13          ,02:44:71:00:01:03             ,"
                      "2026-03-10 08:05:00      , 1");
  EXPECT_EQ(users[2], "AP_1      ,127.0.0.11          ,02:44:71:00:01:01             ,2026-03-10 08:00:00      , 3");
  EXPECT_EQ(columns(*quotedLine).size(), 5u);
  EXPECT_EQ(columns(*quotedLine)[0], "West \"B\", 2");

  ASSERT_TRUE(Export(5, dir.File("groups.csv")));
  const Texts groups = CrLfLines(dir.File("groups.csv"));
  const auto east = std::find_if(groups.begin(), groups.end(), [](const std::string& l) { return l[0] == '"'; });
  ASSERT_NE(east, groups.end());
  const Texts last = columns(*east);
  ASSERT_EQ(last.size(), 6u) << *east;
  EXPECT_EQ(last[0], "hall, east     ");
  EXPECT_EQ(last[1], "West \"B\", 2");
}

TEST_F(ReportExportTest, CancelsAndFailuresWriteNothingAndSaySo) {
  EXPECT_FALSE(Export(1, std::nullopt));
  EXPECT_FALSE(Export(1, std::string()));
  cancelDays = true;
  EXPECT_FALSE(Export(1, dir.File("cancelled.csv")));
  EXPECT_FALSE(fs::exists(dir.File("cancelled.csv")));
  EXPECT_TRUE(boxes.Texts().empty());
  cancelDays = false;

  ASSERT_TRUE(database.Exec("DELETE FROM recorder_polling"));
  EXPECT_FALSE(Export(1, dir.File("empty.csv")));
  EXPECT_FALSE(fs::exists(dir.File("empty.csv")));
  AddRound(1, kAp1, "20260310_08:00:00", 3, 100);
  EXPECT_FALSE(Export(1, dir.File("missing/folder.csv")));
  EXPECT_EQ(boxes.Texts(), (Texts{"No recorders", "Opening file failed"}));
  EXPECT_TRUE(database.ActionLog().empty());
}

TEST_F(ReportExportTest, ClientReportWithoutClientsHoldsTitleAndHeaderOnly) {
  ASSERT_TRUE(database.Exec("DELETE FROM client_connect_ap"));
  ASSERT_TRUE(Export(4, dir.File("clients.csv")));
  EXPECT_EQ(CrLfLines(dir.File("clients.csv")).size(), 2u);
}

TEST_F(ReportExportTest, SameDayWindowCoversTheWholeDay) {
  ASSERT_TRUE(Export(1, dir.File("day.csv")));
  const std::tm begin = platform::LocalTime(manager.report_start);
  const std::tm end = platform::LocalTime(manager.report_end);
  EXPECT_EQ((std::array{begin.tm_mday, begin.tm_hour, begin.tm_min, begin.tm_sec}), (std::array{10, 0, 0, 0}));
  EXPECT_EQ((std::array{end.tm_mday, end.tm_hour, end.tm_min, end.tm_sec}), (std::array{10, 23, 59, 59}));
  EXPECT_EQ(manager.report_start_minutes, platform::MinuteStamp(2026, 3, 10, 0, 0));
  EXPECT_EQ(manager.report_end_minutes, platform::MinuteStamp(2026, 3, 10, 23, 59));
}

TEST_F(ReportExportTest, ThreeChartsMakeTwoPagesOfJpegImagesAtTheirHalves) {
  const std::string path = dir.File("report.pdf");
  ASSERT_TRUE(Export(1, path));
  EXPECT_EQ(PdfInfo(path, "Pages"), "2");
  EXPECT_EQ(PdfInfo(path, "Page size").substr(0, 13), "596 x 842 pts");
  std::istringstream list(Shell("pdfimages -list '" + path + "'"));
  std::string line;
  Texts images;
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    std::string page, num, type, width, height, color, comp, bpc, enc;
    fields >> page >> num >> type >> width >> height >> color >> comp >> bpc >> enc;
    if (type == "image") images.push_back(page + " " + width + "x" + height + " " + color + " " + enc);
  }
  EXPECT_EQ(images, (Texts{"1 600x300 rgb jpeg", "1 600x300 rgb jpeg", "2 600x300 rgb jpeg"}));
  const std::string pdf = ReadFile(path);
  const auto count = [&pdf](const std::string& text) {
    int n = 0;
    for (std::size_t at = pdf.find(text); at != std::string::npos; at = pdf.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("600 0 0 300 6 442 cm"), 2);
  EXPECT_EQ(count("600 0 0 300 6 92 cm"), 1);
  EXPECT_EQ(database.ActionLog().back(), "Export recorders into file[" + path + "] succeeded");
  ExpectNoTempFolderLeft();
}

TEST_F(ReportExportTest, GivenMacsChooseTheApsAndTheirOrder) {
  const std::string path = dir.File("two.pdf");
  ASSERT_TRUE(Export(2, path, {kAp3, "02:44:71:00:09:09", kAp1}));
  EXPECT_EQ(PdfInfo(path, "Pages"), "1");
  EXPECT_EQ(bitmapPaths.size(), 2u);
}

TEST_F(ReportExportTest, FailedPdfStepsReportAndLeaveNoTemporaryFiles) {
  failBitmap = true;
  EXPECT_FALSE(Export(1, dir.File("nochart.pdf")));
  EXPECT_FALSE(fs::exists(dir.File("nochart.pdf")));
  ExpectNoTempFolderLeft();

  failBitmap = false;
  bitmapPaths.clear();
  EXPECT_FALSE(Export(1, dir.File("missing/report.pdf")));
  ExpectNoTempFolderLeft();
  EXPECT_EQ(boxes.Texts(), (Texts{"Exporting file Failed", "Exporting file Failed"}));
  EXPECT_TRUE(database.ActionLog().empty());

  ASSERT_TRUE(database.Exec("DELETE FROM device_list_prev"));
  EXPECT_FALSE(Export(1, dir.File("noaps.pdf")));
  EXPECT_EQ(boxes.Texts().size(), 2u) << "no AP: nothing to say";
}

}  // namespace
