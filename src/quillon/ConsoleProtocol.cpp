#include "quillon/ConsoleProtocol.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/Utf8Text.h"

namespace quillon {

ConsoleDeviceRecord ConsoleDeviceRecord::Received() {
  ConsoleDeviceRecord record;
  record.dhcpState = kDhcpNotReported;
  record.groupInterval = -1;
  return record;
}

std::uint32_t DefaultCapabilityMask(std::uint16_t interfaceVersion) {
  switch (interfaceVersion) {
    case 1: return 0x1FF;
    case 2: return 0x3FF;
    default: return 0;
  }
}

std::string StatusMessage(std::uint16_t status) {
  switch (status & 0x0F) {
    case 0: return "";
    case 1: return "Device return : protocol version Error";
    case 2: return "Device return : password error";
    case 3: return "Device return : command Error";
    case 4: return "Device return : parameters Error";
    case 5: return "Device return : acl Error";
    case 6: return "Device return : dhcp refresh fail";
    default: return "Device return : unknow error";
  }
}

void PutU16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value >> 8);
  at[1] = static_cast<std::uint8_t>(value);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
  PutU16(at, static_cast<std::uint16_t>(value >> 16));
  PutU16(at + 2, static_cast<std::uint16_t>(value));
}

std::uint16_t GetU16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] << 8 | at[1]); }

std::uint32_t GetU32(const std::uint8_t* at) { return std::uint32_t{GetU16(at)} << 16 | GetU16(at + 2); }

ConsoleHeader ConsoleHeader::Read(const std::uint8_t* bytes) {
  ConsoleHeader h;
  h.version = GetU16(bytes + header::kVersion);
  h.revision = GetU16(bytes + header::kRevision);
  std::copy_n(bytes + header::kMac, 6, h.mac.begin());
  h.interfaceVersion = GetU16(bytes + header::kInterfaceVersion);
  h.command = GetU16(bytes + header::kCommand);
  h.status = GetU16(bytes + header::kStatus) & 0x0F;
  h.magic = GetU32(bytes + header::kMagic);
  h.sequence = GetU16(bytes + header::kSequence);
  return h;
}

std::size_t BuildConsoleRequest(std::uint8_t* buffer, std::uint16_t command, std::uint32_t magic) {
  std::memset(buffer, 0, kHeaderSize);
  PutU16(buffer + header::kVersion, kProtocolVersion);
  PutU16(buffer + header::kCommand, command);
  PutU32(buffer + header::kMagic, magic);
  return kHeaderSize;
}

namespace {

class ElementWriter {
 public:
  explicit ElementWriter(std::uint8_t* out) : out_(out) {}

  void Text(std::uint16_t type, const std::string& text, std::size_t width) {
    const std::string fitting = platform::FirstBytes(text, width);  // never half a character on the wire
    Start(type, fitting.size());
    std::memcpy(out_ + written_ - fitting.size(), fitting.data(), fitting.size());
  }
  void U32(std::uint16_t type, std::uint32_t value) { PutU32(Start(type, 4), value); }
  void U16(std::uint16_t type, std::uint16_t value) { PutU16(Start(type, 2), value); }
  void U8(std::uint16_t type, std::uint8_t value) { *Start(type, 1) = value; }

  std::size_t Written() const { return written_; }

 private:
  // Writes the type and length and returns where the value goes.
  std::uint8_t* Start(std::uint16_t type, std::size_t valueLength) {
    std::uint8_t* element = out_ + written_;
    PutU16(element, type);
    PutU16(element + 2, static_cast<std::uint16_t>(valueLength + 4));
    written_ += valueLength + 4;
    return element + 4;
  }

  std::uint8_t* out_;
  std::size_t written_ = 0;
};

bool Allows(std::uint32_t mask, std::uint32_t bit) { return (mask & bit) != 0; }

}  // namespace

std::size_t BuildConsoleTlvs(std::uint8_t* out, const ConsoleDeviceRecord& record, int dhcpAction,
                             bool* ipElementWritten) {
  const std::uint32_t mask = record.capabilities[0];
  ElementWriter writer(out);
  if (Allows(mask, 0x100)) writer.Text(kPassword, record.password, field::kPassword);
  if (Allows(mask, 0x1)) writer.Text(kProductName, record.productName, field::kProductName);
  if (Allows(mask, 0x2)) writer.Text(kSystemName, record.systemName, field::kSystemName);
  if (Allows(mask, 0x4)) writer.Text(kLocation, record.location, field::kLocation);

  // Switching DHCP on clears the fixed addresses but keeps the trap receiver.
  const bool dhcpOn = dhcpAction == kDhcpOn;
  if (ipElementWritten) *ipElementWritten = Allows(mask, 0x8);
  if (Allows(mask, 0x8)) writer.U32(kIpAddress, dhcpOn ? 0 : record.ipAddress);
  if (Allows(mask, 0x20)) writer.U32(kGateway, dhcpOn ? 0 : record.gateway);
  if (Allows(mask, 0x40)) writer.U32(kTrapAddress, record.trapIp);
  if (Allows(mask, 0x10)) writer.U32(kSubnetMask, dhcpOn ? 0 : record.subnetMask);

  if (Allows(mask, 0x80) && !record.furtherText.empty())
    writer.Text(kFurtherText, record.furtherText, field::kFurtherText);

  if (Allows(mask, 0x200) && record.dhcpState != kDhcpNotReported && dhcpAction != kDhcpLeave) {
    const std::uint16_t value = dhcpOn ? record.dhcpState : 0;
    if (record.interfaceVersion == 1)
      writer.U8(kDhcp, static_cast<std::uint8_t>(value));
    else
      writer.U16(kDhcp, value);
  }
  if (Allows(mask, 0x200000) && record.groupInterval != -1)
    writer.U32(kGroupInterval, static_cast<std::uint32_t>(record.groupInterval));
  return writer.Written();
}

