#pragma once
// The MAC Filter page of an AP's configuration without its window: the filter type, the list of at most
// 60 filtered MACs, the MACs added and deleted in this run and the entries they send.
#include <string>
#include <vector>

#include "config/ApSetEntry.h"
#include "config/ApSheetContext.h"
#include "db/MacControlEntry.h"

class CApMacFilterPageModel {
 public:
  enum Control { kList = 1185, kMacText = 11076, kAdd = 1210, kDelete = 1214, kDisabled = 1073, kAccept = 1075,
                 kReject = 1079 };
  static constexpr int kMaxEntries = 60;

  int filterType = -1;  // -1 none chosen, 0 disabled, 1 accept listed, 2 reject listed
  std::vector<MacControlEntry> filterMacs;     // as the sheet filled it
  std::vector<std::string> added, deleted;     // 12 hex digits without separators

  static std::vector<SyncMark> Marks(const std::vector<ApSyncMarker>& markers);
  // After the fields are filled: the list rows and the starting type.
  void Start();
  // The MACs of the list, in the form shown ("02:55:00:00:00:01").
  const std::vector<std::string>& Rows() const { return rows_; }

  // Add with the MAC text typed: a message box tells every refusal. True when a row was appended.
  bool Add(const std::string& macText);
  // Delete of the list's row index (-1 none selected).
  void Delete(int row);
  // OK: the filter type decision (a question for a balancing AP), then the entries.
  void AppendEntries(const ApSheetContext& context, ApSetEntryList& entries);

 private:
  static std::string TypeText(int type);
  std::vector<std::string> rows_;
  int startType_ = -1;
};
