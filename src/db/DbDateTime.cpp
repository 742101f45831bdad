#include "db/DbDateTime.h"

#include <charconv>
#include <cstdio>

namespace {

// Reads exactly digits decimal digits at position and moves past them.
bool ReadNumber(std::string_view text, std::size_t& position, std::size_t digits, int& value) {
  if (position + digits > text.size()) return false;
  for (std::size_t i = position; i < position + digits; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  std::from_chars(text.data() + position, text.data() + position + digits, value);
  position += digits;
  return true;
}

bool Expect(std::string_view text, std::size_t& position, char separator) {
  if (position >= text.size() || text[position] != separator) return false;
  ++position;
  return true;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsFraction(std::string_view rest) {
  if (rest.size() < 2 || rest[0] != '.') return false;
  for (char c : rest.substr(1))
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::optional<DbDateTime> ParseDbDateTime(std::string_view text) {
  DbDateTime value;
  std::size_t at = 0;
  if (!ReadNumber(text, at, 4, value.year) || !Expect(text, at, '-') || !ReadNumber(text, at, 2, value.month) ||
      !Expect(text, at, '-') || !ReadNumber(text, at, 2, value.day))
    return std::nullopt;
  value.hour = value.minute = value.second = 0;
  if (at < text.size()) {
    if (!Expect(text, at, ' ') || !ReadNumber(text, at, 2, value.hour) || !Expect(text, at, ':') ||
        !ReadNumber(text, at, 2, value.minute))
      return std::nullopt;
    if (at < text.size() && (!Expect(text, at, ':') || !ReadNumber(text, at, 2, value.second))) return std::nullopt;
    if (at < text.size() && !IsFraction(text.substr(at))) return std::nullopt;
  }
  if (value.month < 1 || value.month > 12 || value.day < 1 || value.day > DaysInMonth(value.year, value.month) ||
      value.hour > 23 || value.minute > 59 || value.second > 59)
    return std::nullopt;
  return value;
}

std::string FormatDbDateTime(const DbDateTime& value) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", value.year, value.month, value.day, value.hour,
                value.minute, value.second);
  return text;
}
