#pragma once
// Length limits of texts count characters (code points of UTF-8), not bytes.
#include <cstddef>
#include <string_view>

namespace platform {

std::size_t CharacterCount(std::string_view text);

}  // namespace platform
