#pragma once
// Two lists of items, "available" and "chosen", with the moves between them and the reordering of the
// chosen ones: what the column chooser's two list boxes and six buttons do, without the windows. The
// available list shows its items sorted by text; the chosen list keeps their order. Each list has a
// selection of rows; the window mirrors rows and selections after every command.
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class CDualListModel {
 public:
  using Key = std::uintptr_t;
  enum class Side { Available, Chosen };
  enum class Command { Add, AddAll, Remove, RemoveAll, MoveUp, MoveDown };
  struct ButtonStates {
    bool add = false, addAll = false, remove = false, removeAll = false, moveUp = false, moveDown = false;
  };

  // Before Bind: the item with its text (a later text for the same key replaces the earlier one).
  void AddAvailable(const std::string& text, Key key);
  void AddChosen(const std::string& text, Key key);
  // Single-select lists keep at most one selected row. Fills both lists and selects their first rows.
  void Bind(bool availableSingleSelect, bool chosenSingleSelect);

  // The rows of a list, top to bottom.
  std::vector<Key> Rows(Side side) const;
  const std::string& Text(Key key) const;
  const std::set<int>& Selection(Side side) const { return side == Side::Available ? availableSel_ : chosenSel_; }
  // The user's selection in a list, row indexes.
  void SetSelection(Side side, const std::set<int>& rows);

  void Run(Command command);
  // A double click: on the available list it adds, on the chosen list it removes.
  void DoubleClick(Side side);
  ButtonStates States() const;
  // The chosen list's keys, top to bottom.
  std::vector<Key> ChosenKeys() const { return chosen_; }

 private:
  void TransferSelected(Side source);
  void TransferAll(Side source);
  void ShiftChosen(bool up);
  void Refill(const std::vector<Key>& select, Side selectIn);
  void SelectIndex(Side side, int row);
  std::vector<Key>& Array(Side side) { return side == Side::Available ? available_ : chosen_; }
  std::set<int>& MutableSelection(Side side) { return side == Side::Available ? availableSel_ : chosenSel_; }
  bool SingleSelect(Side side) const { return side == Side::Available ? availableSingle_ : chosenSingle_; }

  std::unordered_map<Key, std::string> texts_;
  std::vector<Key> available_;
  std::vector<Key> chosen_;
  std::set<int> availableSel_;
  std::set<int> chosenSel_;
  bool availableSingle_ = false;
  bool chosenSingle_ = false;
};
