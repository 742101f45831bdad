#include "log/ui/LogView.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include "log/LogDBModule.h"
#include "log/ui/LogListCtrlTarget.h"

namespace {

constexpr int kLogTypeAction = 0;  // positions in the sorted log-type list: "Action Log", "System Log"
constexpr int kControlsRow = 6;
constexpr int kLevelsRow = 38;

wxBitmapButton* IconButton(wxWindow* parent, int id, const wxArtID& art, int x, bool enabled = true) {
  auto* button = new wxBitmapButton(parent, id, wxArtProvider::GetBitmap(art, wxART_BUTTON, wxSize(16, 16)),
                                    wxPoint(x, kControlsRow - 2), wxSize(28, 28));
  button->Enable(enabled);
  return button;
}

}  // namespace

CLogView::CLogView(wxWindow* parent, wxWindowID id) : wxPanel(parent, id), m_browser(*GetLogDBModule()) {
  BuildControls();
  Bind(wxEVT_SIZE, &CLogView::OnSize, this);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Page(&CLogBrowser::FirstPage); }, IDC_FIRST_PAGE);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Page(&CLogBrowser::PreviousPage); }, IDC_PREV_PAGE);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Page(&CLogBrowser::NextPage); }, IDC_NEXT_PAGE);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Page(&CLogBrowser::LastPage); }, IDC_LAST_PAGE);
  Bind(wxEVT_TEXT, &CLogView::OnFilterEditChange, this, IDC_FILTER);
  Bind(wxEVT_BUTTON, &CLogView::OnSearch, this, IDC_SEARCH);
  Bind(wxEVT_CHOICE, &CLogView::OnLogTypeChange, this, IDC_LOG_TYPE);
  Bind(wxEVT_BUTTON, &CLogView::OnClearFilter, this, IDC_CLEAR_FILTER);
  for (wxCheckBox* box : m_levels) box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { RefreshLog(); });
  LayoutList();
  RefreshLog();
}

