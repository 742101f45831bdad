#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "quillon/DefineEcf.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

using namespace quillon;
using testing_support::MessageBoxRecorder;
using testing_support::TempDir;

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

ConsoleSettings Sample() {
  ConsoleSettings s;
  s.magic = 0xA1B2C3D4;
  s.basePort = 0x5A40;
  s.multicastGroup = "239.255.255.250";
  s.keepAliveFlag = 1;
  s.keepAliveSeconds = 30;
  return s;
}

}  // namespace

TEST(DefineEcf, ScramblingIsUndoneForEveryPrintableCodeAndLeavesLineBreaks) {
  std::string text;
  for (int c = 32; c < 128; ++c) text.push_back(static_cast<char>(c));
  text += "\r\n";
  const std::string scrambled = ScrambleEcfText(text);
  EXPECT_NE(scrambled, text);
  EXPECT_EQ(scrambled.substr(scrambled.size() - 2), "\r\n");
  EXPECT_EQ(UnscrambleEcfText(scrambled), text);
}

TEST(DefineEcf, ComposedFileSumsToFFAndReadsBack) {
  TempDir dir;
  const auto stored = ComposeDefineEcf(Sample());
  EXPECT_EQ(EcfByteSum(stored), 0xFF);
  WriteFile(dir.Path() / "define.ecf", stored);
  ConsoleSettings read;
  ASSERT_EQ(ReadDefineEcf(read, dir.Path()), 0);
  EXPECT_EQ(read.magic, 0xA1B2C3D4u);
  EXPECT_EQ(read.basePort, 0x5A40);
  EXPECT_EQ(read.DevicePort(), 0x5A42);
  EXPECT_EQ(read.MulticastPort(), 0x5A46);
  EXPECT_EQ(read.multicastGroup, "239.255.255.250");
  EXPECT_EQ(read.keepAliveFlag, 1);
  EXPECT_EQ(read.keepAliveSeconds, 30);
}

TEST(DefineEcf, ValuesAreTakenAtTheirFixedWidths) {
  const std::string text =
      "m=0000BEEF\r\np=1F40\r\ng=224.1.2.3      \r\nmulticast_timer_flag=1\r\nstrlen_multi_timer=%\r\n"
      "multicast_timer=30\r\n";
  struct Case {
    char digits;
    int seconds;
  };
  for (const Case c : {Case{'2', 30}, Case{'1', 3}, Case{'0', 0}}) {
    std::string t = text;
    t[t.find('%')] = c.digits;
    const ConsoleSettings s = ParseEcfText(t);
    EXPECT_EQ(s.keepAliveSeconds, c.seconds) << c.digits;
    EXPECT_EQ(s.magic, 0xBEEFu);
    EXPECT_EQ(s.basePort, 0x1F40);
    EXPECT_EQ(s.multicastGroup, "224.1.2.3      ") << "the group text is taken unchanged, 15 characters";
  }
  EXPECT_EQ(ParseEcfText("m=0000BEEG\r\np=1F40\r\n").magic, 0u) << "a non-hexadecimal value stays 0";
}

TEST(DefineEcf, DamagedMissingOrOversizedFilesFailTheCheck) {
  TempDir dir;
  MessageBoxRecorder boxes;
  ConsoleSettings untouched;
  untouched.basePort = 7;

  EXPECT_EQ(ReadDefineEcf(untouched, dir.Path()), -1) << "missing";

  auto stored = ComposeDefineEcf(Sample());
  stored[5] ^= 0x01;
  WriteFile(dir.Path() / "define.ecf", stored);
  EXPECT_EQ(ReadDefineEcf(untouched, dir.Path()), -1) << "one byte changed";

  std::vector<std::uint8_t> large(400, 'x');
  large.push_back(0);
  large.push_back(0);
  large[large.size() - 2] = static_cast<std::uint8_t>(0xFF - EcfByteSum(large));
  large.back() = 0xFF;
  ASSERT_EQ(EcfByteSum(large), 0xFF);
  WriteFile(dir.Path() / "define.ecf", large);
  EXPECT_EQ(ReadDefineEcf(untouched, dir.Path()), -1) << "a file past 255 bytes";

  EXPECT_EQ(untouched.basePort, 7);
  ASSERT_EQ(boxes.Boxes().size(), 3u);
  for (const auto& box : boxes.Boxes()) {
    EXPECT_EQ(box.text, "define.ecf checksum error");
    EXPECT_EQ(box.caption, "file error");
  }
}

TEST(DefineEcf, ChecksumWriterAppendsTheTrailer) {
  TempDir dir;
  MessageBoxRecorder boxes;
  const std::string scrambled = ScrambleEcfText("a=00000001\r\nb=0001\r\nc=239.0.0.1      \r\n");
  WriteFile(dir.Path() / "define.ecf", {scrambled.begin(), scrambled.end()});
  ASSERT_EQ(WriteEcfChecksum(dir.Path() / "define.ecf"), 0);
  const auto stored = ReadFile(dir.Path() / "define.ecf");
  EXPECT_EQ(stored.size(), scrambled.size() + 2);
  EXPECT_EQ(stored.back(), 0xFF);
  EXPECT_EQ(EcfByteSum(stored), 0xFF);

  WriteFile(dir.Path() / "big.ecf", std::vector<std::uint8_t>(1025, 'x'));
  EXPECT_EQ(WriteEcfChecksum(dir.Path() / "big.ecf"), -1);
  EXPECT_EQ(WriteEcfChecksum(dir.Path() / "absent.ecf"), -1);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"file size too large", "open file fail"}));
}

TEST(DefineEcf, ByteSumFoldsItsCarry) {
  const std::vector<std::uint8_t> zero{}, one{0x01}, wraps{0xFF, 0x02}, many(300, 0xFF);
  EXPECT_EQ(EcfByteSum(zero), 0);
  EXPECT_EQ(EcfByteSum(one), 1);
  EXPECT_EQ(EcfByteSum(wraps), 0x02);  // 0x101: 0x01 + 0x01
  EXPECT_EQ(EcfByteSum(many), 0xFE) << "the 16-bit counter wraps: 76500 is kept as 0x2AD4";
}

TEST(DefineEcf, GeneratorRefusesAGroupThatDoesNotFit) {
  ConsoleSettings s = Sample();
  s.multicastGroup = "239.255.255.2500";
  EXPECT_TRUE(ComposeDefineEcf(s).empty());
}
