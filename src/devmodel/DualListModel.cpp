#include "devmodel/DualListModel.h"

#include <algorithm>
#include <cctype>

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void CDualListModel::AddAvailable(const std::string& text, Key key) {
  available_.push_back(key);
  texts_[key] = text;
}

void CDualListModel::AddChosen(const std::string& text, Key key) {
  chosen_.push_back(key);
  texts_[key] = text;
}

void CDualListModel::Bind(bool availableSingleSelect, bool chosenSingleSelect) {
  availableSingle_ = availableSingleSelect;
  chosenSingle_ = chosenSingleSelect;
  Refill({}, Side::Chosen);
  SelectIndex(Side::Available, 0);
  SelectIndex(Side::Chosen, 0);
}

const std::string& CDualListModel::Text(Key key) const {
  static const std::string kNone;
  auto found = texts_.find(key);
  return found == texts_.end() ? kNone : found->second;
}

std::vector<CDualListModel::Key> CDualListModel::Rows(Side side) const {
  if (side == Side::Chosen) return chosen_;
  std::vector<Key> rows = available_;
  std::stable_sort(rows.begin(), rows.end(), [this](Key a, Key b) { return LessNoCase(Text(a), Text(b)); });
  return rows;
}

void CDualListModel::SetSelection(Side side, const std::set<int>& rows) {
  std::set<int>& selection = MutableSelection(side);
  selection.clear();
  for (int row : rows) SelectIndex(side, row);
}

void CDualListModel::SelectIndex(Side side, int row) {
  if (row < 0 || row >= static_cast<int>(Array(side).size())) return;
  std::set<int>& selection = MutableSelection(side);
  if (SingleSelect(side)) selection.clear();
  selection.insert(row);
}

void CDualListModel::Refill(const std::vector<Key>& select, Side selectIn) {
  availableSel_.clear();
  chosenSel_.clear();
  const std::vector<Key> rows = Rows(selectIn);
  for (Key key : select) {
    for (size_t row = 0; row < rows.size(); ++row) {
      if (EqualNoCase(Text(rows[row]), Text(key))) {
        SelectIndex(selectIn, static_cast<int>(row));
        break;
      }
    }
  }
}

void CDualListModel::Run(Command command) {
  switch (command) {
    case Command::Add: TransferSelected(Side::Available); break;
    case Command::AddAll: TransferAll(Side::Available); break;
    case Command::Remove: TransferSelected(Side::Chosen); break;
    case Command::RemoveAll: TransferAll(Side::Chosen); break;
    case Command::MoveUp: ShiftChosen(true); break;
    case Command::MoveDown: ShiftChosen(false); break;
  }
}

void CDualListModel::DoubleClick(Side side) { Run(side == Side::Available ? Command::Add : Command::Remove); }

void CDualListModel::TransferSelected(Side source) {
  const Side target = source == Side::Available ? Side::Chosen : Side::Available;
  const std::set<int> selected = Selection(source);
  const int noted = selected.empty() ? -1 : *selected.begin();
  const std::vector<Key> rows = Rows(source);
  std::vector<Key> moved;
  std::vector<Key>& from = Array(source);
  for (int row : selected) {
    const Key key = rows[row];
    moved.push_back(key);
    Array(target).push_back(key);
    from.erase(std::find(from.begin(), from.end(), key));
  }
  Refill(moved, target);
  if (moved.empty() || from.empty()) return;
  SelectIndex(source, std::min(noted, static_cast<int>(from.size()) - 1));
}

void CDualListModel::TransferAll(Side source) {
  const Side target = source == Side::Available ? Side::Chosen : Side::Available;
  for (Key key : Rows(source)) Array(target).push_back(key);
  Array(source).clear();
  Refill({}, target);
  SelectIndex(target, 0);
}

void CDualListModel::ShiftChosen(bool up) {
  const std::vector<Key> rows = chosen_;
  const int count = static_cast<int>(rows.size());
  std::vector<Key> moved;
  bool passedUnselected = false;
  for (int step = 0; step < count; ++step) {
    const int row = up ? step : count - 1 - step;
    if (!chosenSel_.count(row)) {
      passedUnselected = true;
      continue;
    }
    moved.push_back(rows[row]);
    if (!passedUnselected) continue;
    chosen_.erase(chosen_.begin() + row);
    chosen_.insert(chosen_.begin() + std::max(0, up ? row - 1 : row + 1), rows[row]);
  }
  Refill(moved, Side::Chosen);
}

CDualListModel::ButtonStates CDualListModel::States() const {
  auto count = [this](Side side) {
    const size_t selected = Selection(side).size();
    return SingleSelect(side) ? std::min<size_t>(selected, 1) : selected;
  };
  ButtonStates states;
  states.add = count(Side::Available) > 0;
  states.addAll = !available_.empty();
  states.remove = count(Side::Chosen) > 0;
  states.removeAll = !chosen_.empty();
  if (!chosenSel_.empty()) {
    const int first = *chosenSel_.begin();
    const int last = *chosenSel_.rbegin();
    const bool gap = last - first + 1 != static_cast<int>(chosenSel_.size());
    states.moveUp = first != 0 || gap;
    states.moveDown = last != static_cast<int>(chosen_.size()) - 1 || gap;
  }
  return states;
}
