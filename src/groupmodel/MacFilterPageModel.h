#pragma once
// The MAC filter of a group's template as its page edits it, without windows: whether the template has
// a filter, its type (0 disabled, 1 accept listed, 2 reject listed, -1 no filter) and up to 60 client
// addresses, kept in one form (upper case, ':' separators) so the same address is never listed twice.
#include <optional>
#include <string>
#include <vector>

#include "db/MacControlEntry.h"
#include "groupmodel/FieldBindingCheck.h"
#include "groupmodel/PageFailure.h"

class CMacFilterPageModel {
 public:
  enum Control {
    kIncludeBox = 1187, kOperation = 1111, kMacLabel = 1103, kMacEdit = 11076, kAdd = 1210, kDelete = 1214,
    kDisabled = 1073, kAccept = 1075, kReject = 1079, kListLabel = 1109, kList = 1185,
  };
  static constexpr size_t kMaxEntries = 60;
  static constexpr int kProperty = 16;

  struct Row {
    std::string number;
    std::string mac;
  };

  // ---- the page's fields (the template mapping reads and writes them) ----
  std::vector<MacControlEntry> entries;
  int filterType = -1;
  std::string macText;  // the address being typed

  void SetBindingCheck(IFieldBindingCheck* check) { check_ = check; }
  void SetSkipCheck(bool skip) { skipCheck_ = skip; }

  void Open();
  void ToggleInclude();
  void SelectType(int type) { tickedType_ = type; }
  // Adds the typed address: false, after its message, when refused.
  bool Add();
  // Deletes a row of the list (-1: none selected, refused with a message).
  bool Delete(int row);
  // Leaving the page: the entries and the filter type are taken from the list and the choice.
  std::optional<PageFailure> Validate();
  // The sheet was closed with its close box.
  void Closed() { active_ = false; }

  // Load balance needs the filter: on at once while the page is open, else when it next opens.
  void ForceMacFilter();
  void ReleaseMacFilter();

  // ---- what the window shows ----
  const std::vector<Row>& Rows() const { return rows_; }
  bool Included() const { return included_; }
  bool IncludeLocked() const { return forcedOn_; }
  int TickedType() const { return tickedType_; }
  bool Forced() const { return forced_; }
  bool Active() const { return active_; }

  // The stored form of an address: ':' separators, upper-case hex.
  static std::string NormaliseMac(const std::string& mac);

 private:
  IFieldBindingCheck* check_ = nullptr;
  bool skipCheck_ = true;
  bool active_ = false;
  bool forced_ = false;    // for the next opening
  bool forcedOn_ = false;  // the include box is ticked and locked while open
  bool included_ = false;
  int tickedType_ = -1;
  std::vector<Row> rows_;
};
