#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdlib>

#include "platform/DebugTrace.h"
#include "platform/Environment.h"

namespace {
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = platform::FormatTrace(format, args);
  va_end(args);
  return text;
}
}  // namespace

TEST(DebugTraceFormatTest, ConversionsAndOddities) {
  EXPECT_EQ(Format("new CSwitch()"), "new CSwitch()");
  EXPECT_EQ(Format(""), "");
  EXPECT_EQ(Format("JudgeDeviceType ERR %d", -100), "JudgeDeviceType ERR -100");
  EXPECT_EQ(Format("%u", 4294967295u), "4294967295");
  EXPECT_EQ(Format("%x/%X", 0xabcu, 0xabcu), "abc/ABC");
  EXPECT_EQ(Format("%f", 1.5), "1.500000");
  EXPECT_EQ(Format("ip %s port %S", "127.0.0.1", "eth0"), "ip 127.0.0.1 port eth0");
  EXPECT_EQ(Format("100%% done"), "100% done");
  EXPECT_EQ(Format("%%d"), "%d") << "an escaped percent takes no argument";
  EXPECT_EQ(Format("%ld"), "ld") << "a length modifier is copied and takes no argument";
  EXPECT_EQ(Format("%5d"), "5d");
  EXPECT_EQ(Format("caf\xC3\xA9 %d", 1), "caf\xC3\xA9 1") << "high-bit bytes pass through";
  EXPECT_EQ(Format("%s", static_cast<const char*>(nullptr)), "");
}

TEST(DebugTraceFormatTest, NeverExceedsTheBuffer) {
  std::string longText(5000, 'a');
  EXPECT_EQ(Format("%s", longText.c_str()).size(), 1023u);
  EXPECT_EQ(Format(longText.c_str()).size(), 1023u);
  std::string nearFull(1020, 'b');
  std::string text = Format("%s%d", nearFull.c_str(), 123456);
  EXPECT_EQ(text.size(), 1023u);
  EXPECT_EQ(text.substr(1020), "123");
}

TEST(DebugTraceLineTest, EveryCallWritesExactlyOneLine) {
  setenv("PELLION_TRACE", "1", 1);
  platform::ReloadOverrides();
  testing::internal::CaptureStderr();
  DebugTrace("here pass!!");
  DebugTrace("JudgeDeviceType ERR %d", -22);
  DebugTrace("%s", "value from a device\r\nsecond part\n");
  DebugTrace("");
  const std::string traces = testing::internal::GetCapturedStderr();
  unsetenv("PELLION_TRACE");
  platform::ReloadOverrides();
  EXPECT_EQ(traces, "here pass!!\nJudgeDeviceType ERR -22\nvalue from a device\\r\\nsecond part\n\n");

  // Without the variable nothing is written.
  testing::internal::CaptureStderr();
  DebugTrace("silent");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(DebugTraceLineTest, LineBreaksInsideAreEscapedAndAtTheEndReplaced) {
  struct Case {
    const char* text;
    const char* line;
  } cases[] = {
      {"", "\n"},
      {"plain", "plain\n"},
      {"ends with one\n", "ends with one\n"},
      {"ends with two\r\n\n", "ends with two\n"},
      {"a\nb\rc", "a\\nb\\rc\n"},
      {"\n", "\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::TraceLine(c.text), c.line) << c.text;
}
