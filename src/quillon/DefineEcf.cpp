#include "quillon/DefineEcf.h"

#include <unistd.h>

#include <cstdio>
#include <tuple>
#include <utility>
#include <fstream>
#include <iterator>

#include "platform/MessageBox.h"
#include "quillon/ConsoleProtocol.h"

namespace quillon {
namespace {

// The scrambling pair: m must be invertible modulo 96 (odd and not a multiple of 3).
constexpr int kMultiplier = 37;
constexpr int kOffset = 53;

int InverseModulo96(int m) {
  // Extended Euclid on (m, 96).
  int oldR = m, r = 96, oldS = 1, s = 0;
  while (r != 0) {
    const int q = oldR / r;
    std::tie(oldR, r) = std::pair{r, oldR - q * r};
    std::tie(oldS, s) = std::pair{s, oldS - q * s};
  }
  return ((oldS % 96) + 96) % 96;
}

bool Scrambles(char c) { return static_cast<signed char>(c) >= 32; }

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::filesystem::path& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  char c;
  while (in.get(c)) {
    if (bytes.size() == limit) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(c));
  }
  return bytes;
}

// The value after the next '=' from `position`, exactly `width` characters or what is left.
std::string TakeValue(const std::string& text, std::size_t& position, std::size_t width) {
  const std::size_t equals = text.find('=', position);
  if (equals == std::string::npos) {
    position = text.size();
    return "";
  }
  std::string value = text.substr(equals + 1, width);
  position = equals + 1;
  return value;
}

int LeadingDecimal(const std::string& text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > 99'999'999) break;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::uint32_t BigEndianHex(const std::string& text, std::size_t bytes) {
  std::vector<std::uint8_t> out;
  if (HexTextToBytes(text, out) != 0) return 0;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i) value = value << 8 | (i < out.size() ? out[i] : 0);
  return value;
}

}  // namespace

std::uint8_t EcfByteSum(std::span<const std::uint8_t> bytes) {
  std::uint16_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint16_t>(sum + b);
  unsigned folded = (sum & 0xFF) + (sum >> 8);
  folded = (folded & 0xFF) + (folded >> 8);
  return static_cast<std::uint8_t>(folded);
}

std::string ScrambleEcfText(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (Scrambles(c)) c = static_cast<char>(32 + (kMultiplier * static_cast<unsigned char>(c) + kOffset) % 96);
  return out;
}

std::string UnscrambleEcfText(const std::string& text) {
  static const int inverse = InverseModulo96(kMultiplier);
  std::string out = text;
  for (char& c : out) {
    if (!Scrambles(c)) continue;
    // e = 32 + (m*c + k) mod 96, with c in 32..127: c mod 96 = inverse * (e - 32 - k) mod 96.
    const int residue = ((inverse * (static_cast<unsigned char>(c) - 32 - kOffset)) % 96 + 96) % 96;
    c = static_cast<char>(residue < 32 ? residue + 96 : residue);
  }
  return out;
}

std::filesystem::path GetConsoleCfgDir() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path() / "cfg";
  return program.parent_path() / "cfg";
}

ConsoleSettings ParseEcfText(const std::string& text) {
  ConsoleSettings settings;
  std::size_t position = 0;
  const std::string magic = TakeValue(text, position, 8);
  const std::string port = TakeValue(text, position, 4);
  settings.multicastGroup = TakeValue(text, position, 15);
  settings.keepAliveFlag = LeadingDecimal(TakeValue(text, position, 1));
  const int digits = LeadingDecimal(TakeValue(text, position, 1));
  settings.keepAliveSeconds = LeadingDecimal(TakeValue(text, position, static_cast<std::size_t>(digits)));
  settings.magic = BigEndianHex(magic, 4);
  settings.basePort = static_cast<std::uint16_t>(BigEndianHex(port, 2));
  return settings;
}

std::optional<ConsoleSettings> ParseDefineEcf(std::span<const std::uint8_t> stored) {
  if (stored.size() < 2 || stored.size() > kMaxEcfSize || EcfByteSum(stored) != 0xFF) return std::nullopt;
  std::string text;
  for (std::size_t i = 0; i + 2 < stored.size(); ++i) {
    const char c = static_cast<char>(stored[i]);
    if (c == '\r' && i + 3 < stored.size() && stored[i + 1] == '\n') continue;  // CR LF becomes LF
    text.push_back(c);
  }
  return ParseEcfText(UnscrambleEcfText(text));
}

int ReadDefineEcf(ConsoleSettings& settings, const std::filesystem::path& cfgDir) {
  const auto stored = ReadSmallFile(cfgDir / "define.ecf", kMaxEcfSize);
  const auto parsed = stored ? ParseDefineEcf(*stored) : std::nullopt;
  if (!parsed) {
    platform::MessageBox("define.ecf checksum error", "file error", platform::MB_ICONERROR);
    return -1;
  }
  settings = *parsed;
  return 0;
}

int WriteEcfChecksum(const std::filesystem::path& file) {
  const auto bytes = ReadSmallFile(file, 1024);
  if (!bytes) {
    if (std::ifstream(file)) {
      platform::MessageBox("file size too large");
    } else {
      platform::MessageBox("open file fail");
    }
    return -1;
  }
  std::vector<std::uint8_t> withZeros = *bytes;
  withZeros.insert(withZeros.end(), {0, 0});
  const std::uint8_t sum = EcfByteSum(withZeros);
  std::ofstream out(file, std::ios::binary | std::ios::app);
  const char trailer[2] = {static_cast<char>(0xFF - sum), static_cast<char>(0xFF)};
  if (!out.write(trailer, 2)) {
    platform::MessageBox("open file fail");
    return -1;
  }
  return 0;
}

std::vector<std::uint8_t> ComposeDefineEcf(const ConsoleSettings& settings) {
  const std::string interval = std::to_string(settings.keepAliveSeconds);
  if (settings.multicastGroup.size() > 15 || settings.keepAliveSeconds < 0 || interval.size() > 9) return {};
  char head[64];
  std::snprintf(head, sizeof head, "magic=%08X\r\nport=%04X\r\n", settings.magic, settings.basePort);
  std::string group = settings.multicastGroup;
  group.resize(15, ' ');  // the reader takes 15 characters; the address parser stops at the blank
  const std::string text = std::string(head) + "group=" + group + "\r\n" +
                           "multicast_timer_flag=" + std::to_string(settings.keepAliveFlag ? 1 : 0) + "\r\n" +
                           "strlen_multi_timer=" + std::to_string(interval.size()) + "\r\n" +
                           "multicast_timer=" + interval + "\r\n";
  const std::string scrambled = ScrambleEcfText(text);
  std::vector<std::uint8_t> stored(scrambled.begin(), scrambled.end());
  stored.insert(stored.end(), {0, 0});
  const std::uint8_t sum = EcfByteSum(stored);
  stored[stored.size() - 2] = static_cast<std::uint8_t>(0xFF - sum);
  stored[stored.size() - 1] = 0xFF;
  return stored;
}

}  // namespace quillon
