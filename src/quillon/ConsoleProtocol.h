#pragma once
// The switches' own UDP console protocol: a 40-byte big-endian header followed by type-length-value
// elements. Builders write requests into a caller's buffer; the parser reads a reply into a device record
// and trusts nothing the datagram says about its own lengths.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quillon {

inline constexpr std::size_t kHeaderSize = 40;
inline constexpr std::size_t kMaxDatagram = 1500;
inline constexpr std::uint16_t kProtocolVersion = 2;
inline constexpr std::uint16_t kReplyRevision = 1;

// Header field offsets.
namespace header {
inline constexpr std::size_t kVersion = 0, kRevision = 2, kMac = 4, kInterfaceVersion = 10, kCommand = 12,
                             kStatus = 14, kMagic = 16, kSequence = 26;
}

enum ConsoleCommand : std::uint16_t {
  kDiscovery = 1,
  kDiscoveryReply = 2,
  kSet = 3,
  kSetReply = 4,
  kSetReplyUnchecked = 8,
  kTrap = 9,
  kUpgradeTrigger = 10,
  kUpgradeAck = 11,
  kLoaderReply = 12,
};

enum ConsoleElement : std::uint16_t {
  kProductName = 1,
  kSystemName = 2,
  kLocation = 3,
  kIpAddress = 4,
  kSubnetMask = 5,
  kGateway = 6,
  kTrapAddress = 7,
  kFurtherText = 8,
  kPassword = 9,
  kDhcp = 10,
  kRawPair = 21,
  kGroupInterval = 22,
  kCapabilities = 129,
};

// What the console sends to switch DHCP on or off with a set.
enum DhcpAction { kDhcpLeave = 0, kDhcpOff = 1, kDhcpOn = 2 };

inline constexpr std::uint16_t kDhcpNotReported = 2;
inline constexpr std::uint16_t kLoaderMarker = 100;

// The console's record of one switch. Text fields keep the widths the wire format allows; a longer value
// from a switch is cut to them.
struct ConsoleDeviceRecord {
  std::uint32_t magic = 0;
  std::string macText;        // 12 lowercase hexadecimal digits
  std::string productName;    // at most 40 characters
  std::string systemName;     // at most 20
  std::string location;       // at most 20
  std::string groupIntervalText;
  std::string ipText, trapIpText, subnetMaskText, gatewayText;
  std::string password;       // at most 20
  std::string furtherText;    // at most 21
  std::uint32_t ipAddress = 0, trapIp = 0, subnetMask = 0, gateway = 0;  // host order
  std::int32_t groupInterval = -1;
  std::array<std::uint8_t, 2> rawPair{};
  std::int32_t exists = 0;
  std::int32_t missCount = 0;
  std::int32_t notAlive = -1;
  std::int32_t answered = 1;
  std::uint16_t command = 0;
  std::uint16_t protocolVersion = 0;
  std::uint16_t interfaceVersion = 0;
  std::uint16_t protocolRevision = 0;
  std::uint16_t loaderMarker = 0;
  std::uint16_t dhcpState = kDhcpNotReported;
  std::array<std::uint32_t, 4> capabilities{};

  // The record a reply is read into: DHCP not reported, no group interval.
  static ConsoleDeviceRecord Received();
};

// Field widths of the texts a switch sends.
namespace field {
inline constexpr std::size_t kProductName = 40, kSystemName = 20, kLocation = 20, kPassword = 20,
                             kFurtherText = 21;
}

// The capability mask a switch has before it reports its own: by interface version.
std::uint32_t DefaultCapabilityMask(std::uint16_t interfaceVersion);

// The status word's message for a non-zero status (low four bits); "" for 0.
std::string StatusMessage(std::uint16_t status);

// Big-endian access to a buffer.
void PutU16(std::uint8_t* at, std::uint16_t value);
void PutU32(std::uint8_t* at, std::uint32_t value);
std::uint16_t GetU16(const std::uint8_t* at);
std::uint32_t GetU32(const std::uint8_t* at);

// A reply's header, read from at least kHeaderSize bytes.
struct ConsoleHeader {
  std::uint16_t version = 0, revision = 0, interfaceVersion = 0, command = 0, status = 0, sequence = 0;
  std::array<std::uint8_t, 6> mac{};
  std::uint32_t magic = 0;
  static ConsoleHeader Read(const std::uint8_t* bytes);
};

// The head of one element: its type and the length of the whole element, these four bytes included.
struct ConsoleTlv {
  static constexpr std::size_t kSize = 4;
  std::uint16_t type = 0;
  std::uint16_t length = 0;
  static ConsoleTlv Read(const std::uint8_t* bytes) { return {GetU16(bytes), GetU16(bytes + 2)}; }
};

// Writes a request header (version 2, revision 0, the command and the magic, zeros elsewhere); returns 40.
std::size_t BuildConsoleRequest(std::uint8_t* buffer, std::uint16_t command, std::uint32_t magic);

// Writes the elements of a set from the record, each only when its capability bit allows it. Returns the
// bytes written; `out` must hold kMaxDatagram - kHeaderSize bytes. `ipElementWritten` tells whether the
// address element went out (the console then remembers the record's address as the one being set).
std::size_t BuildConsoleTlvs(std::uint8_t* out, const ConsoleDeviceRecord& record, int dhcpAction,
                             bool* ipElementWritten = nullptr);

// Element 9 with the password's characters (at most 20 are sent); returns the element's length.
std::size_t BuildPasswordTlv(std::uint8_t* out, const std::string& password);

// Reads the elements after the header into the record. An element is taken only when 4 <= its length <=
// what remains of the datagram and the length fits its type; anything else ends the walk, keeping what
// was read before it. Returns 1.
int ParseConsoleTlvs(std::span<const std::uint8_t> datagram, ConsoleDeviceRecord& record);

// Hexadecimal text to bytes, two digits a byte, a trailing odd digit ignored. -1 (nothing written) when a
// character is not a hexadecimal digit.
int HexTextToBytes(const std::string& text, std::vector<std::uint8_t>& out);
// Six bytes as 12 lowercase hexadecimal digits.
std::string MacToText(const std::uint8_t* bytes);
// An IPv4 address in host order as dotted text.
std::string AddressText(std::uint32_t hostOrder);

}  // namespace quillon
