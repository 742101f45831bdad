#include "mainmodel/ManageSegmentModel.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <mutex>
#include <sstream>

#include "db/pollingdb.h"
#include "device/RecentStringList.h"
#include "net/AddressText.h"
#include "settings/GlobalSettings.h"

namespace {

constexpr char kFromError[] = "Input from IP address is Error!";
constexpr char kToError[] = "Input end IP address  Error!";
constexpr char kFromAboveTo[] = "Input from IP < to IP!";
constexpr char kAlreadyInput[] = "the segment already input!";
constexpr char kBlankPassword[] = "The discovery password cannot been blank!";

CManageSegmentModel::Verdict Refuse(const char* message, CManageSegmentModel::Field focus) {
  return {false, message, focus};
}

int FirstOctet(const std::string& ip) { return static_cast<int>(CManageSegmentModel::AddressValue(ip) >> 24); }

}  // namespace

void CManageSegmentModel::Load() {
  segments_.clear();
  CDiscoveryDb().getManagementSegment(segments_);
  storedPassword_.clear();
  CPollingDb().getPassword(storedPassword_);
  modified_ = false;
}

std::uint32_t CManageSegmentModel::AddressValue(const std::string& ip) {
  std::uint32_t value = 0;
  std::istringstream parts(ip);
  std::string part;
  // Stored segments are read back as they were saved; a part that is no number counts as 0.
  while (std::getline(parts, part, '.')) {
    unsigned octet = 0;
    std::from_chars(part.data(), part.data() + part.size(), octet);
    value = value << 8 | (octet & 0xFF);
  }
  return value;
}

CManageSegmentModel::Verdict CManageSegmentModel::Add(const std::string& fromIp, const std::string& toIp) {
  if (IsValidIpText(fromIp.c_str()) != 0 || fromIp == "0.0.0.0" || fromIp == "255.255.255.255")
    return Refuse(kFromError, Field::FromIp);
  if (!toIp.empty() && (IsValidIpText(toIp.c_str()) != 0 || toIp == "255.255.255.255"))
    return Refuse(kToError, Field::ToIp);
  if (FirstOctet(fromIp) == 0) return Refuse(kFromError, Field::FromIp);
  if (!toIp.empty()) {
    if (FirstOctet(toIp) == 0) return Refuse(kToError, Field::ToIp);
    if (AddressValue(toIp) < AddressValue(fromIp)) return Refuse(kFromAboveTo, Field::FromIp);
  }
  if (Overlaps(fromIp, toIp)) return Refuse(kAlreadyInput, Field::None);

  segments_.push_back({fromIp, toIp});
  AddRecentString(g_RecentFromIps, fromIp);
  if (!toIp.empty()) AddRecentString(g_RecentEndIps, toIp);
  modified_ = true;
  return {};
}

bool CManageSegmentModel::Overlaps(const std::string& fromIp, const std::string& toIp) const {
  const std::uint32_t f = AddressValue(fromIp);
  const std::uint32_t t = toIp.empty() ? f : AddressValue(toIp);
  // A single address is the range from itself to itself, so the four cases are one intersection test.
  return std::any_of(segments_.begin(), segments_.end(), [&](const CManagementSegment& row) {
    const std::uint32_t rowFrom = AddressValue(row.from_ip);
    const std::uint32_t rowTo = row.to_ip.empty() ? rowFrom : AddressValue(row.to_ip);
    return rowTo >= f && t >= rowFrom;
  });
}

void CManageSegmentModel::Delete(std::vector<int> rows) {
  if (rows.empty()) return;
  modified_ = true;
  std::sort(rows.begin(), rows.end(), std::greater<>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  for (int row : rows)
    if (row >= 0 && row < static_cast<int>(segments_.size())) segments_.erase(segments_.begin() + row);
}

CManageSegmentModel::Verdict CManageSegmentModel::Ok(const std::string& password) {
  if (!modified_) return {};
  if (password.empty()) return Refuse(kBlankPassword, Field::Password);
  Save(password);
  return {};
}

void CManageSegmentModel::Save(const std::string& password) {
  CDiscoveryDb().setManagementSegment(segments_);
  CPollingDb().setPassword(password);
  std::lock_guard hold(g_RuntimeSettings.csSettings);
  g_RuntimeSettings.strReadCommunity = password;
  g_RuntimeSettings.strWriteCommunity = password;
}
