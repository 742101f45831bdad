#pragma once
// define.ecf: the console's small configuration file in the cfg folder beside the host program. It holds
// the magic number, the base port, the multicast group and the keep-alive settings as six "key=value"
// lines of fixed value widths, scrambled, followed by a two-byte check trailer.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillon {

struct ConsoleSettings {
  std::uint32_t magic = 0;
  std::uint16_t basePort = 0;
  std::string multicastGroup;  // dotted text, at most 15 characters
  int keepAliveFlag = 0;
  int keepAliveSeconds = 0;

  std::uint16_t UnicastPort() const { return static_cast<std::uint16_t>(basePort + 1); }
  std::uint16_t DevicePort() const { return static_cast<std::uint16_t>(basePort + 2); }
  std::uint16_t MulticastPort() const { return static_cast<std::uint16_t>(basePort + 6); }
};

// The largest define.ecf the reader accepts.
inline constexpr std::size_t kMaxEcfSize = 255;

// The 8-bit end-around-carry sum of the bytes; a stored file with its trailer sums to 0xFF.
std::uint8_t EcfByteSum(std::span<const std::uint8_t> bytes);

// The substitution over the codes 32 to 127; other bytes pass unchanged.
std::string ScrambleEcfText(const std::string& text);
std::string UnscrambleEcfText(const std::string& text);

// The cfg folder beside the running program.
std::filesystem::path GetConsoleCfgDir();

// Reads and checks a stored file. Empty when it is missing, too large or fails its check.
std::optional<ConsoleSettings> ParseDefineEcf(std::span<const std::uint8_t> stored);
// The values the reader takes from an unscrambled text (the check already passed).
ConsoleSettings ParseEcfText(const std::string& text);

// Reads define.ecf in the cfg folder into `settings`: 0 when the file passed its check, -1 otherwise,
// after "define.ecf checksum error" (caption "file error") and with `settings` left as it was.
int ReadDefineEcf(ConsoleSettings& settings, const std::filesystem::path& cfgDir = GetConsoleCfgDir());

// Appends the check trailer to the file. 0 on success; -1 after "open file fail" or "file size too large".
int WriteEcfChecksum(const std::filesystem::path& file);

// The stored form of the settings: the six lines, scrambled, with the trailer. Empty when a value cannot be
// written in its fixed width (a group longer than 15 characters, an interval of more than 9 digits).
std::vector<std::uint8_t> ComposeDefineEcf(const ConsoleSettings& settings);

}  // namespace quillon
