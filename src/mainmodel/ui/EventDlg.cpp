#include "mainmodel/ui/EventDlg.h"

#include "controls/ColumnFit.h"
#include "db/DeviceEventCounters.h"

namespace {
constexpr int kBottomGap = 2;
const char* const kRowNames[CEventDlg::kRowCount] = {"Unknown Device", "New AP",         "Changed AP", "Replaced AP",
                                                     "New Switch",     "Managed Switch", "Managed AP"};
}  // namespace

CEventDlg::CEventDlg(wxWindow* parent) : wxPanel(parent, IDD) {
  list_ = new wxListCtrl(this, IDC_EVENT_LIST, wxPoint(0, 0), GetClientSize(), wxLC_REPORT | wxLC_SINGLE_SEL);
  list_->InsertColumn(0, "Name", wxLIST_FORMAT_LEFT, 130);
  list_->InsertColumn(1, "Value", wxLIST_FORMAT_LEFT, 30);
  for (int row = 0; row < kRowCount; ++row) {
    list_->InsertItem(row, kRowNames[row]);
    list_->SetItem(row, 1, "0");
  }
  // Counted before the pane opened? Then it shows those counts, read without their lock.
  const DeviceEventCounterBlock& c = DeviceEventCounters;
  SetChangedAp(std::to_string(c.nChangedAp));
  SetNewAp(std::to_string(c.nNewAp));
  SetReplacedAp(std::to_string(c.nReplacedAp));
  SetUnknownDevice(std::to_string(c.nUnknownDevice));
  SetNewSwitch(std::to_string(c.nNewSwitch));
  SetManagedSwitch(std::to_string(c.nManagedSwitch));
  SetManagedAp(std::to_string(c.nManagedAp));
  FitColumns();
  Bind(wxEVT_SIZE, &CEventDlg::OnSize, this);
}

// Once, as the pane opens: later the widths are the user's.
void CEventDlg::FitColumns() {
  for (int column = 0; column < list_->GetColumnCount(); ++column) {
    std::vector<std::string> texts;
    for (int row = 0; row < list_->GetItemCount(); ++row) texts.push_back(list_->GetItemText(row, column).utf8_string());
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    list_->GetColumn(column, heading);
    list_->SetColumnWidth(column, ColumnWidthForTexts(*list_, heading.GetText().utf8_string(), texts));
  }
}

void CEventDlg::SetValue(Row row, const std::string& value) { list_->SetItem(row, 1, wxString::FromUTF8(value)); }

std::string CEventDlg::ValueAt(Row row) const { return list_->GetItemText(row, 1).utf8_string(); }

int CEventDlg::FullHeight() const {
  wxRect last;
  list_->GetItemRect(kRowCount - 1, last);  // in the list's client area, below its header
  const int borders = list_->GetSize().y - list_->GetClientSize().y;
  return last.GetBottom() + 1 + borders + kBottomGap;
}

void CEventDlg::OnSize(wxSizeEvent& event) {
  if (list_) list_->SetSize(0, 0, event.GetSize().x, event.GetSize().y);
  event.Skip();
}
