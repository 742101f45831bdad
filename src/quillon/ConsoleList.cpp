#include "quillon/ConsoleList.h"

#include <algorithm>

namespace quillon {

const std::array<const char*, kConsoleColumnCount>& CConsoleList::Headers() {
  static const std::array<const char*, kConsoleColumnCount> headers{
      "MAC Address", "IP Address", "Protocol Version", "Product Name", "System Name",   "DHCP",
      "Location",    "Trap IP",    "Subnet Mask",      "Gateway",      "Group Interval"};
  return headers;
}

int CConsoleList::Insert(int position, const std::string& macText, int itemData) {
  position = std::clamp(position, 0, Count());
  ConsoleListRow row;
  row.texts[0] = macText;
  row.itemData = itemData;
  rows_.insert(rows_.begin() + position, std::move(row));
  return position;
}

int CConsoleList::FindByMac(const std::string& macText) const {
  for (int i = 0; i < Count(); ++i)
    if (rows_[static_cast<std::size_t>(i)].texts[0] == macText) return i;
  return -1;
}

void CConsoleList::Select(int index, bool selected) {
  if (index >= 0 && index < Count()) rows_[static_cast<std::size_t>(index)].selected = selected;
}

void CConsoleList::SelectOnly(int index) {
  for (int i = 0; i < Count(); ++i) rows_[static_cast<std::size_t>(i)].selected = i == index;
}

std::vector<int> CConsoleList::Selected() const {
  std::vector<int> selected;
  for (int i = 0; i < Count(); ++i)
    if (rows_[static_cast<std::size_t>(i)].selected) selected.push_back(i);
  return selected;
}

}  // namespace quillon
