#pragma once
// The multi-column report list behind most list panes: a virtual list over CReportListModel with a colour
// pair per cell, a header defined by one text, sorting by a header click, row states, check boxes and an
// in-place cell editor. It tells its parent window about check-box clicks, finished sorts and committed
// edits with the three events below, sent synchronously (the parent's handler runs inside the operation).
#include <wx/event.h>
#include <wx/imaglist.h>
#include <wx/window.h>

#include <memory>
#include <optional>

#include "controls/ReportListView.h"
#include "listmodel/ReportListModel.h"

class wxTextCtrl;

// GetInt() carries wParam, GetExtraLong() lParam of the notification with the same name.
wxDECLARE_EVENT(EVT_REPORT_CHECKBOX_CLICKED, wxCommandEvent);  // row, mouse message
wxDECLARE_EVENT(EVT_REPORT_SORTED, wxCommandEvent);            // sort column, 1 for ascending
wxDECLARE_EVENT(EVT_REPORT_EDIT_COMMITTED, wxCommandEvent);    // row, column

class CReportCtrl : public wxWindow, private listmodel::ReportListObserver {
 public:
  // Extended style bits kept by SetExtendedStyle.
  static constexpr long LVS_EX_GRIDLINES = 0x1;
  static constexpr long LVS_EX_SUBITEMIMAGES = 0x2;
  static constexpr long LVS_EX_CHECKBOXES = 0x4;
  static constexpr long LVS_EX_FULLROWSELECT = 0x20;

  CReportCtrl();
  ~CReportCtrl() override;

  // A null rectangle fills the parent's client area. `style` takes wxLC_NO_HEADER, wxLC_SINGLE_SEL and the
  // window's border styles.
  virtual bool CreateReportList(wxWindow* parent, wxWindowID id, const wxRect* rect, long style = 0);

  long SetExtendedStyle(long style);
  long GetExtendedStyle() const { return m_extendedStyle; }
  void SetGridLines(bool on);
  void ToggleFullRowSelect(bool on);
  void FillParentClientArea();
  wxWindow* GetHeaderCtrl() const;
  bool HasHeader() const { return m_model.HasHeader(); }

  // Columns.
  bool SetColumnHeader(const std::string& header);
  int InsertColumn(int index, const std::string& heading, listmodel::ColumnFormat format = listmodel::ColumnFormat::Left,
                   int width = 100);
  bool DeleteColumn(int column);
  bool RemoveAllColumns();
  int GetColumnCount() const { return m_model.GetColumnCount(); }
  std::string GetColumnHeading(int column) const { return m_model.GetColumnHeading(column); }
  bool SetColumnHeading(int column, const std::string& heading);
  void AttachHeaderImages(wxImageList* images);
  void AttachHeaderImages(const wxBitmap& strip, const wxColour& mask);
  bool SetColumnHeaderImage(int column, int image, bool onLeft = true);
  int GetColumnHeaderImage(int column) const { return m_model.GetColumnHeaderImage(column); }

  // Rows.
  int InsertItem(int index, const std::string& text, int image = -1, std::uintptr_t data = 0, unsigned states = 0);
  int InsertRowWithTexts(int index, const std::vector<std::string>& texts);
  bool DeleteItem(int row, bool selectNext = false);
  int DeleteAllItems(unsigned states = listmodel::ROW_ANY);
  int GetItemCount(unsigned states = listmodel::ROW_ANY) const;
  bool IsRowIndexValid(int row) const { return m_model.IsRowIndexValid(row); }
  template <typename Value>
  bool SetItemText(int row, int column, const Value& value) {
    return Change([&](auto& model) { return model.SetItemText(row, column, value); });
  }
  bool SetItemText(int row, int column, double value, int precision);
  bool SetItemText(int row, int column, const std::optional<std::tm>& date, unsigned flags);
  std::string GetItemText(int row, int column) const { return m_model.GetItemText(row, column); }
  std::uintptr_t GetItemData(int row) const { return m_model.GetItemData(row); }
  bool SetItemData(int row, std::uintptr_t data) { return m_model.SetItemData(row, data); }
  bool SetItemImage(int row, int column, int image);
  int GetCellImage(int row, int column) const { return m_model.GetCellImage(row, column); }
  void SetImageList(wxImageList* images);
  void SetImageList(const wxBitmap& strip, const wxColour& mask);
  wxImageList* GetSmallImageList() const;

