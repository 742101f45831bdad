#pragma once
// The rows of the console's device list as the window shows them: eleven texts, the index of the row's
// record in the device table, and whether the row is selected. The window mirrors this model.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace quillon {

inline constexpr int kConsoleColumnCount = 11;

struct ConsoleListRow {
  std::array<std::string, kConsoleColumnCount> texts;
  int itemData = 0;
  bool selected = false;
};

class CConsoleList {
 public:
  static const std::array<const char*, kConsoleColumnCount>& Headers();

  int Count() const { return static_cast<int>(rows_.size()); }
  const ConsoleListRow& Row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
  ConsoleListRow& Row(int index) { return rows_.at(static_cast<std::size_t>(index)); }
  const std::vector<ConsoleListRow>& Rows() const { return rows_; }

  void Clear() { rows_.clear(); }
  // Inserts a row at the position (clamped to the end) and returns its position.
  int Insert(int position, const std::string& macText, int itemData);
  // The first row whose column 0 equals the text, or -1.
  int FindByMac(const std::string& macText) const;

  void Select(int index, bool selected = true);
  void SelectOnly(int index);
  std::vector<int> Selected() const;

  // Reorders the rows with a strict weak order on two rows.
  template <typename Less>
  void SortRows(Less less) { std::stable_sort(rows_.begin(), rows_.end(), less); }

 private:
  std::vector<ConsoleListRow> rows_;
};

}  // namespace quillon
