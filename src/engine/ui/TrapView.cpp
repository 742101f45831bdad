#include "engine/ui/TrapView.h"

#include <list>
#include <string>

#include "engine/TrapDBManager.h"
#include "engine/TrapTime.h"

CTrapView::CTrapView(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {
  m_list.CreateReportList(this, kListId, nullptr, wxBORDER_SIMPLE);
  Bind(wxEVT_SIZE, &CTrapView::OnSize, this);
}

void CTrapView::OnInitialUpdate() {
  m_list.SetGridLines(true);
  m_list.SetColumnHeader("Sequence, 100; Time, 150; Description, 400");
  Reload();
}

void CTrapView::OnUpdate() { Reload(); }

void CTrapView::OnSize(wxSizeEvent& event) {
  event.Skip();
  m_list.FillParentClientArea();
}

void CTrapView::Reload() {
  m_list.DeleteAllItems(listmodel::ROW_ANY);
  if (m_list.GetColumnCount() <= 0) return;
  std::list<TrapRecord> records;
  TrapDBManager().LoadTraps(records);
  int row = 0;
  for (const TrapRecord& record : records) {
    m_list.InsertItem(row, std::to_string(record.index));
    m_list.SetItemText(row, 1, trap_time::Display(record.time));
    m_list.SetItemText(row, 2, record.description);
    ++row;
  }
}
