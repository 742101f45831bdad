#include "loadbalance/ui/ApListFill.h"

#include "lbmodel/ApListRows.h"

namespace {

void InsertRow(CReportCtrl& list, const std::vector<std::string>& texts, int image, size_t record, bool check) {
  const int row = list.InsertItem(0, texts[0], image, record);
  for (int column = 1; column < list.GetColumnCount() && column < static_cast<int>(texts.size()); ++column)
    list.SetItemText(row, column, texts[column]);
  if (check) list.SetRowCheck(row, true);
}

}  // namespace

void InsertApListItems(CReportCtrl& list, const std::vector<ApInfoRecord>& aps, bool check) {
  for (size_t i = 0; i < aps.size(); ++i) {
    std::vector<std::string> texts = ApDialogRowTexts(aps[i]);
    if (list.GetColumnCount() == 4) texts.erase(texts.begin() + 3);  // four columns: the group, not the location
    InsertRow(list, texts, kApImage, i, check);
  }
}

void InsertApListItemsWithState(CReportCtrl& list, const std::vector<ApInfoRecord>& aps, bool check) {
  for (size_t i = 0; i < aps.size(); ++i) InsertRow(list, ApListRowTexts(aps[i]), ApStateImage(aps[i]), i, check);
}

std::vector<ApInfoRecord> ApsOfRows(const CReportCtrl& list, const std::vector<ApInfoRecord>& aps, unsigned states) {
  std::vector<ApInfoRecord> found;
  for (int row = 0; row < list.GetItemCount(); ++row) {
    const std::uintptr_t record = list.GetItemData(row);
    if (list.RowMatchesStates(row, states) && record < aps.size()) found.push_back(aps[record]);
  }
  return found;
}
