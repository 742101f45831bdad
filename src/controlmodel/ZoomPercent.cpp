#include "controlmodel/ZoomPercent.h"

#include <charconv>

namespace {

std::optional<long> ParseWholeNumber(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  const size_t last = text.find_last_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  long value = 0;
  auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> ParseZoomPercent(const std::string& text) {
  const std::optional<long> value = ParseWholeNumber(text);
  if (!value || *value < kZoomPercentMin || *value > kZoomPercentMax) return std::nullopt;
  return static_cast<int>(*value);
}

std::string ZoomPercentProblem(const std::string& text) {
  if (!ParseWholeNumber(text)) return "Please enter an integer.";
  if (!ParseZoomPercent(text))
    return "Please enter an integer between " + std::to_string(kZoomPercentMin) + " and " +
           std::to_string(kZoomPercentMax) + ".";
  return {};
}
