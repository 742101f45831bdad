#pragma once
// The OK checks of the load-balance dialogs, without windows: the group dialog (create a group, or add
// APs to one), the join dialog, the rename dialog and the export's date range. A dialog shows the
// message an answer carries and stays open, or closes when the answer says so.
#include <set>
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "platform/Clock.h"

// Group names and descriptions are limited in characters.
inline constexpr std::size_t kGroupNameMaxLength = 30;
inline constexpr std::size_t kGroupDescriptionMaxLength = 50;

struct FormAnswer {
  enum Kind { Stay, AskSsidChoice, Close };
  Kind kind = Stay;
  std::string message;      // shown before staying; empty: stay silently
  bool errorBox = false;    // the box has the caption "error" and the exclamation icon
};

// The group dialog. The caller presets the inputs; a preset name puts the dialog in add mode.
class CLoadBalanceGroupForm {
 public:
  // In and out.
  std::string name;
  std::string description;
  std::string groupSsid;
  // Out: the user agreed to pick the group SSID from the list of SSIDs.
  bool chooseSsid = false;
  // In.
  std::vector<std::string> groupNames;
  std::vector<ApInfoRecord> candidateAps;
  // In: the APs offered ticked; out: the APs ticked at OK (SSID, IP and MAC).
  std::vector<ApInfoRecord> selectedAps;
  // Out: every SSID met, also at earlier OK presses and the preset group SSID.
  std::set<std::string> ssidSet;

  bool AddMode() const { return addMode_; }
  // Set-up: the mode, and the preset group SSID as the first SSID offered (returned, or "").
  std::string Begin();
  // OK with the ticked rows (top to bottom) and the SSID list's selection (-1 none, its text).
  FormAnswer Ok(const std::vector<ApInfoRecord>& ticked, int ssidIndex, const std::string& ssidText);
  // The answer Yes to "SSID is different": from now on OK needs an SSID chosen from the list.
  void AgreeToChooseSsid() { chooseSsid = true; }

 private:
  bool addMode_ = false;
};

// The join dialog's OK: the message to show, "" when the chosen name closes it.
std::string CheckJoinChoice(int selectedIndex, const std::string& selectedText);

// The rename dialog's OK: Stay silently while the name is unchanged, Stay with a message for an empty or
// taken name, else Close.
FormAnswer CheckRename(const std::string& oldName, const std::string& newName,
                       const std::vector<std::string>& groupNames);

// The export's date range: the message to show, "" when the range is accepted.
std::string CheckReportDays(platform::TimePoint begin, platform::TimePoint end, platform::TimePoint now);
