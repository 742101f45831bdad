#include "device/RecentStringList.h"

#include <algorithm>

RecentStringList g_RecentFromIps(10);
RecentStringList g_RecentEndIps(10);

void AddRecentString(RecentStringList& list, const std::string& text) {
  if (std::find(list.items.begin(), list.items.end(), text) != list.items.end()) return;
  list.items.insert(list.items.begin(), text);
  if (static_cast<int>(list.items.size()) >= list.bound) list.items.pop_back();
}

std::string GetRecentString(const RecentStringList& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.items.size())) return {};
  return list.items[index];
}
