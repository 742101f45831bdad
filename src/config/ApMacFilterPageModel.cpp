#include "config/ApMacFilterPageModel.h"

#include <algorithm>
#include <cctype>

#include "net/AddressText.h"
#include "platform/MessageBox.h"

namespace {

// Upper-case hex digits without separators, so "02-55-..", "02:55:.." and "025500.." compare equal.
std::string Normalised(const std::string& mac) {
  std::string digits;
  for (char c : mac)
    if (std::isxdigit(static_cast<unsigned char>(c))) digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return digits;
}

}  // namespace

std::vector<SyncMark> CApMacFilterPageModel::Marks(const std::vector<ApSyncMarker>& markers) {
  std::vector<SyncMark> marks;
  for (const ApSyncMarker& marker : markers) {
    if (marker.property == "filterType") {
      const std::string& p = marker.previous;
      const char* word = p == "0" ? "disable" : p == "1" ? "Only Accept" : p == "2" ? "Only Reject" : "Unknown";
      marks.push_back({1347, std::string("{\\b 'Filter type' previous value is '") + word + "'}"});
    } else if (marker.property == "filter_entry") {
      marks.push_back({1348, "{\\b 'Filter data' is changed}"});
    }
  }
  return marks;
}

void CApMacFilterPageModel::Start() {
  rows_.clear();
  for (const MacControlEntry& entry : filterMacs) rows_.push_back(entry.mac_address);
  startType_ = filterType;
}

bool CApMacFilterPageModel::Add(const std::string& macText) {
  if (static_cast<int>(rows_.size()) >= kMaxEntries) {
    platform::MessageBox("MAC filter's max entry number is 60");
    return false;
  }
  std::string text = macText;
  if (!IsValidMacText17(text)) {
    platform::MessageBox("please input valid mac address", "error", platform::MB_ICONWARNING);
    return false;
  }
  std::string shown = text;
  std::replace(shown.begin(), shown.end(), '-', ':');
  const std::string bare = Normalised(shown);
  // Duplicates compare by their digits, whatever the separators and letter case.
  for (const std::string& row : rows_)
    if (Normalised(row) == bare) {
      platform::MessageBox(row + " has existed in list", {}, platform::MB_ICONINFORMATION);
      return false;
    }
  if (filterType == 0) {
    platform::MessageBox("No mac control item needed under disable filter type");
    return false;
  }
  if (filterType == -1) return false;
  rows_.push_back(shown);
  added.push_back(bare);
  return true;
}

void CApMacFilterPageModel::Delete(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) {
    platform::MessageBox("Please select one list item");
    return;
  }
  const std::string bare = Normalised(rows_[row]);
  rows_.erase(rows_.begin() + row);
  // A MAC added in this run never reached the AP: forgetting it is enough.
  const auto wasAdded = std::find(added.begin(), added.end(), bare);
  if (wasAdded != added.end()) {
    added.erase(wasAdded);
    return;
  }
  deleted.push_back(bare);
}

std::string CApMacFilterPageModel::TypeText(int type) {
  switch (type) {
    case 0: return "Disable Mac Filter";
    case 1: return "Accept Mac address list below to access";
    case 2: return "Disable Mac address list below to access";
    default: return "";
  }
}

void CApMacFilterPageModel::AppendEntries(const ApSheetContext& context, ApSetEntryList& entries) {
  bool typeChanged = false;
  if (filterType != startType_) {
    if (context.loadBalanced) {
      const int answer = platform::MessageBox(
          "The MAC filter is different, please use group setting to modify it\nDo you still want to modify the MAC "
          "filter from  '" + TypeText(startType_) + "'  to  '" + TypeText(filterType) + "'  ? ",
          {}, platform::MB_YESNO);
      if (answer == platform::IDYES) typeChanged = true;
      else filterType = startType_;
    } else {
      typeChanged = true;
    }
  }
  if (context.SendsEverything()) typeChanged = true;
  if (typeChanged) entries.push_back({1, ".3.1.0", std::to_string(filterType)});
  if (filterType == 0) return;
  for (const std::string& mac : added) entries.push_back({1, ".3.2.0", mac});
  for (const std::string& mac : deleted) entries.push_back({1, ".3.3.0", mac});
}
