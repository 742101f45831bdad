#include "platform/Utf8Text.h"

namespace platform {
namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char byte : text) count += !IsContinuationByte(byte);
  return count;
}

std::string FirstCharacters(std::string_view text, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (characters == maxCharacters) return std::string(text.substr(0, i));
    ++characters;
  }
  return std::string(text);
}

std::string FirstBytes(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t length = maxBytes;
  while (length > 0 && IsContinuationByte(text[length])) --length;
  return std::string(text.substr(0, length));
}

}  // namespace platform
