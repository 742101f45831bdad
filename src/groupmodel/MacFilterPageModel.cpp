#include "groupmodel/MacFilterPageModel.h"

#include <algorithm>
#include <cctype>

#include "net/AddressText.h"
#include "platform/MessageBox.h"

std::string CMacFilterPageModel::NormaliseMac(const std::string& mac) {
  std::string out = mac;
  for (char& c : out) c = c == '-' ? ':' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

void CMacFilterPageModel::Open() {
  rows_.clear();
  for (const MacControlEntry& entry : entries)
    rows_.push_back({std::to_string(rows_.size() + 1), entry.mac_address});
  tickedType_ = filterType;
  included_ = filterType != -1;
  if (!included_) tickedType_ = 0;
  forcedOn_ = forced_;
  if (forced_) included_ = true;
  active_ = true;
}

void CMacFilterPageModel::ToggleInclude() {
  if (forcedOn_) return;
  included_ = !included_;
  if (included_ && filterType == -1) {
    filterType = 0;
    tickedType_ = 0;
  }
}

bool CMacFilterPageModel::Add() {
  if (rows_.size() >= kMaxEntries) {
    platform::MessageBox("MAC filter's max entry number is 60");
    return false;
  }
  if (!skipCheck_ && check_ && !check_->CheckFieldBinding(kProperty)) return false;
  std::string text = macText;
  if (!IsValidMacText17(text)) {
    platform::MessageBox("please input valid mac address", "error", platform::MB_ICONWARNING);
    return false;
  }
  const std::string mac = NormaliseMac(text);
  auto same = std::find_if(rows_.begin(), rows_.end(), [&](const Row& row) { return NormaliseMac(row.mac) == mac; });
  if (same != rows_.end()) {
    platform::MessageBox(same->mac + " has existed in list", "", platform::MB_ICONINFORMATION);
    return false;
  }
  filterType = tickedType_;
  if (filterType == -1) {
    platform::MessageBox("please select filter type");
    return false;
  }
  rows_.push_back({std::to_string(rows_.size() + 1), mac});
  macText.clear();
  return true;
}

bool CMacFilterPageModel::Delete(int row) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) {
    platform::MessageBox("Pls select one list item");
    return false;
  }
  rows_.erase(rows_.begin() + row);
  return true;
}

std::optional<PageFailure> CMacFilterPageModel::Validate() {
  filterType = tickedType_;
  entries.clear();
  if (!included_) {
    filterType = -1;
    active_ = false;
    return std::nullopt;
  }
  if (filterType == -1) return PageFailure{kDisabled, "Please select mac filter type"};
  for (const Row& row : rows_) entries.push_back({row.mac, "", -1});
  active_ = false;
  return std::nullopt;
}

void CMacFilterPageModel::ForceMacFilter() {
  if (!active_) {
    forced_ = true;
    return;
  }
  included_ = true;
  forcedOn_ = true;
  if (filterType == -1) filterType = 0;
  if (tickedType_ == -1) tickedType_ = 0;
}

void CMacFilterPageModel::ReleaseMacFilter() {
  if (!active_) {
    filterType = -1;
    forced_ = false;
    return;
  }
  included_ = false;
  forcedOn_ = false;
}
