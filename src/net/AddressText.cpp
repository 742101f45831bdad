#include "net/AddressText.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "net/IPv4Address.h"

namespace {

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int IsValidIpText(const char* text) {
  if (!text) return -1;
  const size_t length = std::strlen(text);
  if (length < 7 || length > 15) return -1;
  int digits = 0;
  int parts = 0;
  int value = 0;
  for (size_t i = 0;; ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++digits;
      if (digits <= 3) value = value * 10 + (c - '0');
      continue;
    }
    if (c != '.' && c != '\0') return -3;
    ++parts;
    if (digits == 0 || digits > 3) return -2;
    if (value > 255) return -3;
    if (c == '\0') return parts == 4 ? 0 : -4;
    digits = 0;
    value = 0;
  }
}

int IsValidMacText(const std::string& text) {
  if (text.size() != 12) return -1;
  for (char c : text)
    if (!IsHex(c)) return -1;
  return 0;
}

bool IsValidMacText17(std::string& text) {
  const char* blanks = " \t\r\n\v\f";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) {
    text.clear();
  } else {
    text.erase(text.find_last_not_of(blanks) + 1);
    text.erase(0, first);
  }
  if (text.size() != 17) return false;
  for (size_t i = 0; i < 17; ++i) {
    const bool separator = i % 3 == 2;
    if (separator ? (text[i] != ':' && text[i] != '-') : !IsHex(text[i])) return false;
  }
  return true;
}

int NormalizeMacSpacing(char* text, int bufferLength) {
  if (bufferLength < 18 || std::strlen(text) < 17) return -1;
  for (int i = 0; i < 17; ++i) {
    if (i % 3 == 2) {
      if (text[i] != ' ') return -2;
    } else if (!IsHex(text[i])) {
      return -3;
    }
  }
  text[17] = '\0';
  return 1;
}

std::optional<std::string> FormatMacOctets(const std::vector<unsigned char>& octets) {
  if (octets.size() != 6) return std::nullopt;
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", octets[0], octets[1], octets[2], octets[3],
                octets[4], octets[5]);
  return std::string(text);
}

bool IsDeviceMac(const std::string& mac) { return mac != "00:00:00:00:00:00" && mac != "FF:FF:FF:FF:FF:FF"; }

char* FormatMacColons(char* text) {
  for (int i = 2; i <= 14; i += 3) text[i] = ':';
  return text;
}

bool GetClassfulNetmask(const std::string& ipText, std::string& mask) {
  int first = 0;
  if (std::sscanf(ipText.c_str(), "%d", &first) != 1) return false;
  switch (CIPv4Address(ipText).GetClass()) {
    case 1: mask = "255.0.0.0"; return true;
    case 2: mask = "255.255.0.0"; return true;
    case 3: mask = "255.255.255.0"; return true;
    default: return false;
  }
}
