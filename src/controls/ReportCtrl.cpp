#include "controls/ReportCtrl.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/wupdlock.h>

using namespace listmodel;

wxDEFINE_EVENT(EVT_REPORT_CHECKBOX_CLICKED, wxCommandEvent);
wxDEFINE_EVENT(EVT_REPORT_SORTED, wxCommandEvent);
wxDEFINE_EVENT(EVT_REPORT_EDIT_COMMITTED, wxCommandEvent);

namespace {

wxListColumnFormat ToListFormat(ColumnFormat format) {
  switch (format) {
    case ColumnFormat::Center: return wxLIST_FORMAT_CENTRE;
    case ColumnFormat::Right: return wxLIST_FORMAT_RIGHT;
    case ColumnFormat::Left: break;
  }
  return wxLIST_FORMAT_LEFT;
}

long ToEditAlignment(ColumnFormat format) {
  switch (format) {
    case ColumnFormat::Center: return wxTE_CENTRE;
    case ColumnFormat::Right: return wxTE_RIGHT;
    case ColumnFormat::Left: break;
  }
  return wxTE_LEFT;
}

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }

}  // namespace

CReportCtrl::CReportCtrl() {
  m_model.SetObserver(this);
  m_model.SetSystemColors([] {
    return CellColors{ToColorRef(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)),
                      ToColorRef(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW))};
  });
}

CReportCtrl::~CReportCtrl() {
  // The model must not reach back into windows that are going away.
  m_model.SetObserver(nullptr);
  // The list and its editor send events while they are destroyed; they must reach this control while it is
  // still whole, not after the base class has taken over.
  DestroyChildren();
}

bool CReportCtrl::CreateReportList(wxWindow* parent, wxWindowID id, const wxRect* rect, long style) {
  wxCHECK_MSG(parent, false, "a report list needs a parent window");
  const wxRect area = rect ? *rect : parent->GetClientRect();
  if (!wxWindow::Create(parent, id, area.GetPosition(), area.GetSize(), style & wxBORDER_MASK)) return false;
  m_list = new ReportListView(this, m_model, style & (wxLC_NO_HEADER | wxLC_SINGLE_SEL));
  m_model.SetHasHeader(!(style & wxLC_NO_HEADER));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(m_list, 1, wxEXPAND);
  SetSizer(sizer);
  Layout();

  m_list->Bind(wxEVT_LIST_COL_CLICK, &CReportCtrl::OnColumnClick, this);
  m_list->Bind(wxEVT_LIST_ITEM_CHECKED, [this](wxListEvent& event) { OnItemChecked(event, true); });
  m_list->Bind(wxEVT_LIST_ITEM_UNCHECKED, [this](wxListEvent& event) { OnItemChecked(event, false); });
  wxWindow* rows = m_list->RowsWindow();
  const struct {
    wxEventTypeTag<wxMouseEvent> type;
    std::uint32_t message;
    bool mayOpenEditor;
  } buttons[] = {{wxEVT_LEFT_DOWN, WM_LBUTTONDOWN, true},     {wxEVT_LEFT_DCLICK, WM_LBUTTONDBLCLK, true},
                 {wxEVT_MIDDLE_DOWN, WM_MBUTTONDOWN, false},  {wxEVT_MIDDLE_DCLICK, WM_MBUTTONDBLCLK, false},
                 {wxEVT_RIGHT_DOWN, WM_RBUTTONDOWN, false},   {wxEVT_RIGHT_DCLICK, WM_RBUTTONDBLCLK, false}};
  for (const auto& button : buttons) {
    rows->Bind(button.type, [this, button](wxMouseEvent& event) {
      OnMouseButton(event, button.message, button.mayOpenEditor);
    });
  }
  rows->Bind(wxEVT_KEY_DOWN, &CReportCtrl::OnRowsKeyDown, this);
  for (const auto& type : {wxEVT_LIST_ITEM_SELECTED, wxEVT_LIST_ITEM_DESELECTED, wxEVT_LIST_ITEM_FOCUSED}) {
    m_list->Bind(type, [this](wxListEvent& event) {
      m_windowStatesChanged |= !m_pushing;
      event.Skip();
    });
  }
  SetExtendedStyle(m_extendedStyle);
  return true;
}

// ---- styles and window ----