void CLogView::BuildControls() {
  new wxStaticText(this, wxID_ANY, "Log Type:", wxPoint(6, kControlsRow + 4));
  const wxString types[] = {"Action Log", "System Log"};
  m_logType = new wxChoice(this, IDC_LOG_TYPE, wxPoint(70, kControlsRow), wxSize(120, -1), 2, types);
  m_logType->SetSelection(kLogTypeAction);
  new wxStaticText(this, wxID_ANY, "Filter Type:", wxPoint(190, kControlsRow + 4));
  const wxString filterTypes[] = {"Date/Time", "Description"};
  m_filterType = new wxChoice(this, IDC_FILTER_TYPE, wxPoint(265, kControlsRow), wxSize(110, -1), 2, filterTypes);
  m_filterType->SetSelection(CLogBrowser::FILTER_DATETIME);
  new wxStaticText(this, wxID_ANY, "Filter:", wxPoint(385, kControlsRow + 4));
  m_filter = new wxComboBox(this, IDC_FILTER, "", wxPoint(425, kControlsRow), wxSize(150, -1), 0, nullptr,
                            wxCB_DROPDOWN | wxCB_SORT);
  m_search = IconButton(this, IDC_SEARCH, wxART_FIND, 580, false);
  m_clearFilter = IconButton(this, IDC_CLEAR_FILTER, wxART_DELETE, 610, false);
  m_first = IconButton(this, IDC_FIRST_PAGE, wxART_GOTO_FIRST, 650);
  m_previous = IconButton(this, IDC_PREV_PAGE, wxART_GO_BACK, 680);
  m_next = IconButton(this, IDC_NEXT_PAGE, wxART_GO_FORWARD, 710);
  m_last = IconButton(this, IDC_LAST_PAGE, wxART_GOTO_LAST, 740);
  m_page = new wxStaticText(this, IDC_PAGE, "xxxxxxx", wxPoint(775, kControlsRow + 4), wxSize(70, -1));

  m_levelLabel = new wxStaticText(this, IDC_LEVEL_LABEL, "Level:", wxPoint(6, kLevelsRow + 2));
  const std::pair<int, const char*> levels[] = {
      {IDC_CRITICAL, "Critical"}, {IDC_WARNING, "Warning"}, {IDC_INFO, "Info."}, {IDC_DEBUG, "Debug"}};
  for (int i = 0; i < 4; ++i) {
    m_levels[i] = new wxCheckBox(this, levels[i].first, levels[i].second, wxPoint(70 + 90 * i, kLevelsRow));
    m_levels[i]->SetValue(true);
  }
  m_levelLabel->Hide();
  for (wxCheckBox* box : m_levels) box->Hide();

  m_list = new wxListCtrl(this, IDC_LIST, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
}

void CLogView::LayoutList() {
  if (!m_list) return;
  const int top = m_browser.LogType() == CLogBrowser::SYSTEM_LOG ? kSystemListTop : kActionListTop;
  const wxSize client = GetClientSize();
  m_list->SetSize(0, top, client.x, std::max(0, client.y - top));
  ResizeColumns();
}

void CLogView::ResizeColumns() {
  const int w = m_list->GetClientSize().x;
  if (m_browser.LogType() == CLogBrowser::SYSTEM_LOG && m_list->GetColumnCount() == 3) {
    m_list->SetColumnWidth(0, w * 3 / 14 - 3);
    m_list->SetColumnWidth(1, w / 7 - 3);
    m_list->SetColumnWidth(2, w * 9 / 14 - 10);
  } else if (m_list->GetColumnCount() == 2) {
    m_list->SetColumnWidth(0, w * 2 / 7 - 3);
    m_list->SetColumnWidth(1, w * 5 / 7 - 3);
  }
}

void CLogView::SetColumns() {
  m_list->DeleteAllItems();
  m_list->DeleteAllColumns();
  m_list->InsertColumn(0, "Date/Time");
  if (m_browser.LogType() == CLogBrowser::SYSTEM_LOG) m_list->InsertColumn(1, "Level");
  m_list->InsertColumn(m_list->GetColumnCount(), "Description");
  ResizeColumns();
}

int CLogView::LevelBits() const {
  int bits = 0;
  for (int i = 0; i < 4; ++i)
    if (m_levels[i]->GetValue()) bits |= 1 << i;
  return bits;
}

void CLogView::ReadFilter() {
  m_browser.SetFilter(m_filterType->GetSelection(), m_filter->GetValue().utf8_string());
}

void CLogView::RefreshLog() {
  ReadFilter();
  m_browser.SetLevelBits(LevelBits());
  SetColumns();
  CLogListCtrlTarget target(*m_list);
  m_browser.Refresh(target);
  if (m_browser.HasFilter()) m_clearFilter->Enable();
  UpdatePaging();
}

void CLogView::Page(void (CLogBrowser::*move)(LogListTarget&)) {
  CLogListCtrlTarget target(*m_list);
  (m_browser.*move)(target);
  UpdatePaging();
}

void CLogView::UpdatePaging() {
  const CLogBrowser::PageButtons buttons = m_browser.Buttons();
  m_first->Enable(buttons.first);
  m_previous->Enable(buttons.previous);
  m_next->Enable(buttons.next);
  m_last->Enable(buttons.last);
  m_page->SetLabel(m_browser.PageLabel());
}

void CLogView::OnSize(wxSizeEvent& event) {
  event.Skip();
  LayoutList();
}

void CLogView::OnFilterEditChange(wxCommandEvent&) { m_search->Enable(!m_filter->GetValue().empty()); }

void CLogView::OnSearch(wxCommandEvent&) {
  const wxString text = m_filter->GetValue();
  if (m_history.Add(text.utf8_string())) {
    m_filter->Clear();
    for (const std::string& entry : m_history.Entries()) m_filter->Append(wxString::FromUTF8(entry));
    m_filter->ChangeValue(text);
  }
  RefreshLog();
}

void CLogView::OnClearFilter(wxCommandEvent&) {
  m_filter->ChangeValue("");
  m_search->Disable();
  m_clearFilter->Disable();
  RefreshLog();
}

void CLogView::OnLogTypeChange(wxCommandEvent&) {
  const int type = m_logType->GetSelection() == kLogTypeAction ? CLogBrowser::ACTION_LOG : CLogBrowser::SYSTEM_LOG;
  if (type == m_browser.LogType()) return;
  m_browser.SetLogType(type);
  const bool system = type == CLogBrowser::SYSTEM_LOG;
  m_levelLabel->Show(system);
  for (wxCheckBox* box : m_levels) box->Show(system);
  LayoutList();
  RefreshLog();
}
