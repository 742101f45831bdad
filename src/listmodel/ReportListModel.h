#pragma once
// The report list without its window: columns, rows with their texts, images, colours, data word and
// states (selected, focused, checked), sorting, the check modes and the rules of the in-place cell editor.
// Rows and columns are zero-based; invalid indices make an operation answer -1, false or do nothing.
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listmodel/ReportListDefs.h"
#include "listmodel/ReportListObserver.h"

namespace listmodel {

struct CellColors {
  ColorRef text = MakeRgb(0, 0, 0);
  ColorRef background = MakeRgb(255, 255, 255);
};

// What a key pressed in the open cell editor does.
enum class EditKey { Tab, Return, Escape, Up, Down };
struct EditKeyAction {
  enum Kind { PassOn, Commit, Cancel, MoveEditor } kind = PassOn;
  int row = -1;
  int column = -1;
};

class CReportListModel {
 public:
  CReportListModel();

  void SetObserver(ReportListObserver* observer) { m_observer = observer; }
  // Where the colours of new cells and of kDefaultColor come from, read at every use.
  void SetSystemColors(std::function<CellColors()> source) { m_systemColors = std::move(source); }
  void SetHasHeader(bool hasHeader) { m_hasHeader = hasHeader; }
  bool HasHeader() const { return m_hasHeader; }

  // Columns.
  bool SetColumnHeader(std::string_view header);
  int InsertColumn(int index, std::string heading, ColumnFormat format = ColumnFormat::Left, int width = 100);
  bool DeleteColumn(int column);
  bool RemoveAllColumns();
  int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
  std::string GetColumnHeading(int column) const;
  bool SetColumnHeading(int column, std::string_view heading);
  ColumnFormat GetColumnFormat(int column) const;
  int GetColumnWidth(int column) const;
  bool SetColumnHeaderImage(int column, int image, bool onLeft);
  int GetColumnHeaderImage(int column) const;
  bool IsColumnImageOnLeft(int column) const;

  // Rows.
  int InsertItem(int index, std::string text, int image = -1, std::uintptr_t data = 0, unsigned states = 0);
  int InsertRowWithTexts(int index, const std::vector<std::string>& texts);
  bool DeleteItem(int row, bool selectNext);
  int DeleteAllItems(unsigned states = ROW_ANY);
  int GetItemCount(unsigned states = ROW_ANY) const;
  bool IsRowIndexValid(int row) const { return row >= 0 && row < static_cast<int>(m_rows.size()); }
  bool IsColumnIndexValid(int column) const { return column >= 0 && column < GetColumnCount(); }

  bool SetItemText(int row, int column, std::string_view text);
  bool SetItemText(int row, int column, int value);
  bool SetItemText(int row, int column, unsigned value);
  // precision >= 0: that many decimals; negative: "%f" without trailing zeros and point (2.5, 3).
  bool SetItemText(int row, int column, double value, int precision);
  // No date (an invalid one) writes an empty text; flags DATE_VALUE_ONLY or TIME_VALUE_ONLY trim it.
  bool SetItemText(int row, int column, const std::optional<std::tm>& date, unsigned flags);
  bool SetItemText(int row, int column, char value);
  const std::string& GetItemText(int row, int column) const;

  std::uintptr_t GetItemData(int row) const;
  bool SetItemData(int row, std::uintptr_t data);
  bool SetItemImage(int row, int column, int image);
  int GetCellImage(int row, int column) const;

  // Row -1 (any invalid row) means every row, column -1 every column.
  void SetItemTextColor(int row, int column, ColorRef color);
  void SetItemBkColor(int row, int column, ColorRef color);
  ColorRef GetCellTextColor(int row, int column) const;
  ColorRef GetCellBkColor(int row, int column) const;

  int MoveTo(int row, int newIndex);
  int MoveUp(int row, int count = 1) { return MoveTo(row, row - count); }
  int MoveDown(int row, int count = 1) { return MoveTo(row, row + count); }
  int MoveToTop(int row) { return MoveTo(row, -1); }
  int MoveToBottom(int row) { return MoveTo(row, 0x7FFFFFFF); }
  bool SwapItems(int first, int second);

