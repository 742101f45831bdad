#pragma once
// What the report list model asks of the window that shows it: the text the user typed into the cell
// editor, hiding that editor, and passing the list's notifications on to the parent window.
#include <cstdint>
#include <string>

namespace listmodel {

class ReportListObserver {
 public:
  virtual ~ReportListObserver() = default;
  virtual std::string CellEditorText() = 0;
  virtual void CellEditorClosed() = 0;
  // WM_REPORT_CHECKBOX_CLICKED, WM_REPORT_SORTED or WM_REPORT_EDIT_COMMITTED, sent synchronously.
  virtual void NotifyParent(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace listmodel
