#include "platform/Utf8Text.h"

namespace platform {

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char byte : text) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;  // continuation bytes
  return count;
}

}  // namespace platform
