// Mutated replies and define.ecf files: the reader must neither crash nor read past what it was given
// (run under the sanitizer build too), and the console must go on answering afterwards.
#include <gtest/gtest.h>

#include <random>

#include "ReplyBuilder.h"
#include "quillon/ConsoleSession.h"
#include "quillon/DefineEcf.h"
#include "support/MessageRecorder.h"

using namespace quillon;

namespace {

std::vector<std::uint8_t> Mutate(std::vector<std::uint8_t> bytes, std::mt19937& random) {
  const int edits = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < edits && !bytes.empty(); ++i) {
    switch (random() % 4) {
      case 0: bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random()); break;
      case 1: bytes.resize(random() % (bytes.size() + 1)); break;
      case 2: bytes.insert(bytes.begin() + static_cast<long>(random() % bytes.size()), static_cast<std::uint8_t>(random())); break;
      case 3: bytes[random() % bytes.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
    }
  }
  return bytes;
}

}  // namespace

TEST(ParserFuzz, MutatedRepliesNeverBreakTheConsole) {
  testing_support::MessageBoxRecorder boxes;
  quillon_test::Reply seed;
  seed.Text(kProductName, "Switch").Text(kSystemName, "core").Add(kIpAddress, {10, 0, 0, 1}).Add(kDhcp, {0, 1});
  seed.Add(kGroupInterval, {0, 0, 0, 30}).Add(kCapabilities, std::vector<std::uint8_t>(16, 0xFF));
  const auto original = seed.Bytes();
  ConsoleSettings settings;
  settings.magic = quillon_test::kMagic;
  CConsoleSession session(settings);
  std::mt19937 random(20261211);
  for (int i = 0; i < 5000; ++i) {
    const auto mutated = Mutate(original, random);
    session.HandleConsoleDatagram(mutated, 0x7F000001);
    ConsoleDeviceRecord record = ConsoleDeviceRecord::Received();
    ParseConsoleTlvs(mutated, record);
    EXPECT_LE(record.productName.size(), field::kProductName);
    EXPECT_LE(record.systemName.size(), field::kSystemName);
  }
  EXPECT_LE(session.List().Count(), CConsoleSession::kTableSize);
  // Still answering: a clean reply of a new switch is listed.
  quillon_test::Reply clean = seed;
  clean.mac = "00aa00aa00aa";
  session.HandleConsoleDatagram(clean.Bytes(), 0x7F000002);
  EXPECT_GE(session.List().FindByMac("00aa00aa00aa"), 0);
}

TEST(ParserFuzz, MutatedDefineEcfFilesAreReadOrRefusedCleanly) {
  ConsoleSettings settings;
  settings.magic = 0xDEADBEEF;
  settings.basePort = 5000;
  settings.multicastGroup = "239.1.2.3";
  settings.keepAliveFlag = 1;
  settings.keepAliveSeconds = 120;
  const auto original = ComposeDefineEcf(settings);
  std::mt19937 random(7);
  int refused = 0;
  for (int i = 0; i < 5000; ++i) {
    const auto parsed = ParseDefineEcf(Mutate(original, random));
    if (!parsed) {
      ++refused;
      continue;
    }
    EXPECT_LE(parsed->multicastGroup.size(), 15u);
  }
  EXPECT_GT(refused, 0);
}