long CReportCtrl::SetExtendedStyle(long style) {
  const long previous = m_extendedStyle;
  m_extendedStyle = style | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
  if (m_list) {
    m_list->SetSingleStyle(wxLC_HRULES, m_extendedStyle & LVS_EX_GRIDLINES);
    m_list->SetSingleStyle(wxLC_VRULES, m_extendedStyle & LVS_EX_GRIDLINES);
    m_list->EnableCheckBoxes(m_extendedStyle & LVS_EX_CHECKBOXES);
    PushToWindow();
  }
  return previous;
}

void CReportCtrl::SetGridLines(bool on) {
  SetExtendedStyle(on ? m_extendedStyle | LVS_EX_GRIDLINES : m_extendedStyle & ~LVS_EX_GRIDLINES);
}

// The toolkit's list always highlights whole rows; the bit is kept for callers that read the style.
void CReportCtrl::ToggleFullRowSelect(bool on) {
  m_extendedStyle = on ? m_extendedStyle | LVS_EX_FULLROWSELECT : m_extendedStyle & ~LVS_EX_FULLROWSELECT;
}

void CReportCtrl::FillParentClientArea() {
  if (!m_list || !GetParent()) return;
  SetSize(GetParent()->GetClientRect());
  Refresh();
}

wxWindow* CReportCtrl::GetHeaderCtrl() const { return m_list && HasHeader() ? m_list->HeaderWindow() : nullptr; }

// ---- columns ----

void CReportCtrl::RebuildColumns() {
  m_list->DeleteAllColumns();
  for (int column = 0; column < m_model.GetColumnCount(); ++column) {
    m_list->InsertColumn(column, FromUtf8(m_model.GetColumnHeading(column)), ToListFormat(m_model.GetColumnFormat(column)),
                         m_model.GetColumnWidth(column));
    ApplyColumnToWindow(column);
  }
}

void CReportCtrl::ApplyColumnToWindow(int column) {
  if (m_model.GetColumnHeaderImage(column) < 0) return;
  wxListItem item;
  item.SetMask(wxLIST_MASK_IMAGE);
  item.SetImage(m_model.GetColumnHeaderImage(column));
  m_list->SetColumn(column, item);
}

bool CReportCtrl::SetColumnHeader(const std::string& header) {
  const bool inserted = Change([&](auto& model) { return model.SetColumnHeader(header); });
  RebuildColumns();
  return inserted;
}

int CReportCtrl::InsertColumn(int index, const std::string& heading, ColumnFormat format, int width) {
  const int inserted = Change([&](auto& model) { return model.InsertColumn(index, heading, format, width); });
  if (inserted >= 0) m_list->InsertColumn(inserted, FromUtf8(heading), ToListFormat(format), width);
  return inserted;
}

bool CReportCtrl::DeleteColumn(int column) {
  const bool deleted = Change([&](auto& model) { return model.DeleteColumn(column); });
  if (deleted) m_list->DeleteColumn(column);
  return deleted;
}

bool CReportCtrl::RemoveAllColumns() {
  Change([](auto& model) { return model.RemoveAllColumns(); });
  RebuildColumns();
  return true;
}

bool CReportCtrl::SetColumnHeading(int column, const std::string& heading) {
  if (!m_model.SetColumnHeading(column, heading)) return false;
  wxListItem item;
  item.SetMask(wxLIST_MASK_TEXT);
  item.SetText(FromUtf8(heading));
  return m_list->SetColumn(column, item);
}

// The toolkit's header draws its images from the list's small image list; a header list given here is
// used for the header when the rows have none.
void CReportCtrl::AttachHeaderImages(wxImageList* images) {
  if (!GetSmallImageList()) m_list->SetImageList(images, wxIMAGE_LIST_SMALL);
  m_smallImages = m_smallImages ? m_smallImages : images;
}

void CReportCtrl::AttachHeaderImages(const wxBitmap& strip, const wxColour& mask) {
  m_headerImages = std::make_unique<wxImageList>(20, strip.GetHeight(), true, 4);
  m_headerImages->Add(strip, mask);
  AttachHeaderImages(m_headerImages.get());
}

bool CReportCtrl::SetColumnHeaderImage(int column, int image, bool onLeft) {
  if (!m_model.SetColumnHeaderImage(column, image, onLeft)) return false;
  ApplyColumnToWindow(column);
  return true;
}

// ---- rows ----

int CReportCtrl::InsertItem(int index, const std::string& text, int image, std::uintptr_t data, unsigned states) {
  return Change([&](auto& model) { return model.InsertItem(index, text, image, data, states); });
}

int CReportCtrl::InsertRowWithTexts(int index, const std::vector<std::string>& texts) {
  return Change([&](auto& model) { return model.InsertRowWithTexts(index, texts); });
}

