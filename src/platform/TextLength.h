#pragma once
// Length limits count characters, not bytes: a UTF-8 text's number of code points.
#include <cstddef>
#include <string_view>

namespace platform {

std::size_t CharacterCount(std::string_view utf8);

}  // namespace platform
