#include "controls/ReportListView.h"

ReportListView::ReportListView(wxWindow* parent, const listmodel::CReportListModel& model, long style)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, style | wxLC_REPORT | wxLC_VIRTUAL),
      m_model(model) {}

// The two windows are children of the list; they are found among the children by address, since their
// classes are the toolkit's own.
static wxWindow* ChildAt(const wxWindow& list, const void* address) {
  for (wxWindow* child : list.GetChildren())
    if (static_cast<const void*>(child) == address) return child;
  return nullptr;
}

wxWindow* ReportListView::RowsWindow() const { return ChildAt(*this, m_mainWin); }

wxWindow* ReportListView::HeaderWindow() const { return ChildAt(*this, m_headerWin); }

wxString ReportListView::OnGetItemText(long item, long column) const {
  return wxString::FromUTF8(m_model.GetItemText(item, column));
}

int ReportListView::OnGetItemImage(long item) const { return m_model.GetCellImage(item, 0); }

int ReportListView::OnGetItemColumnImage(long item, long column) const {
  return m_model.GetCellImage(item, column);
}

bool ReportListView::OnGetItemIsChecked(long item) const { return m_model.IsRowChecked(item); }

wxItemAttr* ReportListView::OnGetItemColumnAttr(long item, long column) const {
  m_attr.SetTextColour(ToWxColour(m_model.GetCellTextColor(item, column)));
  m_attr.SetBackgroundColour(ToWxColour(m_model.GetCellBkColor(item, column)));
  return &m_attr;
}

// The GTK list colours whole rows from this attribute (it does not ask per cell): a row shows the
// colours of its first cell.
wxItemAttr* ReportListView::OnGetItemAttr(long item) const { return OnGetItemColumnAttr(item, 0); }

wxColour ToWxColour(listmodel::ColorRef color) {
  return wxColour(listmodel::RedOf(color), listmodel::GreenOf(color), listmodel::BlueOf(color));
}

listmodel::ColorRef ToColorRef(const wxColour& colour) {
  return listmodel::MakeRgb(colour.Red(), colour.Green(), colour.Blue());
}