bool CReportCtrl::DeleteItem(int row, bool selectNext) {
  return Change([&](auto& model) { return model.DeleteItem(row, selectNext); });
}

int CReportCtrl::DeleteAllItems(unsigned states) {
  wxWindowUpdateLocker noUpdates(this);
  return Change([&](auto& model) { return model.DeleteAllItems(states); });
}

int CReportCtrl::GetItemCount(unsigned states) const {
  PullStates();
  return m_model.GetItemCount(states);
}

bool CReportCtrl::SetItemText(int row, int column, double value, int precision) {
  return Change([&](auto& model) { return model.SetItemText(row, column, value, precision); });
}

bool CReportCtrl::SetItemText(int row, int column, const std::optional<std::tm>& date, unsigned flags) {
  return Change([&](auto& model) { return model.SetItemText(row, column, date, flags); });
}

bool CReportCtrl::SetItemImage(int row, int column, int image) {
  return Change([&](auto& model) { return model.SetItemImage(row, column, image); });
}

void CReportCtrl::SetImageList(wxImageList* images) {
  m_smallImages = images;
  m_list->SetImageList(images, wxIMAGE_LIST_SMALL);
}

void CReportCtrl::SetImageList(const wxBitmap& strip, const wxColour& mask) {
  m_cellImages = std::make_unique<wxImageList>(20, strip.GetHeight(), true, 4);
  m_cellImages->Add(strip, mask);
  SetImageList(m_cellImages.get());
}

wxImageList* CReportCtrl::GetSmallImageList() const { return m_smallImages; }

void CReportCtrl::SetItemTextColor(int row, int column, ColorRef color, bool redraw) {
  m_model.SetItemTextColor(row, column, color);
  if (redraw) m_list->Refresh();
}

void CReportCtrl::SetItemBkColor(int row, int column, ColorRef color, bool redraw) {
  m_model.SetItemBkColor(row, column, color);
  if (redraw) m_list->Refresh();
}

int CReportCtrl::MoveTo(int row, int newIndex) {
  return Change([&](auto& model) { return model.MoveTo(row, newIndex); });
}

bool CReportCtrl::SwapItems(int first, int second) {
  return Change([&](auto& model) { return model.SwapItems(first, second); });
}

// ---- sorting ----

bool CReportCtrl::EnableHeaderSort(bool enable) {
  const bool done = Change([&](auto& model) { return model.EnableHeaderSort(enable); });
  if (done && GetHeaderCtrl()) GetHeaderCtrl()->Refresh();
  return done;
}

void CReportCtrl::SortItems(int column, bool ascending) {
  Change([&](auto& model) { return model.SortItems(column, ascending); });
}

void CReportCtrl::ClearSortState() {
  m_model.ClearSortState();
  PushToWindow();
}

void CReportCtrl::OnColumnClick(wxListEvent& event) {
  Change([&](auto& model) { return model.ColumnClick(event.GetColumn()); });
}

// ---- row states and check boxes ----

unsigned CReportCtrl::GetRowStates(int row) const {
  PullStates();
  return m_model.GetRowStates(row);
}

bool CReportCtrl::RowMatchesStates(int row, unsigned states) const {
  PullStates();
  return m_model.RowMatchesStates(row, states);
}

bool CReportCtrl::ApplyRowStates(int row, unsigned states) {
  return Change([&](auto& model) { return model.ApplyRowStates(row, states); });
}

int CReportCtrl::ApplyStatesToMatchingRows(unsigned match, unsigned states) {
  return Change([&](auto& model) { return model.ApplyStatesToMatchingRows(match, states); });
}

int CReportCtrl::FindNextRowWithStates(unsigned states, int start) const {
  PullStates();
  return m_model.FindNextRowWithStates(states, start);
}

int CReportCtrl::FindPreviousRowWithStates(unsigned states, int start) const {
  PullStates();
  return m_model.FindPreviousRowWithStates(states, start);
}

void CReportCtrl::InvertRowStates(int kind) {
  Change([&](auto& model) {
    model.InvertRowStates(kind);
    return true;
  });
}

bool CReportCtrl::SetRowCheck(int row, bool check) {
  return Change([&](auto& model) { return model.SetRowCheck(row, check); });
}

void CReportCtrl::SetCheckMode(int mode) {
  Change([&](auto& model) {
    model.SetCheckMode(mode);
    return true;
  });
  const long style = m_model.GetCheckMode() != CHECK_MODE_NONE ? m_extendedStyle | LVS_EX_CHECKBOXES
                                                                : m_extendedStyle & ~LVS_EX_CHECKBOXES;
  SetExtendedStyle(style);
}

