#include "lbmodel/ApListRows.h"

#include <algorithm>

void FilterApListByGroup(std::vector<ApInfoRecord>& aps, bool keepUngrouped) {
  std::erase_if(aps, [&](const ApInfoRecord& ap) { return ap.group_balance.empty() != keepUngrouped; });
}

std::vector<std::string> ApListRowTexts(const ApInfoRecord& ap) { return {ap.ssid, ap.ip, ap.mac, ap.group_balance}; }

int ApStateImage(const ApInfoRecord& ap) {
  if (ap.online == "0") return kOfflineApImage;
  if (ap.isnew == "1") return kNewApImage;
  return kApImage;
}

std::vector<std::string> ApDialogRowTexts(const ApInfoRecord& ap) {
  return {ap.ssid.empty() ? "<NULL>" : ap.ssid, ap.ip, ap.mac, ap.location, ap.group_balance};
}
