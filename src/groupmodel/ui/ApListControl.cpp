#include "groupmodel/ui/ApListControl.h"

CApListControl::CApListControl(wxWindow* parent, int id, bool checkBoxes)
    : wxListCtrl(parent, id, wxDefaultPosition, wxSize(330, 220), wxLC_REPORT | wxLC_HRULES | wxLC_VRULES) {
  if (checkBoxes) EnableCheckBoxes();
  AppendColumn("AP Name", wxLIST_FORMAT_LEFT, checkBoxes ? 330 / 4 : 330 / 2 - 5);
  AppendColumn("IP Address", wxLIST_FORMAT_LEFT, checkBoxes ? 330 / 4 : 330 / 2 - 5);
  AppendColumn("MAC Address", wxLIST_FORMAT_LEFT, checkBoxes ? 330 / 2 - 18 : 330 / 2 - 5);
}

void CApListControl::SetAps(const std::vector<ApInfoRecord>& aps) {
  DeleteAllItems();
  for (const ApInfoRecord& ap : aps) {
    const long row = InsertItem(GetItemCount(), wxString::FromUTF8(ap.name));
    SetItem(row, 1, wxString::FromUTF8(ap.ip));
    SetItem(row, 2, wxString::FromUTF8(ap.mac));
  }
}

int CApListControl::FirstSelected() const {
  return static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

std::vector<int> CApListControl::CheckedRows() const {
  std::vector<int> rows;
  for (long row = 0; row < GetItemCount(); ++row)
    if (IsItemChecked(row)) rows.push_back(static_cast<int>(row));
  return rows;
}
