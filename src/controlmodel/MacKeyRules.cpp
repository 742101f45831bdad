#include "controlmodel/MacKeyRules.h"

#include <cctype>

namespace {

constexpr int kBackspace = 8;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

KeyVerdict CMacKeyRules::Judge(int textLength, int character) const {
  if (character == kBackspace) return KeyVerdict::kAccept;
  if (textLength >= mode_) return KeyVerdict::kRefuse;
  if (!TakesAnyCharacter() && (character > 0x7F || HexValue(static_cast<char>(character)) < 0))
    return KeyVerdict::kRefuseNotHex;
  return KeyVerdict::kAccept;
}

std::string CMacKeyRules::BytesToHex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

std::string CMacKeyRules::HexToBytes(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (c != ' ') digits += c;
  std::string bytes;
  for (size_t at = 0; at + 1 < digits.size(); at += 2) {
    // Like "%x" over the pair: a leading non-digit reads nothing, a non-digit second character ends it.
    const int high = HexValue(digits[at]);
    const int low = HexValue(digits[at + 1]);
    int value = 0;
    if (high >= 0) value = low >= 0 ? high * 16 + low : high;
    bytes += static_cast<char>(value);
  }
  return bytes;
}
