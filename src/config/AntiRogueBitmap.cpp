#include "config/AntiRogueBitmap.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int CAntiRogueBitmap::OfferedPorts(int portCount) { return portCount < 8 ? 0 : std::min(portCount, kMaxPorts) / 8 * 8; }

int CAntiRogueBitmap::ByteCount(int portCount) {
  if (portCount < 1) return 0;
  return (std::min(portCount, kMaxPorts) + 7) / 8;
}

std::string CAntiRogueBitmap::FormatText(const std::vector<unsigned char>& bytes) {
  std::string text;
  char group[4];
  for (unsigned char byte : bytes) {
    std::snprintf(group, sizeof group, "%02X ", byte);
    text += group;
  }
  return text;
}

CAntiRogueBitmap::LoadResult CAntiRogueBitmap::Load(const std::string& storedText, int portCount, int& shownPorts) {
  bits_.fill(0);
  shownPorts = 0;
  std::string text;
  for (char c : storedText)
    if (!std::isspace(static_cast<unsigned char>(c))) text += c;
  const int offered = OfferedPorts(portCount);
  if (static_cast<int>(text.size()) < offered / 8 * 2 || portCount % 4 != 0) return LoadResult::kUnusable;
  // Ports past the last full byte keep the state the text gives them, when it covers them.
  const int last = std::min({portCount, kMaxPorts, static_cast<int>(text.size()) * 4});
  for (int port = 1; port <= last; ++port) {
    const int digit = HexValue(text[(port - 1) / 4]);
    if (digit < 0) return LoadResult::kBadCharacter;
    Set(port, digit & (8 >> ((port - 1) % 4)));
    if (port <= offered) shownPorts = port;
  }
  return LoadResult::kLoaded;
}

bool CAntiRogueBitmap::IsSet(int port) const {
  if (port < 1 || port > kMaxPorts) return false;
  return bits_[(port - 1) / 8] & (0x80 >> ((port - 1) % 8));
}

void CAntiRogueBitmap::Set(int port, bool enable) {
  const unsigned char bit = 0x80 >> ((port - 1) % 8);
  unsigned char& byte = bits_[(port - 1) / 8];
  byte = enable ? byte | bit : byte & ~bit;
}

void CAntiRogueBitmap::SetRange(int from, int to, bool enable, int portCount) {
  for (int port = std::max(from, 1); port <= std::min({to, portCount, kMaxPorts}); ++port) Set(port, enable);
}

std::vector<unsigned char> CAntiRogueBitmap::Bytes(int portCount) const {
  return {bits_.begin(), bits_.begin() + ByteCount(portCount)};
}
