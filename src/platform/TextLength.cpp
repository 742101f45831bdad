#include "platform/TextLength.h"

namespace platform {

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (unsigned char byte : utf8)
    if ((byte & 0xC0) != 0x80) ++count;  // continuation bytes belong to the character before them
  return count;
}

}  // namespace platform