void CReportCtrl::OnItemChecked(wxListEvent& event, bool checked) {
  m_model.SetRowCheck(event.GetIndex(), checked);
  m_list->RefreshItem(event.GetIndex());
}

void CReportCtrl::PullStates() const {
  if (!m_list || !m_windowStatesChanged) return;
  m_windowStatesChanged = false;
  std::vector<int> selected;
  for (long item = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item >= 0;
       item = m_list->GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
    selected.push_back(static_cast<int>(item));
  m_model.SyncSelection(selected, m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED));
}

void CReportCtrl::RequestPush() {
  if (m_pushPending) return;
  m_pushPending = true;
  CallAfter([this] {
    if (m_pushPending) PushToWindow();
  });
}

ReportListView* CReportCtrl::GetListView() {
  if (m_pushPending) PushToWindow();
  return m_list;
}

void CReportCtrl::PushToWindow() {
  m_pushPending = false;
  if (!m_list) return;
  PullStates();  // what the user changed since the push was asked for is kept
  m_pushing = true;
  const int rows = m_model.GetItemCount();
  const bool countChanged = m_list->GetItemCount() != rows;
  if (countChanged) m_list->SetItemCount(rows);
  if (rows > 0) m_list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
  for (int row : m_model.SelectedRows()) m_list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  const int focused = m_model.FocusedRow();
  const long shownFocus = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
  if (focused >= 0) m_list->SetItemState(focused, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
  else if (shownFocus >= 0) m_list->SetItemState(shownFocus, 0, wxLIST_STATE_FOCUSED);
  if (m_model.CurrentSortColumn() >= 0)
    m_list->ShowSortIndicator(m_model.CurrentSortColumn(), m_model.SortIsAscending());
  else
    m_list->RemoveSortIndicator();
  m_list->Refresh();
  // A new row count leaves the list's layout to its next idle time, and until then it ignores clicks.
  if (countChanged) m_list->Update();
  m_pushing = false;
}

// ---- mouse and keys ----

void CReportCtrl::OnMouseButton(wxMouseEvent& event, std::uint32_t message, bool mayOpenEditor) {
  int flags = 0;
  if (m_pushPending) PushToWindow();  // the click acts on the rows as the model has them
  const int row = static_cast<int>(m_list->HitTest(event.GetPosition(), flags));
  const int column = ColumnAt(row, m_list->ScreenToClient(m_list->RowsWindow()->ClientToScreen(event.GetPosition())));
  PullStates();
  const bool wasChecked = m_model.IsRowChecked(row);
  const bool editWasOpen = m_model.IsCellEditorOpen();
  EndEdit(true);
  const bool selectedAndFocused =
      message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK
          ? m_model.RowMatchesStates(row, ROW_SELECTED | ROW_FOCUSED)
          : false;
  event.Skip();  // the list selects the row and toggles a clicked box first
  m_windowStatesChanged = true;
  CallAfter([=, this] {
    PullStates();
    const bool handled = m_model.CheckBoxClick(row, wasChecked, m_model.IsRowChecked(row), message);
    PushToWindow();
    // A second click on a cell of the selected row opens the editor; a click that closed one does not.
    if (mayOpenEditor && m_model.IsCellEditingAllowed() && !handled && !editWasOpen && selectedAndFocused)
      OpenCellEditor(row, column);
  });
}

// The toolkit's hit test names the row only; the column is the one whose cell holds the point.
int CReportCtrl::ColumnAt(int row, const wxPoint& point) const {
  for (int column = 0; row >= 0 && column < m_model.GetColumnCount(); ++column) {
    wxRect cell;
    if (m_list->GetSubItemRect(row, column, cell, wxLIST_RECT_BOUNDS) && point.x >= cell.x && point.x < cell.GetRight() + 1)
      return column;
  }
  return -1;
}

// Without an open edit the space bar neither toggles a box nor reaches the list.
void CReportCtrl::OnRowsKeyDown(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_SPACE && !m_model.IsCellEditorOpen()) return;
  if (m_pushPending) PushToWindow();
  m_windowStatesChanged = true;
  event.Skip();
}

