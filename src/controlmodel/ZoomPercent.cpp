#include "controlmodel/ZoomPercent.h"

#include <charconv>

std::optional<int> ParseZoomPercent(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  const size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  long value = 0;
  auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (value < kZoomPercentMin || value > kZoomPercentMax) return std::nullopt;
  return static_cast<int>(value);
}
