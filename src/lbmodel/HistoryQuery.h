#pragma once
// What the client-history view decides before and after its query: the date and time window the four
// pickers give (refused with the message to show), and the texts of one history row.
#include <ctime>
#include <string>
#include <vector>

#include "db/ClientHistoryRecord.h"

// The four pickers' whole values, as local broken-down times.
struct HistoryPickers {
  std::tm beginDate{};
  std::tm beginTime{};
  std::tm endDate{};
  std::tm endTime{};
};

struct HistoryWindow {
  int first = 0;  // minute stamps, both ends included
  int last = 0;
};

// The message of the first check the pickers fail, "" when they give a window.
std::string CheckHistoryPickers(const HistoryPickers& pickers);
// The window: each end is its date picker's day with its time picker's hour and minute.
HistoryWindow HistoryWindowOf(const HistoryPickers& pickers);

// The columns of the history list, in order.
const std::vector<std::string>& HistoryColumns();
// The eight cells of one row; a mode code without a name shows as it is.
std::vector<std::string> HistoryRowTexts(const ClientHistoryRecord& row);