void CReportCtrl::OnEditKeyDown(wxKeyEvent& event) {
  EditKey key;
  switch (event.GetKeyCode()) {
    case WXK_TAB: key = EditKey::Tab; break;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER: key = EditKey::Return; break;
    case WXK_ESCAPE: key = EditKey::Escape; break;
    case WXK_UP: key = EditKey::Up; break;
    case WXK_DOWN: key = EditKey::Down; break;
    default: event.Skip(); return;
  }
  const EditKeyAction action = m_model.ResolveEditKey(key);
  switch (action.kind) {
    case EditKeyAction::PassOn: event.Skip(); break;
    case EditKeyAction::Commit: EndEdit(true); break;
    case EditKeyAction::Cancel: EndEdit(false); break;
    case EditKeyAction::MoveEditor:
      EndEdit(true);
      m_list->EnsureVisible(action.row);
      OpenCellEditor(action.row, action.column);
      break;
  }
}

// Focus leaving the editor for another window ends the edit with its text; the check waits until the
// focus has settled, so moving the editor to another cell does not end the new edit.
void CReportCtrl::OnEditFocusLost(wxFocusEvent& event) {
  event.Skip();
  CallAfter([this] {
    if (m_model.IsCellEditorOpen() && wxWindow::FindFocus() != m_editBox) EndEdit(true);
  });
}

// ---- in-place cell editor ----

void CReportCtrl::AllowCellEditing(bool allow) {
  Change([&](auto& model) {
    model.AllowCellEditing(allow);
    return true;
  });
}

bool CReportCtrl::CreateEditBox(ColumnFormat alignment) {
  if (m_editBox && m_editAlignment == alignment) return true;
  if (m_editBox) m_editBox->Destroy();
  m_editAlignment = alignment;
  m_editBox = new wxTextCtrl();
  if (!m_editBox->Create(m_list->RowsWindow(), wxID_ANY, wxString(), wxPoint(0, 0), wxSize(1, 1),
                         wxBORDER_SIMPLE | wxTE_PROCESS_ENTER | wxTE_PROCESS_TAB | ToEditAlignment(alignment))) {
    delete m_editBox;
    m_editBox = nullptr;
    m_editAlignment.reset();
    return false;
  }
  m_editBox->Hide();
  m_editBox->Bind(wxEVT_KEY_DOWN, &CReportCtrl::OnEditKeyDown, this);
  m_editBox->Bind(wxEVT_KILL_FOCUS, &CReportCtrl::OnEditFocusLost, this);
  return true;
}

bool CReportCtrl::OpenCellEditor(int row, int column) {
  PullStates();
  if (!m_model.OpenCellEditor(row, column)) return false;
  if (!CreateEditBox(m_model.GetColumnFormat(column))) {
    m_model.AbandonCellEditor();
    PushToWindow();
    return false;
  }
  PushToWindow();
  m_editBox->SetFont(m_list->GetFont());
  wxRect cell;
  m_list->GetSubItemRect(row, column, cell, wxLIST_RECT_BOUNDS);
  if (column > 0 && GetSmallImageList() && m_model.GetCellImage(row, column) >= 0) {
    cell.x += 16;
    cell.width -= 16;
  }
  wxWindow* rows = m_list->RowsWindow();
  cell.SetPosition(rows->ScreenToClient(m_list->ClientToScreen(cell.GetPosition())));
  m_editBox->SetSize(cell);
  m_editBox->ChangeValue(FromUtf8(m_model.GetItemText(row, column)));
  m_editBox->Show();
  m_editBox->SelectAll();
  m_editBox->SetFocus();
  return true;
}

bool CReportCtrl::EndEdit(bool commit) {
  return Change([&](auto& model) { return model.EndEdit(commit); });
}

std::string CReportCtrl::CellEditorText() {
  return m_editBox ? m_editBox->GetValue().utf8_string() : std::string();
}

void CReportCtrl::CellEditorClosed() {
  if (!m_editBox) return;
  const bool hadFocus = wxWindow::FindFocus() == m_editBox;
  m_editBox->Hide();
  if (hadFocus) m_list->SetFocus();
}

void CReportCtrl::NotifyParent(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) {
  if (!GetParent()) return;
  // The parent's handler may read rows and states: show it the list as the model has it now.
  PushToWindow();
  const wxEventType type = message == WM_REPORT_CHECKBOX_CLICKED ? EVT_REPORT_CHECKBOX_CLICKED
                           : message == WM_REPORT_SORTED         ? EVT_REPORT_SORTED
                                                                 : EVT_REPORT_EDIT_COMMITTED;
  wxCommandEvent event(type, GetId());
  event.SetEventObject(this);
  event.SetInt(static_cast<int>(wParam));
  event.SetExtraLong(static_cast<long>(lParam));
  GetParent()->GetEventHandler()->ProcessEvent(event);
}
