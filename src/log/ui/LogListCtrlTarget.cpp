#include "log/ui/LogListCtrlTarget.h"

#include <wx/listctrl.h>

void CLogListCtrlTarget::DeleteAllItems() { m_list.DeleteAllItems(); }

void CLogListCtrlTarget::AppendRow(const std::vector<std::string>& columns) {
  if (columns.empty()) return;
  const long row = m_list.InsertItem(m_list.GetItemCount(), wxString::FromUTF8(columns[0]));
  for (size_t column = 1; column < columns.size(); ++column)
    m_list.SetItem(row, static_cast<int>(column), wxString::FromUTF8(columns[column]));
}
