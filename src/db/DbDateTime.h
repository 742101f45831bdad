#pragma once
// A date-time column's value. The database keeps it as the text "YYYY-MM-DD HH:MM:SS", the form of the
// event log's own stamps, so stored values compare in time order as texts.
#include <optional>
#include <string>
#include <string_view>

struct DbDateTime {
  int year = 1899;  // the zero date, 1899-12-30 00:00:00, which a date-time holds until it is set
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool operator==(const DbDateTime&) const = default;
};

// "YYYY-MM-DD", optionally followed by " HH:MM" and ":SS" (a fraction of a second is dropped); none for any
// other text or for a day, hour, minute or second that does not exist.
std::optional<DbDateTime> ParseDbDateTime(std::string_view text);
// "YYYY-MM-DD HH:MM:SS".
std::string FormatDbDateTime(const DbDateTime& value);
