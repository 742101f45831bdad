#pragma once
// The bounded most-recent lists of the Discovery Wizard (newest first). Used on the UI thread only.
#include <string>
#include <vector>

struct RecentStringList {
  explicit RecentStringList(int bound) : bound(bound) {}

  const int bound;                 // after an addition the list holds at most bound - 1 entries
  std::vector<std::string> items;  // newest first
};

// Puts the text at the front unless an equal text (case-sensitive) is already listed; drops the oldest
// entry once the count reaches the bound.
void AddRecentString(RecentStringList& list, const std::string& text);
// The entry at index (0 is the newest), or "" when index is not below the count.
std::string GetRecentString(const RecentStringList& list, int index);

extern RecentStringList g_RecentFromIps;  // start addresses last entered in the wizard
extern RecentStringList g_RecentEndIps;   // end addresses last entered in the wizard