  // Colour kDefaultColor is the system's; row or column -1 means all (see CReportListModel).
  void SetItemTextColor(int row, int column, listmodel::ColorRef color, bool redraw = true);
  void SetItemBkColor(int row, int column, listmodel::ColorRef color, bool redraw = true);
  listmodel::ColorRef GetCellTextColor(int row, int column) const { return m_model.GetCellTextColor(row, column); }
  listmodel::ColorRef GetCellBkColor(int row, int column) const { return m_model.GetCellBkColor(row, column); }

  int MoveTo(int row, int newIndex);
  int MoveUp(int row, int count = 1) { return MoveTo(row, row - count); }
  int MoveDown(int row, int count = 1) { return MoveTo(row, row + count); }
  int MoveToTop(int row) { return MoveTo(row, -1); }
  int MoveToBottom(int row) { return MoveTo(row, 0x7FFFFFFF); }
  bool SwapItems(int first, int second);

  // Sorting.
  bool HeaderClickSorts() const { return m_model.HeaderClickSorts(); }
  bool EnableHeaderSort(bool enable);
  void SortItems(int column, bool ascending);
  int CurrentSortColumn() const { return m_model.CurrentSortColumn(); }
  bool SortIsAscending() const { return m_model.SortIsAscending(); }
  void ClearSortState();
  void SetBlockSeparatorText(std::optional<std::string> text) { m_model.SetBlockSeparatorText(std::move(text)); }
  const std::optional<std::string>& GetBlockSeparatorText() const { return m_model.GetBlockSeparatorText(); }

  // Row states and check boxes.
  unsigned GetRowStates(int row) const;
  bool RowMatchesStates(int row, unsigned states) const;
  bool ApplyRowStates(int row, unsigned states);
  int ApplyStatesToMatchingRows(unsigned match, unsigned states);
  int FindNextRowWithStates(unsigned states, int start) const;
  int FindPreviousRowWithStates(unsigned states, int start) const;
  void InvertRowStates(int kind);
  bool SetRowCheck(int row, bool check);
  void SetCheckMode(int mode);
  int GetCheckMode() const { return m_model.GetCheckMode(); }

  // In-place cell editor.
  void AllowCellEditing(bool allow);
  bool IsCellEditingAllowed() const { return m_model.IsCellEditingAllowed(); }
  bool IsCellEditorOpen() const { return m_model.IsCellEditorOpen(); }
  bool OpenCellEditor(int row, int column);
  bool EndEdit(bool commit);
  wxTextCtrl* GetCellEditorBox() const { return m_editBox; }

  // The list window, showing the model's current state.
  ReportListView* GetListView();

 private:
  // listmodel::ReportListObserver
  std::string CellEditorText() override;
  void CellEditorClosed() override;
  void NotifyParent(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override;

  // The list window keeps the selection and focus the user gives it: after user input they are read into
  // the model before the next operation. The model's rows, states and sort order go to the window once per
  // turn of the event loop (or at once when someone needs the window current), so filling a list row by
  // row stays linear.
  void PullStates() const;
  void RequestPush();
  void PushToWindow();
  template <typename Operation>
  auto Change(Operation operation) {
    PullStates();
    auto result = operation(m_model);
    RequestPush();
    return result;
  }
  void ApplyColumnToWindow(int column);
  void RebuildColumns();
  bool CreateEditBox(listmodel::ColumnFormat alignment);

  int ColumnAt(int row, const wxPoint& point) const;
  void OnMouseButton(wxMouseEvent& event, std::uint32_t message, bool mayOpenEditor);
  void OnRowsKeyDown(wxKeyEvent& event);
  void OnEditKeyDown(wxKeyEvent& event);
  void OnEditFocusLost(wxFocusEvent& event);
  void OnColumnClick(wxListEvent& event);
  void OnItemChecked(wxListEvent& event, bool checked);
  void OnSize(wxSizeEvent& event);

  mutable listmodel::CReportListModel m_model;
  ReportListView* m_list = nullptr;
  wxTextCtrl* m_editBox = nullptr;
  std::optional<listmodel::ColumnFormat> m_editAlignment;
  long m_extendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
  std::unique_ptr<wxImageList> m_cellImages;
  std::unique_ptr<wxImageList> m_headerImages;
  wxImageList* m_smallImages = nullptr;
  mutable bool m_windowStatesChanged = false;  // user input may have changed selection or focus
  bool m_pushPending = false;
  bool m_pushing = false;
};
