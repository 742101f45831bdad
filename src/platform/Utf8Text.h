#pragma once
// Length limits of texts count characters (code points of UTF-8), not bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

std::size_t CharacterCount(std::string_view text);
// The first maxCharacters characters of the text; a character is never split.
std::string FirstCharacters(std::string_view text, std::size_t maxCharacters);
// As many whole characters as fit in maxBytes bytes, for fields whose size is counted in bytes.
std::string FirstBytes(std::string_view text, std::size_t maxBytes);

}  // namespace platform
