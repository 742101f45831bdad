#pragma once
// What every page of one AP's configuration sheet shares: the mode the sheet was opened in, the AP's
// sync markers, whether the AP answered and whether it balances load. One context per sheet, so nothing
// of one sheet outlives it in a process-wide flag.
#include <optional>
#include <string>
#include <vector>

#include "db/ApSyncMarker.h"

enum class ApSheetMode {
  kCurrent = 0,      // the AP's configuration as it is: only changes are sent
  kPrevious = 1,     // the configuration stored before the AP changed: everything is sent
  kReplacement = 2,  // a replaced AP's configuration for its successor: everything is sent
};

struct ApSheetContext {
  ApSheetMode mode = ApSheetMode::kCurrent;
  std::vector<ApSyncMarker> markers;
  bool reachable = true;     // false: every page is read-only and the sheet has no OK
  bool loadBalanced = false; // the AP balances load: some changes ask first
  // Set when the address the sheet shows is not the one the AP answers at now: that one.
  std::optional<std::string> storedIp;

  bool SendsEverything() const { return mode != ApSheetMode::kCurrent; }
};

// A page check that failed: the control that gets the focus and the text shown. An empty text keeps the
// page without a message (the user answered No to a question).
struct PageCheckFailure {
  int control = 0;
  std::string text;
  bool activatePage = true;  // the sheet shows the page first
};
using PageCheck = std::optional<PageCheckFailure>;

// A red mark beside a setting that changed on the device, and its tool tip.
struct SyncMark {
  int control = 0;
  std::string tip;
};
