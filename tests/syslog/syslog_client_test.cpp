// The syslog client: its formatter, the datagrams a real UDP socket receives, and the log file.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "syslog/Printk.h"
#include "syslog/SyslogClient.h"
#include "syslog/SyslogFormat.h"
#include "platform/Clock.h"
#include "support/SyslogServer.h"
#include "support/LocalTime.h"

using namespace syslog_client;
using testing_support::SyslogServer;

namespace {

std::string Format(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  syslog_vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

class SyslogClientTest : public ::testing::Test {
 protected:
  // Each test process has a log file of its own: parallel runs of this program would share the default.
  SyslogClientTest() {
    testing_support::PinLocalTime(2009, 3, 5, 14, 7, 9);
    syslog_setlogfile(logPath_.c_str());
  }
  ~SyslogClientTest() override {
    const std::string log = syslog_logfile();
    closelog();
    setlogmask(255);
    if (!log.empty()) std::filesystem::remove(log);
    platform::UnpinClock();
    syslog_setlogfile(nullptr);
  }
  const std::string pid_ = std::to_string(getpid());
  const std::string logPath_ =
      (std::filesystem::temp_directory_path() / ("pellion-syslog-" + pid_ + ".log")).string();
};

}  // namespace

TEST(SyslogFormatTest, ConversionsOfItsOwnAndNoneThatWritesThroughAnArgument) {
  errno = ENOENT;
  const std::string noEntry = Format("%m");
  EXPECT_EQ(noEntry, std::strerror(ENOENT));
  testing_support::PinLocalTime(2009, 3, 5, 14, 7, 9);
  EXPECT_EQ(Format("[%t]"), "[2009-03-05 14:07:09]");
  platform::UnpinClock();

  const struct {
    std::string got;
    std::string expected;
  } cases[] = {
      {Format("%05d", -42), "00-42"},
      {Format("%d|%.3d|%3d", 0, 7, -5), "0|007| -5"},
      {Format("%u %o %x %X", 4294967295u, 8u, 255u, 255u), "4294967295 10 ff FF"},
      {Format("%p", reinterpret_cast<void*>(0x1f)), "0x1F"},
      {Format("%*d|%.*s", 4, 7, 2, "abcdef"), "   7|ab"},
      {Format("%5s|%s|%c", "ab", static_cast<const char*>(nullptr), 'A'), "   ab|(null)|A"},
      {Format("%I", htonl(0xC0A80001u)), "192.168.0.1"},
      {Format("%S %S", 0, 5), "None Unknown 5"},
      {Format("%q", "a\"b\\\n\x01\x7f"), "a\\\"b\\\\\\n\\x01\\x7f"},
      {Format("%v", "\x01\x7f\xc1\tz"), "^A^?M-A\tz"},
      {Format("%0.3q", "a\0b"), "a\\x00b"},
      {Format("%%|%k|%ld|%n|50%", 1), "%|%k|%ld|%n|50%"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(SyslogFormatTest, OutputIsCutToTheBufferAndAlwaysEnds) {
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(syslog_snprintf(buffer, sizeof buffer, "%s", "abcdef"), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(syslog_snprintf(buffer, 1, "%d", 12345), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(syslog_snprintf(buffer, 0, "abc"), -1);
}

// Texts from devices and the event log arrive as arguments: whatever their bytes, the output stays inside
// its buffer and ends there.
TEST(SyslogFormatTest, ArbitraryTextsInAnyBufferSizeStayInsideIt) {
  std::mt19937 random(20);
  const char* formats[] = {"%s", "%q", "%v", "%20s|%.5q", "%0.7q", "<%3d>%s: %v\n"};
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 300 + 7, '\0');  // "%0.7q" takes seven raw bytes
    for (char& c : text) c = static_cast<char>(random() % 255 + 1);
    const std::size_t size = random() % 80 + 1;
    std::vector<char> buffer(size + 8, '#');
    const char* format = formats[round % std::size(formats)];
    const int written = format[0] == '<' ? syslog_snprintf(buffer.data(), size, format, 150, text.c_str(), text.c_str())
                                         : syslog_snprintf(buffer.data(), size, format, text.c_str(), text.c_str());
    ASSERT_GE(written, 0);
    ASSERT_LT(static_cast<std::size_t>(written), size);
    ASSERT_EQ(std::strlen(buffer.data()), static_cast<std::size_t>(written));
    ASSERT_EQ(buffer[size], '#') << "written past the buffer";
  }
}

// The text of a row is an argument, never the format: "%s%n" in it arrives as it stands.
TEST_F(SyslogClientTest, DatagramsCarryPriorityIdentAndTextAndTheFileTheStamp) {
  SyslogServer server;
  ASSERT_EQ(syslog_sethost("127.0.0.1"), std::optional<std::string>("127.0.0.1"));
  EXPECT_EQ(openlog("Pellion", kLogPid, 144), 0);
  EXPECT_EQ(syslog(6, "%s", "rate 100%s%n"), 0);

  const std::string head = "<150>Pellion[" + pid_ + "]: ";
  const auto started = server.Receive();
  ASSERT_TRUE(started);
  EXPECT_TRUE(started->starts_with(head + "syslog client at ")) << *started;
  EXPECT_TRUE(started->ends_with(" started.\n")) << *started;
  EXPECT_EQ(server.Receive(), head + "Logging to host 127.0.0.1 (127.0.0.1)\n");
  EXPECT_EQ(server.Receive(), head + "rate 100%s%n\n");

  // A priority with a facility of its own keeps it, written in three places.
  EXPECT_EQ(syslog(14, "line\n"), 0);
  EXPECT_EQ(server.Receive(), "< 14>Pellion[" + pid_ + "]: line\n");
  // Levels beyond the mask are not logged.
  setlogmask(4);
  EXPECT_EQ(syslog(6, "too chatty"), 0);
  EXPECT_EQ(syslog(3, "urgent"), 0);
  EXPECT_EQ(server.Receive(), head.substr(0, 1) + "147>Pellion[" + pid_ + "]: urgent\n");
  // A long text is cut so the message still ends with its newline.
  EXPECT_EQ(syslog(3, "%s", std::string(3000, 'a').c_str()), 0);
  const auto cut = server.Receive();
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->size(), kMessageBufferSize - 2 - std::string("2009-03-05 14:07:09 ").size());
  EXPECT_TRUE(cut->ends_with("aaa\n"));

  std::ifstream file(syslog_logfile());
  std::stringstream lines;
  lines << file.rdbuf();
  EXPECT_NE(lines.str().find("<150>2009-03-05 14:07:09 Pellion[" + pid_ + "]: rate 100%s%n\n"), std::string::npos)
      << lines.str();
  EXPECT_EQ(lines.str().find("too chatty"), std::string::npos);
}

TEST_F(SyslogClientTest, NoHostWritesOnlyTheFileAndAnUnknownHostIsRefused) {
  SyslogServer server;
  EXPECT_EQ(syslog_sethost("no-such-host.invalid"), std::nullopt);
  EXPECT_EQ(syslog_lasterror(), "Unknown host `no-such-host.invalid'");

  EXPECT_EQ(syslog_sethost("0.0.0.0"), std::optional<std::string>("0.0.0.0"));
  EXPECT_EQ(openlog(nullptr, 0, 0), 0);
  EXPECT_EQ(syslog(6, "to the file only"), 0);
  EXPECT_EQ(server.Receive(200), std::nullopt);
  std::ifstream file(syslog_logfile());
  std::stringstream lines;
  lines << file.rdbuf();
  EXPECT_NE(lines.str().find("to the file only\n"), std::string::npos);
}

TEST(PrintkTest, WritesEachMessageAtOnceAndNothingBeforeItsStart) {
  printk("dropped %d", 1);
  char* text = nullptr;
  size_t size = 0;
  FILE* stream = open_memstream(&text, &size);
  ASSERT_EQ(printk_init(64, stream), 1);
  printk("%s=%I;", "host", htonl(0x7F000001u));
  printk("%q", "\n");
  printk_exit();
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "host=127.0.0.1;\\n");
  std::free(text);
}