  // Sorting.
  bool HeaderClickSorts() const { return m_hasHeader && m_headerSortEnabled; }
  bool EnableHeaderSort(bool enable);
  // True when the rows were sorted (and WM_REPORT_SORTED sent).
  bool SortItems(int column, bool ascending);
  // A click on a column's header: the other direction on the sorted column, else ascending.
  bool ColumnClick(int column);
  int CurrentSortColumn() const { return m_sortColumn; }
  bool SortIsAscending() const { return m_sortAscending; }
  void ClearSortState();
  void SetBlockSeparatorText(std::optional<std::string> text) { m_separator = std::move(text); }
  const std::optional<std::string>& GetBlockSeparatorText() const { return m_separator; }

  // Row states and check boxes.
  unsigned GetRowStates(int row) const;
  bool RowMatchesStates(int row, unsigned states) const;
  bool ApplyRowStates(int row, unsigned states);
  int ApplyStatesToMatchingRows(unsigned match, unsigned states);
  int FindNextRowWithStates(unsigned states, int start) const;
  int FindPreviousRowWithStates(unsigned states, int start) const;
  void InvertRowStates(int kind);
  bool SetRowCheck(int row, bool check);
  bool IsRowChecked(int row) const { return IsRowIndexValid(row) && m_rows[row].checked; }
  void SetCheckMode(int mode);
  int GetCheckMode() const { return m_checkMode; }
  // A click changed a row's box from `wasChecked` to `isChecked`; true when the click was handled here.
  bool CheckBoxClick(int row, bool wasChecked, bool isChecked, std::uint32_t mouseMessage);
  // Takes over the selection and focus the window shows (the user may have changed them there).
  void SyncSelection(const std::vector<int>& selectedRows, int focusedRow);
  std::vector<int> SelectedRows() const;
  int FocusedRow() const;

  // In-place cell editor.
  void AllowCellEditing(bool allow);
  bool IsCellEditingAllowed() const { return m_editingAllowed; }
  bool IsCellEditorOpen() const;
  int EditRow() const { return m_editRow; }
  int EditColumn() const { return m_editColumn; }
  // Makes (row, column) the edit cell and selects and focuses its row; the window then shows the editor.
  bool OpenCellEditor(int row, int column);
  // The window could not show the editor: no edit stays open.
  void AbandonCellEditor();
  // Closes the edit; with commit, a changed text goes into the cell. True when a changed text was written.
  bool EndEdit(bool commit);
  EditKeyAction ResolveEditKey(EditKey key) const;

 private:
  struct Cell {
    std::string text;
    int image = -1;
    CellColors colors;
  };
  struct Row {
    std::vector<Cell> cells;
    std::uintptr_t data = 0;
    bool selected = false;
    bool focused = false;
    bool checked = false;
  };
  struct Column {
    std::string heading;
    ColumnFormat format = ColumnFormat::Left;
    int width = 100;
    int headerImage = -1;
    bool imageOnLeft = true;
  };

  CellColors SystemColors() const;
  Cell* FindCell(int row, int column);
  const Cell* FindCell(int row, int column) const;
  void SetCellColor(int row, int column, ColorRef color, ColorRef CellColors::*which, ColorRef fallback);
  void SetFocusedRow(int row);
  void EnforceSingleCheck(int keep);
  void SortBlock(int first, int last, int column, bool ascending);
  void Notify(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam);

  std::vector<Column> m_columns;
  std::vector<Row> m_rows;
  ReportListObserver* m_observer = nullptr;
  std::function<CellColors()> m_systemColors;
  bool m_hasHeader = true;
  bool m_headerSortEnabled = true;
  int m_sortColumn = -1;
  bool m_sortAscending = true;
  std::optional<std::string> m_separator;
  int m_checkMode = CHECK_MODE_NORMAL;
  bool m_editingAllowed = false;
  int m_editRow = -1;
  int m_editColumn = -1;
};

}  // namespace listmodel
