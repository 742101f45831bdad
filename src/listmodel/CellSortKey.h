#pragma once
// How a cell text takes part in sorting. Each text is read once into a key; keys form a total order, so a
// sort over them is well defined even for columns that mix numbers, dates and words:
//   empty < decimal numbers (by value; "12%" counts as 12) < hexadecimal numbers (texts with a-f letters,
//   by value) < dates (earliest first; the forms the program itself writes) < other texts (by their UTF-8
//   bytes).
// A text of decimal digits with an optional sign is always a decimal number, so "-5" sorts below "3" and
// long numbers keep their order whatever their length.
#include <string>
#include <string_view>

namespace listmodel {

class CellSortKey {
 public:
  explicit CellSortKey(std::string_view text);

  // Negative, zero or positive, as this key sorts before, with or after the other.
  int Compare(const CellSortKey& other) const;

 private:
  enum class Kind { Empty, Decimal, Hexadecimal, Date, Text };

  bool ReadDecimal(std::string_view text);
  bool ReadHexadecimal(std::string_view text);
  bool ReadDate(std::string_view text);
  int CompareDecimal(const CellSortKey& other) const;

  Kind m_kind = Kind::Empty;
  long double m_value = 0;  // decimal value, or seconds for a date
  // Exact magnitude of an integer (decimal or hexadecimal): digits without sign, prefix or leading zeros;
  // empty for a decimal with a fraction or exponent.
  std::string m_digits;
  bool m_negative = false;
  bool m_isInteger = false;
  std::string m_text;  // texts only
};

// The order of two cell texts under the sort above.
int CompareCellTexts(std::string_view left, std::string_view right);
// The plain text comparison used for words, and by the in-place edit to decide whether a text changed.
int CompareTexts(std::string_view left, std::string_view right);

}  // namespace listmodel