std::size_t BuildPasswordTlv(std::uint8_t* out, const std::string& password) {
  ElementWriter writer(out);
  writer.Text(kPassword, password, field::kPassword);
  return writer.Written();
}

namespace {

// The value bytes an element of a fixed-size type needs; 0 for texts and skipped types.
std::size_t FixedValueSize(std::uint16_t type, std::uint16_t interfaceVersion) {
  switch (type) {
    case kIpAddress:
    case kSubnetMask:
    case kGateway:
    case kTrapAddress:
    case kGroupInterval: return 4;
    case kDhcp: return interfaceVersion == 1 ? 1 : 2;
    case kRawPair: return 2;
    case kCapabilities: return 16;
    default: return 0;
  }
}

bool IsKnownElement(std::uint16_t type) {
  switch (type) {
    case kProductName: case kSystemName: case kLocation: case kIpAddress: case kSubnetMask: case kGateway:
    case kTrapAddress: case kFurtherText: case kPassword: case kDhcp: case kRawPair: case kGroupInterval:
    case kCapabilities:
      return true;
    default:
      return false;
  }
}

std::string CutText(const std::uint8_t* value, std::size_t length, std::size_t width) {
  std::string text(reinterpret_cast<const char*>(value), std::min(length, width));
  // A NUL inside the value ends the text, as it would for the fixed fields the switch fills.
  text.resize(std::strlen(text.c_str()));
  return text;
}

void StoreAddress(const std::uint8_t* value, std::uint32_t& number, std::string& text) {
  number = GetU32(value);
  text = AddressText(number);
}

}  // namespace

int ParseConsoleTlvs(std::span<const std::uint8_t> datagram, ConsoleDeviceRecord& record) {
  if (datagram.size() <= kHeaderSize) return 1;
  std::size_t position = kHeaderSize;
  while (datagram.size() - position >= ConsoleTlv::kSize) {
    const std::uint8_t* element = datagram.data() + position;
    const auto [type, length] = ConsoleTlv::Read(element);
    const std::size_t remaining = datagram.size() - position;
    if (!IsKnownElement(type) || length < ConsoleTlv::kSize || length > remaining) break;
    const std::uint8_t* value = element + ConsoleTlv::kSize;
    const std::size_t valueLength = length - ConsoleTlv::kSize;
    if (valueLength < FixedValueSize(type, record.interfaceVersion)) break;
    switch (type) {
      case kProductName: record.productName = CutText(value, valueLength, field::kProductName); break;
      case kSystemName: record.systemName = CutText(value, valueLength, field::kSystemName); break;
      case kLocation: record.location = CutText(value, valueLength, field::kLocation); break;
      case kPassword: record.password = CutText(value, valueLength, field::kPassword); break;
      case kIpAddress: StoreAddress(value, record.ipAddress, record.ipText); break;
      case kSubnetMask: StoreAddress(value, record.subnetMask, record.subnetMaskText); break;
      case kGateway: StoreAddress(value, record.gateway, record.gatewayText); break;
      case kTrapAddress: StoreAddress(value, record.trapIp, record.trapIpText); break;
      case kFurtherText: break;
      case kDhcp: record.dhcpState = record.interfaceVersion == 1 ? value[0] : GetU16(value); break;
      case kRawPair: std::copy_n(value, 2, record.rawPair.begin()); break;
      case kGroupInterval: record.groupInterval = static_cast<std::int32_t>(GetU32(value)); break;
      case kCapabilities:
        for (std::size_t word = 0; word < 4; ++word) record.capabilities[word] = GetU32(value + 4 * word);
        break;
    }
    position += length;
  }
  return 1;
}

int HexTextToBytes(const std::string& text, std::vector<std::uint8_t>& out) {
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (char c : text)
    if (nibble(c) < 0) return -1;
  out.clear();
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(nibble(text[i]) << 4 | nibble(text[i + 1])));
  return 0;
}

std::string MacToText(const std::uint8_t* bytes) {
  char text[13];
  std::snprintf(text, sizeof text, "%02x%02x%02x%02x%02x%02x", bytes[0], bytes[1], bytes[2], bytes[3], bytes[4],
                bytes[5]);
  return text;
}

std::string AddressText(std::uint32_t hostOrder) {
  in_addr address{htonl(hostOrder)};
  char text[INET_ADDRSTRLEN];
  return inet_ntop(AF_INET, &address, text, sizeof text);
}

}  // namespace quillon
