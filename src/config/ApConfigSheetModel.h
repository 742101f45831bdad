#pragma once
// One AP's configuration sheet without its windows: the record it shows, filled into the four pages, the
// pages visited, and the change list their OK builds. Loading covers the three ways the sheet opens: the
// AP as the database (or, without a stored row, the AP itself) knows it, the configuration stored before
// the AP changed, and a replaced AP's configuration for the AP that took its place.
#include <array>
#include <optional>
#include <string>

#include "config/ApAdvancePageModel.h"
#include "config/ApBasicPageModel.h"
#include "config/ApMacFilterPageModel.h"
#include "config/ApSetEntry.h"
#include "config/ApSheetContext.h"
#include "config/ApWirelessPageModel.h"
#include "db/ApConfigRecord.h"

class CApConfigSheetModel {
 public:
  enum Page { kBasic, kWireless, kAdvance, kMacFilter, kPageCount };

  ApSheetContext context;
  ApConfigRecord record;
  CApBasicPageModel basic;
  CApWirelessPageModel wireless;
  CApAdvancePageModel advance;
  CApMacFilterPageModel macFilter;
  std::array<bool, kPageCount> visited{};
  std::string title;

  // The AP's current configuration (stored, else read from the AP at ip).
  void LoadCurrent(const std::string& ip, const std::string& mac, const std::string& caption);
  // The configuration stored before the AP changed; false, after the message, when there is none.
  bool LoadPrevious(const std::string& mac, const std::string& caption);
  // The replaced AP's stored configuration for the AP at newIp; false, after the message, when there is
  // none (its constructor values would otherwise be pushed to the new AP).
  bool LoadReplacement(const std::string& newIp, const std::string& newMac, const std::string& replacedMac);

  // Fills the pages' fields from the record in the mode (lists of filter MACs to add and delete kept only
  // for the previous and replacement modes) and starts them.
  void Fill(ApSheetMode mode);
  // OK's checks of the visited pages, in page order (the Wireless page asks its questions here): the
  // first failure and its page, none when every page passed.
  struct Failure {
    Page page;
    PageCheckFailure check;
  };
  std::optional<Failure> CheckPages();
  // The entries of the visited pages, in page order; every page in the previous and replacement modes.
  // After CheckPages passed.
  ApSetEntryList BuildChanges();
};

// The record's settings into the sheet's pages; mode 0 current, 1 previous, 2 replacement.
void FillApConfigSheet(CApConfigSheetModel& sheet, ApConfigRecord& record, ApSheetMode mode);
