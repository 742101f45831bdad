#include <gtest/gtest.h>

#include "listmodel/CellSortKey.h"

namespace listmodel {
namespace {

struct OrderCase {
  const char* left;
  const char* right;
  int expected;  // sign of CompareCellTexts(left, right)
};

int SignOf(int value) { return (value > 0) - (value < 0); }

TEST(CellSortKey, OrdersPairsOfCellTexts) {
  const OrderCase cases[] = {
      {"9", "10", -1},                                    // decimal, not text order
      {"10", "ff", -1},                                   // decimal before hexadecimal
      {"ff", "add", -1},                                  // hexadecimal 255 against 2781
      {"ad", "AD", 0},                                    // hexadecimal letters without case
      {"-5", "3", -1},                                    // a sign keeps the number decimal
      {"-10", "-9", -1},
      {"0x1F", "0x20", -1},                               // prefixed hexadecimal by value
      {"0x1F", "1f", 0},
      {"12%", "9.5%", 1},                                 // percent texts by value
      {"12%", "12", 0},
      {"1.5", "1.25", 1},
      {"1e3", "999", 1},                                  // "1e3" holds a-f letters: hexadecimal
      {"1.5e3", "999", 1},                                // a dotted exponent is decimal 1500
      {"123456789012345678901234567890", "123456789012345678901234567891", -1},  // long numbers exactly
      {"99999999999999999999", "100000000000000000000", -1},
      {"0007", "7", 0},
      {"-0", "0", 0},
      {"", "0", -1},                                      // empty cells first
      {"", "", 0},
      {"", "abc", -1},
      {"12%", "xyz", -1},                                 // numbers before words
      {"2024-01-05", "2023-12-31 23:59:59", 1},           // dates by time
      {"2024/01/05 10:00", "2024-01-05 09:59:59", 1},
      {"08:00", "2024-01-01", -1},                        // a time alone is a time of day zero
      {"2024-13-01", "2024-12-01", 1},                    // no month 13: compared as texts
      // The other date forms the program writes: the last polling pass and the poll rounds.
      {"2024.01.05 10:00:00", "2024-01-05 09:59:59", 1},
      {"2024.01.05 10:00:00", "2024/01/05 10:00:00", 0},
      {"20240105_10:00:00", "2024-01-05 09:59:59", 1},
      {"20240105_10:00:00", "2024-01-05 10:00:00", 0},
      {"20231231_23:59:59", "lab", -1},                   // a date, not a word
      {"20240105_", "2024-01-05", 1},                     // no time after the mark: a word
      {"2024.01", "2024", 1},                             // decimal 2024.01, not a date
      {"Zürich", "Zug", 1},                               // non-ASCII text by its UTF-8 bytes
      {"Ärger", "Zorro", 1},
      {"x", "X", 1},                                      // words tell case apart
      {"abc", "abd", -1},                                 // hexadecimal, 2748 against 2749
      {"switch-2", "switch-10", 1},                       // words compare as texts
  };
  for (const OrderCase& c : cases) {
    EXPECT_EQ(SignOf(CompareCellTexts(c.left, c.right)), c.expected) << c.left << " vs " << c.right;
    EXPECT_EQ(SignOf(CompareCellTexts(c.right, c.left)), -c.expected) << c.right << " vs " << c.left;
  }
}

// A column mixing every kind sorts into one consistent order, so no pair contradicts another.
TEST(CellSortKey, MixedKindsFormATotalOrder) {
  const char* texts[] = {"", "-5", "3", "10", "9.5%", "ff", "0x1F", "2024-01-01", "12:00", "abc", "zebra",
                         "Zürich", "1e5", "+7", "99999999999999999999", "2023.06.01", "20230601_12:00:00"};
  for (const char* a : texts)
    for (const char* b : texts)
      for (const char* c : texts)
        if (CompareCellTexts(a, b) < 0 && CompareCellTexts(b, c) < 0) {
          EXPECT_LT(CompareCellTexts(a, c), 0) << a << " < " << b << " < " << c;
        }
}

TEST(CellSortKey, TextComparisonIsExact) {
  EXPECT_EQ(CompareTexts("abc", "abc"), 0);
  EXPECT_NE(CompareTexts("abc", "ABC"), 0);
  EXPECT_NE(CompareTexts("abc", "abc "), 0);
}

}  // namespace
}  // namespace listmodel
