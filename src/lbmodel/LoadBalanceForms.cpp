#include "lbmodel/LoadBalanceForms.h"

#include <algorithm>

#include "platform/Utf8Text.h"

std::string CLoadBalanceGroupForm::Begin() {
  addMode_ = !name.empty();
  if (groupSsid.empty()) return {};
  ssidSet.insert(groupSsid);
  return groupSsid;
}

FormAnswer CLoadBalanceGroupForm::Ok(const std::vector<ApInfoRecord>& ticked, int ssidIndex,
                                     const std::string& ssidText) {
  if (name.empty()) return {FormAnswer::Stay, "Please input group name", true};
  if (platform::CharacterCount(name) > kGroupNameMaxLength)
    return {FormAnswer::Stay, "group name max length is 30 characters", true};
  if (platform::CharacterCount(description) > kGroupDescriptionMaxLength)
    return {FormAnswer::Stay, "Description max length is 50 characters", true};
  if (name == "Unknown_group" || std::find(groupNames.begin(), groupNames.end(), name) != groupNames.end())
    return {FormAnswer::Stay, "Group name already exist, please retry...", false};

  const std::string chosen = ssidIndex >= 0 ? ssidText : std::string();
  if (groupSsid.empty()) groupSsid = chosen;
  if (chooseSsid || ssidIndex > 0) groupSsid = chosen;

  selectedAps.clear();
  for (const ApInfoRecord& row : ticked) {
    ApInfoRecord ap;
    ap.ssid = row.ssid;
    ap.ip = row.ip;
    ap.mac = row.mac;
    ssidSet.insert(ap.ssid);
    selectedAps.push_back(std::move(ap));
  }
  if (ssidSet.size() == 1) groupSsid = *ssidSet.begin();
  if (ssidSet.size() >= 2 && !chooseSsid) return {FormAnswer::AskSsidChoice, "SSID is different , please choice the Group SSID", false};
  if (chooseSsid && ssidIndex < 0) return {FormAnswer::Stay, "please choice the Group SSID", false};
  return {FormAnswer::Close, {}, false};
}

std::string CheckJoinChoice(int selectedIndex, const std::string& selectedText) {
  if (selectedIndex < 0) return "Please select the current group name";
  if (selectedText.empty()) return "Group name can't be empty , please retry...";
  return {};
}

FormAnswer CheckRename(const std::string& oldName, const std::string& newName,
                       const std::vector<std::string>& groupNames) {
  if (newName == oldName) return {FormAnswer::Stay, {}, false};
  if (newName.empty()) return {FormAnswer::Stay, "Group name Can't be empty , please retry...", false};
  if (std::find(groupNames.begin(), groupNames.end(), newName) != groupNames.end())
    return {FormAnswer::Stay, "Group name already exist, please retry...", false};
  return {FormAnswer::Close, {}, false};
}

std::string CheckReportDays(platform::TimePoint begin, platform::TimePoint end, platform::TimePoint now) {
  if (begin > end) return "Begining date can't be bigger than Ending date";
  if (begin > now) return "Beginning date can't be biger than the Current date";
  return {};
}
