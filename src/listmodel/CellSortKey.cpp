#include "listmodel/CellSortKey.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace listmodel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexLetter(char c) { return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string WithoutLeadingZeros(std::string_view digits) {
  const auto first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string() : std::string(digits.substr(first));
}

// Longer magnitudes are larger; equal lengths compare digit by digit (hex letters lower-cased before).
int CompareMagnitudes(const std::string& left, const std::string& right) {
  if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
  const int order = left.compare(right);
  return (order > 0) - (order < 0);
}

template <typename T>
int Sign(T left, T right) {
  return (right < left) - (left < right);
}

// Days since 1899-12-30, the day a time without date belongs to.
long DaysFromCivil(int year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long>(dayOfEra) - 719468 + 25569;
}

bool ReadNumber(std::string_view& text, int digits, int& value) {
  if (text.size() < static_cast<size_t>(digits)) return false;
  value = 0;
  for (int i = 0; i < digits; ++i) {
    if (!IsDigit(text[i])) return false;
    value = value * 10 + (text[i] - '0');
  }
  text.remove_prefix(digits);
  return true;
}

bool ReadSeparator(std::string_view& text, char separator) {
  if (text.empty() || text.front() != separator) return false;
  text.remove_prefix(1);
  return true;
}

// "HH:MM" or "HH:MM:SS"; the whole rest of the text.
bool ReadTime(std::string_view text, long& seconds) {
  int hour = 0, minute = 0, second = 0;
  if (!ReadNumber(text, 2, hour) || !ReadSeparator(text, ':') || !ReadNumber(text, 2, minute)) return false;
  if (!text.empty() && (!ReadSeparator(text, ':') || !ReadNumber(text, 2, second))) return false;
  if (!text.empty() || hour > 23 || minute > 59 || second > 59) return false;
  seconds = hour * 3600L + minute * 60L + second;
  return true;
}

}  // namespace

int CompareTexts(std::string_view left, std::string_view right) {
  const int order = left.compare(right);
  return (order > 0) - (order < 0);
}

CellSortKey::CellSortKey(std::string_view text) {
  if (text.empty()) return;
  // A text with a-f letters (such as "ff", "0x1F" or "1e5") is hexadecimal; digits alone are decimal.
  if (ReadHexadecimal(text) || ReadDecimal(text) || ReadDate(text)) return;
  m_kind = Kind::Text;
  m_text = std::string(text);
}

bool CellSortKey::ReadDecimal(std::string_view text) {
  std::string_view number = text;
  if (number.ends_with('%')) number.remove_suffix(1);
  // [sign] digits [. digits] [e [sign] digits], with at least one digit before the exponent.
  size_t at = 0;
  if (at < number.size() && (number[at] == '+' || number[at] == '-')) ++at;
  const size_t integerStart = at;
  while (at < number.size() && IsDigit(number[at])) ++at;
  const size_t integerEnd = at;
  size_t fractionDigits = 0;
  if (at < number.size() && number[at] == '.') {
    ++at;
    while (at < number.size() && IsDigit(number[at])) ++at, ++fractionDigits;
  }
  if (integerEnd == integerStart && fractionDigits == 0) return false;
  if (at < number.size() && (number[at] == 'e' || number[at] == 'E')) {
    size_t exponent = at + 1;
    if (exponent < number.size() && (number[exponent] == '+' || number[exponent] == '-')) ++exponent;
    const size_t exponentDigits = exponent;
    while (exponent < number.size() && IsDigit(number[exponent])) ++exponent;
    if (exponent == exponentDigits) return false;
    at = exponent;
  }
  if (at != number.size()) return false;

  m_kind = Kind::Decimal;
  m_negative = number.front() == '-';
  m_isInteger = integerEnd == number.size();
  if (m_isInteger) m_digits = WithoutLeadingZeros(number.substr(integerStart, integerEnd - integerStart));
  const char* first = number.data() + (number.front() == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, number.data() + number.size(), m_value);
  if (error == std::errc::result_out_of_range)
    m_value = m_negative ? -std::numeric_limits<long double>::infinity() : std::numeric_limits<long double>::infinity();
  (void)end;
  return true;
}

bool CellSortKey::ReadHexadecimal(std::string_view text) {
  const bool prefixed = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (prefixed) text.remove_prefix(2);
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || IsHexLetter(c); }))
    return false;
  if (!prefixed && std::none_of(text.begin(), text.end(), IsHexLetter)) return false;
  m_kind = Kind::Hexadecimal;
  m_digits = WithoutLeadingZeros(text);
  std::transform(m_digits.begin(), m_digits.end(), m_digits.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  return true;
}

// The dates the program writes: "YYYY-MM-DD", "YYYY/MM/DD" or "YYYY.MM.DD", optionally followed by a blank
// and a time; the poll rounds' "YYYYMMDD_HH:MM:SS"; or a time alone.
bool CellSortKey::ReadDate(std::string_view text) {
  long seconds = 0;
  if (ReadTime(text, seconds)) {
    m_kind = Kind::Date;
    m_value = seconds;
    return true;
  }
  int year = 0, month = 0, day = 0;
  std::string_view rest = text;
  if (!ReadNumber(rest, 4, year) || rest.empty()) return false;
  if (IsDigit(rest.front())) {
    if (!ReadNumber(rest, 2, month) || !ReadNumber(rest, 2, day) || !ReadSeparator(rest, '_') ||
        !ReadTime(rest, seconds))
      return false;
  } else {
    const char separator = rest.front();
    if ((separator != '-' && separator != '/' && separator != '.') || !ReadSeparator(rest, separator) ||
        !ReadNumber(rest, 2, month) || !ReadSeparator(rest, separator) || !ReadNumber(rest, 2, day))
      return false;
    if (!rest.empty() && (!ReadSeparator(rest, ' ') || !ReadTime(rest, seconds))) return false;
  }
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  m_kind = Kind::Date;
  m_value = DaysFromCivil(year, month, day) * 86400.0L + seconds;
  return true;
}

int CellSortKey::CompareDecimal(const CellSortKey& other) const {
  if (!m_isInteger || !other.m_isInteger) return Sign(m_value, other.m_value);
  // Integers compare exactly, whatever their length ("-0" is zero).
  const bool leftNegative = m_negative && !m_digits.empty();
  const bool rightNegative = other.m_negative && !other.m_digits.empty();
  if (leftNegative != rightNegative) return leftNegative ? -1 : 1;
  const int magnitude = CompareMagnitudes(m_digits, other.m_digits);
  return leftNegative ? -magnitude : magnitude;
}

int CellSortKey::Compare(const CellSortKey& other) const {
  if (m_kind != other.m_kind) return m_kind < other.m_kind ? -1 : 1;
  switch (m_kind) {
    case Kind::Empty: return 0;
    case Kind::Decimal: return CompareDecimal(other);
    case Kind::Hexadecimal: return CompareMagnitudes(m_digits, other.m_digits);
    case Kind::Date: return Sign(m_value, other.m_value);
    case Kind::Text: return CompareTexts(m_text, other.m_text);
  }
  return 0;
}

int CompareCellTexts(std::string_view left, std::string_view right) {
  return CellSortKey(left).Compare(CellSortKey(right));
}

}  // namespace listmodel
