#include "listmodel/ReportListModel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "listmodel/CellSortKey.h"

namespace listmodel {
namespace {

const std::string kNoText;

std::vector<std::string_view> SplitNonEmpty(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  while (!text.empty()) {
    const size_t end = std::min(text.find(separator), text.size());
    if (end > 0) pieces.push_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return pieces;
}

int LeadingInt(std::string_view text) { return std::atoi(std::string(text).c_str()); }

}  // namespace

CReportListModel::CReportListModel() = default;

CellColors CReportListModel::SystemColors() const { return m_systemColors ? m_systemColors() : CellColors(); }

void CReportListModel::Notify(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) {
  if (m_observer) m_observer->NotifyParent(message, wParam, lParam);
}

// ---- columns ----

// "Heading, width, format; ..." where format 1 centres and 2 right-aligns; headings are kept untrimmed.
bool CReportListModel::SetColumnHeader(std::string_view header) {
  DeleteAllItems(ROW_ANY);
  RemoveAllColumns();
  bool inserted = false;
  for (std::string_view piece : SplitNonEmpty(header, ';')) {
    const std::vector<std::string_view> fields = SplitNonEmpty(piece, ',');
    if (fields.empty()) continue;
    const int width = fields.size() > 1 ? LeadingInt(fields[1]) : 100;
    const int format = fields.size() > 2 ? LeadingInt(fields[2]) : 0;
    const ColumnFormat columnFormat =
        format == 1 ? ColumnFormat::Center : format == 2 ? ColumnFormat::Right : ColumnFormat::Left;
    inserted |= InsertColumn(GetColumnCount(), std::string(fields[0]), columnFormat, width) >= 0;
  }
  return inserted;
}

int CReportListModel::InsertColumn(int index, std::string heading, ColumnFormat format, int width) {
  EndEdit(true);
  if (index < 0) return -1;
  index = std::min(index, GetColumnCount());
  m_columns.insert(m_columns.begin() + index, Column{std::move(heading), format, width});
  const CellColors colors = SystemColors();
  for (Row& row : m_rows) row.cells.insert(row.cells.begin() + index, Cell{{}, -1, colors});
  return index;
}

bool CReportListModel::DeleteColumn(int column) {
  EndEdit(true);
  if (!IsColumnIndexValid(column)) return false;
  m_columns.erase(m_columns.begin() + column);
  for (Row& row : m_rows) row.cells.erase(row.cells.begin() + column);
  return true;
}

bool CReportListModel::RemoveAllColumns() {
  while (GetColumnCount() > 0) DeleteColumn(0);
  return true;
}

std::string CReportListModel::GetColumnHeading(int column) const {
  return m_hasHeader && IsColumnIndexValid(column) ? m_columns[column].heading : std::string();
}

bool CReportListModel::SetColumnHeading(int column, std::string_view heading) {
  if (!m_hasHeader || !IsColumnIndexValid(column)) return false;
  m_columns[column].heading = std::string(heading);
  return true;
}

ColumnFormat CReportListModel::GetColumnFormat(int column) const {
  return IsColumnIndexValid(column) ? m_columns[column].format : ColumnFormat::Left;
}

int CReportListModel::GetColumnWidth(int column) const {
  return IsColumnIndexValid(column) ? m_columns[column].width : 0;
}

bool CReportListModel::SetColumnHeaderImage(int column, int image, bool onLeft) {
  if (!m_hasHeader || !IsColumnIndexValid(column)) return false;
  m_columns[column].headerImage = image;
  m_columns[column].imageOnLeft = onLeft;
  return true;
}

int CReportListModel::GetColumnHeaderImage(int column) const {
  return m_hasHeader && IsColumnIndexValid(column) ? m_columns[column].headerImage : -1;
}

bool CReportListModel::IsColumnImageOnLeft(int column) const {
  return !IsColumnIndexValid(column) || m_columns[column].imageOnLeft;
}

// ---- rows ----

int CReportListModel::InsertItem(int index, std::string text, int image, std::uintptr_t data, unsigned states) {
  EndEdit(true);
  ClearSortState();
  if (index < 0 || m_columns.empty()) return -1;
  index = std::min(index, GetItemCount());
  Row row;
  row.cells.assign(m_columns.size(), Cell{{}, -1, SystemColors()});
  row.cells[0].text = std::move(text);
  row.cells[0].image = image;
  row.data = data;
  m_rows.insert(m_rows.begin() + index, std::move(row));
  if (states) ApplyRowStates(index, states);
  return index;
}

int CReportListModel::InsertRowWithTexts(int index, const std::vector<std::string>& texts) {
  const int row = InsertItem(index, texts.empty() ? std::string() : texts.front());
  if (row < 0) return row;
  for (size_t column = 1; column < texts.size() && static_cast<int>(column) < GetColumnCount(); ++column)
    m_rows[row].cells[column].text = texts[column];
  return row;
}

bool CReportListModel::DeleteItem(int row, bool selectNext) {
  if (!IsRowIndexValid(row)) return false;
  EndEdit(m_editRow != row);  // the edited row's own text goes with it
  if (selectNext) ApplyRowStates(row + 1, ROW_SELECTED);
  m_rows.erase(m_rows.begin() + row);
  return true;
}

int CReportListModel::DeleteAllItems(unsigned states) {
  EndEdit(false);
  if (states == 0) return 0;
  const int before = GetItemCount();
  if (states & ROW_ANY) {
    m_rows.clear();
    return before;
  }
  int index = 0;
  std::erase_if(m_rows, [&](const Row&) { return RowMatchesStates(index++, states); });
  return before - GetItemCount();
}

int CReportListModel::GetItemCount(unsigned states) const {
  if (states & ROW_ANY) return static_cast<int>(m_rows.size());
  int count = 0;
  for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) count += RowMatchesStates(row, states);
  return count;
}

CReportListModel::Cell* CReportListModel::FindCell(int row, int column) {
  return IsRowIndexValid(row) && IsColumnIndexValid(column) ? &m_rows[row].cells[column] : nullptr;
}

const CReportListModel::Cell* CReportListModel::FindCell(int row, int column) const {
  return IsRowIndexValid(row) && IsColumnIndexValid(column) ? &m_rows[row].cells[column] : nullptr;
}

bool CReportListModel::SetItemText(int row, int column, std::string_view text) {
  EndEdit(true);
  ClearSortState();
  Cell* cell = FindCell(row, column);
  if (!cell) return false;
  cell->text = std::string(text);
  return true;
}

bool CReportListModel::SetItemText(int row, int column, int value) {
  return SetItemText(row, column, std::to_string(value));
}

bool CReportListModel::SetItemText(int row, int column, unsigned value) {
  return SetItemText(row, column, std::to_string(value));
}

bool CReportListModel::SetItemText(int row, int column, double value, int precision) {
  char text[512];
  if (precision >= 0) {
    std::snprintf(text, sizeof text, "%.*f", std::min(precision, 300), value);
    return SetItemText(row, column, std::string_view(text));
  }
  std::snprintf(text, sizeof text, "%f", value);
  std::string trimmed(text);
  while (trimmed.ends_with('0')) trimmed.pop_back();
  if (trimmed.ends_with('.')) trimmed.pop_back();
  return SetItemText(row, column, std::string_view(trimmed));
}

bool CReportListModel::SetItemText(int row, int column, const std::optional<std::tm>& date, unsigned flags) {
  if (!date) return SetItemText(row, column, std::string_view());
  const char* format = (flags & DATE_VALUE_ONLY) ? "%Y-%m-%d" : (flags & TIME_VALUE_ONLY) ? "%H:%M:%S" : "%Y-%m-%d %H:%M:%S";
  char text[64];
  const size_t length = std::strftime(text, sizeof text, format, &*date);
  return SetItemText(row, column, std::string_view(text, length));
}

bool CReportListModel::SetItemText(int row, int column, char value) {
  return SetItemText(row, column, std::string_view(&value, 1));
}

const std::string& CReportListModel::GetItemText(int row, int column) const {
  const Cell* cell = FindCell(row, column);
  return cell ? cell->text : kNoText;
}

std::uintptr_t CReportListModel::GetItemData(int row) const { return IsRowIndexValid(row) ? m_rows[row].data : 0; }

bool CReportListModel::SetItemData(int row, std::uintptr_t data) {
  if (!IsRowIndexValid(row)) return false;
  m_rows[row].data = data;
  return true;
}

bool CReportListModel::SetItemImage(int row, int column, int image) {
  Cell* cell = FindCell(row, column);
  if (!cell) return false;
  cell->image = image;
  return true;
}

int CReportListModel::GetCellImage(int row, int column) const {
  const Cell* cell = FindCell(row, column);
  return cell ? cell->image : -1;
}

void CReportListModel::SetCellColor(int row, int column, ColorRef color, ColorRef CellColors::*which,
                                    ColorRef fallback) {
  if (color == kDefaultColor) color = fallback;
  const int firstRow = IsRowIndexValid(row) ? row : 0;
  const int lastRow = IsRowIndexValid(row) ? row : GetItemCount() - 1;
  const int firstColumn = IsColumnIndexValid(column) ? column : 0;
  const int lastColumn = IsColumnIndexValid(column) ? column : GetColumnCount() - 1;
  for (int r = firstRow; r <= lastRow; ++r)
    for (int c = firstColumn; c <= lastColumn; ++c) m_rows[r].cells[c].colors.*which = color;
}

void CReportListModel::SetItemTextColor(int row, int column, ColorRef color) {
  SetCellColor(row, column, color, &CellColors::text, SystemColors().text);
}

void CReportListModel::SetItemBkColor(int row, int column, ColorRef color) {
  SetCellColor(row, column, color, &CellColors::background, SystemColors().background);
}

ColorRef CReportListModel::GetCellTextColor(int row, int column) const {
  const Cell* cell = FindCell(row, column);
  return cell ? cell->colors.text : kNoColor;
}

ColorRef CReportListModel::GetCellBkColor(int row, int column) const {
  const Cell* cell = FindCell(row, column);
  return cell ? cell->colors.background : kNoColor;
}

int CReportListModel::MoveTo(int row, int newIndex) {
  if (!IsRowIndexValid(row)) return -1;
  EndEdit(true);
  newIndex = std::clamp(newIndex, 0, GetItemCount() - 1);
  if (newIndex == row) return row;
  ClearSortState();
  Row moved = std::move(m_rows[row]);
  m_rows.erase(m_rows.begin() + row);
  m_rows.insert(m_rows.begin() + newIndex, std::move(moved));
  return newIndex;
}

bool CReportListModel::SwapItems(int first, int second) {
  if (!IsRowIndexValid(first) || !IsRowIndexValid(second) || first == second) return false;
  EndEdit(true);
  ClearSortState();
  std::swap(m_rows[first], m_rows[second]);
  return true;
}

// ---- sorting ----

bool CReportListModel::EnableHeaderSort(bool enable) {
  if (!m_hasHeader) return false;
  m_headerSortEnabled = enable;
  if (!enable) ClearSortState();
  return true;
}

void CReportListModel::ClearSortState() {
  m_sortColumn = -1;
  m_sortAscending = true;
}

bool CReportListModel::ColumnClick(int column) {
  return SortItems(column, column == m_sortColumn ? !m_sortAscending : true);
}

bool CReportListModel::SortItems(int column, bool ascending) {
  EndEdit(true);
  if (!IsColumnIndexValid(column) || !HeaderClickSorts()) return false;
  m_sortColumn = column;
  m_sortAscending = ascending;
  // Separator rows stay in place; the rows between two of them are sorted as one block.
  int first = 0;
  for (int row = 0; row < GetItemCount(); ++row) {
    if (m_separator && m_rows[row].cells[column].text == *m_separator) {
      SortBlock(first, row - 1, column, ascending);
      first = row + 1;
    }
  }
  SortBlock(first, GetItemCount() - 1, column, ascending);
  Notify(WM_REPORT_SORTED, column, ascending);
  return true;
}

// Each text is read into a key once; the order of equal keys is kept in both directions.
void CReportListModel::SortBlock(int first, int last, int column, bool ascending) {
  if (first >= last || !IsRowIndexValid(first) || !IsRowIndexValid(last)) return;
  std::vector<CellSortKey> keys;
  keys.reserve(last - first + 1);
  for (int row = first; row <= last; ++row) keys.emplace_back(m_rows[row].cells[column].text);
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int left, int right) {
    const int compared = keys[left].Compare(keys[right]);
    return ascending ? compared < 0 : compared > 0;
  });
  std::vector<Row> sorted;
  sorted.reserve(order.size());
  for (int index : order) sorted.push_back(std::move(m_rows[first + index]));
  std::move(sorted.begin(), sorted.end(), m_rows.begin() + first);
}

// ---- row states and check boxes ----

unsigned CReportListModel::GetRowStates(int row) const {
  if (!IsRowIndexValid(row)) return 0;
  const Row& r = m_rows[row];
  return (r.selected ? ROW_SELECTED : ROW_UNSELECTED) | (r.checked ? ROW_CHECKED : ROW_UNCHECKED) |
         (r.focused ? ROW_FOCUSED : ROW_UNFOCUSED);
}

bool CReportListModel::RowMatchesStates(int row, unsigned states) const {
  if (states == 0 || !IsRowIndexValid(row)) return false;
  return (states & ROW_ANY) || (GetRowStates(row) & states) == states;
}

void CReportListModel::SetFocusedRow(int row) {
  for (Row& r : m_rows) r.focused = false;
  if (IsRowIndexValid(row)) m_rows[row].focused = true;
}

bool CReportListModel::ApplyRowStates(int row, unsigned states) {
  if (states == 0 || !IsRowIndexValid(row)) return false;
  Row& r = m_rows[row];
  if (states & ROW_SELECTED) r.selected = true;
  if (states & ROW_UNSELECTED) r.selected = false;
  if (states & ROW_CHECKED) r.checked = true;
  if (states & ROW_UNCHECKED) r.checked = false;
  if (states & ROW_FOCUSED) SetFocusedRow(row);
  if (states & ROW_UNFOCUSED) r.focused = false;
  if (states & ROW_CHECKED) EnforceSingleCheck(row);
  return true;
}

int CReportListModel::ApplyStatesToMatchingRows(unsigned match, unsigned states) {
  if (match == 0 || states == 0) return 0;
  // The single check is enforced once at the end; doing it per row would leave the same result.
  const int mode = std::exchange(m_checkMode, CHECK_MODE_NONE);
  int changed = 0;
  int focused = -1;
  for (int row = 0; row < GetItemCount(); ++row) {
    if (!RowMatchesStates(row, match)) continue;
    Row& r = m_rows[row];
    if (states & ROW_SELECTED) r.selected = true;
    if (states & ROW_UNSELECTED) r.selected = false;
    if (states & ROW_CHECKED) r.checked = true;
    if (states & ROW_UNCHECKED) r.checked = false;
    if (states & ROW_FOCUSED) focused = row;  // focus is one row: the last one it was given to keeps it
    if (states & ROW_UNFOCUSED) r.focused = false;
    ++changed;
  }
  if (focused >= 0) SetFocusedRow(focused);
  m_checkMode = mode;
  if (states & ROW_CHECKED) EnforceSingleCheck(-1);
  return changed;
}

int CReportListModel::FindNextRowWithStates(unsigned states, int start) const {
  for (int row = std::max(start + 1, 0); row < GetItemCount(); ++row)
    if (RowMatchesStates(row, states)) return row;
  return -1;
}

int CReportListModel::FindPreviousRowWithStates(unsigned states, int start) const {
  const int from = start < 0 || start >= GetItemCount() ? GetItemCount() - 1 : start - 1;
  for (int row = from; row >= 0; --row)
    if (RowMatchesStates(row, states)) return row;
  return -1;
}

void CReportListModel::InvertRowStates(int kind) {
  for (Row& r : m_rows) {
    if (kind == INVERT_SELECTION) r.selected = !r.selected;
    if (kind == INVERT_CHECKS) r.checked = !r.checked;
  }
}

bool CReportListModel::SetRowCheck(int row, bool check) {
  if (!IsRowIndexValid(row)) return false;
  m_rows[row].checked = check;
  if (check) EnforceSingleCheck(row);
  return true;
}

void CReportListModel::SetCheckMode(int mode) {
  if (mode < CHECK_MODE_NONE || mode > CHECK_MODE_READONLY) return;
  m_checkMode = mode;
  EndEdit(true);
  if (mode != CHECK_MODE_NONE) EnforceSingleCheck(-1);
}

// Under the single mode only one row stays checked: `keep`, or the first checked row for a negative `keep`.
// Rows before `keep` are left alone.
void CReportListModel::EnforceSingleCheck(int keep) {
  if (m_checkMode != CHECK_MODE_SINGLE) return;
  if (keep < 0) keep = FindNextRowWithStates(ROW_CHECKED, -1);
  if (keep < 0) return;
  for (int row = keep + 1; row < GetItemCount(); ++row) m_rows[row].checked = false;
}

bool CReportListModel::CheckBoxClick(int row, bool wasChecked, bool isChecked, std::uint32_t mouseMessage) {
  if (!IsRowIndexValid(row) || m_checkMode == CHECK_MODE_NONE || wasChecked == isChecked) return false;
  if (m_checkMode == CHECK_MODE_READONLY) {
    ApplyRowStates(row, wasChecked ? ROW_CHECKED : ROW_UNCHECKED);
    return true;
  }
  if (m_checkMode == CHECK_MODE_SINGLE && isChecked) {
    ApplyStatesToMatchingRows(ROW_CHECKED, ROW_UNCHECKED);
    ApplyRowStates(row, ROW_CHECKED);
  }
  ApplyStatesToMatchingRows(ROW_SELECTED, ROW_UNSELECTED);
  ApplyRowStates(row, ROW_SELECTED | ROW_FOCUSED);
  Notify(WM_REPORT_CHECKBOX_CLICKED, row, mouseMessage);
  return true;
}

void CReportListModel::SyncSelection(const std::vector<int>& selectedRows, int focusedRow) {
  for (Row& r : m_rows) r.selected = r.focused = false;
  for (int row : selectedRows)
    if (IsRowIndexValid(row)) m_rows[row].selected = true;
  if (IsRowIndexValid(focusedRow)) m_rows[focusedRow].focused = true;
}

std::vector<int> CReportListModel::SelectedRows() const {
  std::vector<int> rows;
  for (int row = 0; row < GetItemCount(); ++row)
    if (m_rows[row].selected) rows.push_back(row);
  return rows;
}

int CReportListModel::FocusedRow() const {
  for (int row = 0; row < GetItemCount(); ++row)
    if (m_rows[row].focused) return row;
  return -1;
}

// ---- in-place cell editor ----

void CReportListModel::AllowCellEditing(bool allow) {
  if (!allow) EndEdit(true);
  m_editingAllowed = allow;
}

bool CReportListModel::IsCellEditorOpen() const {
  return m_editingAllowed && IsRowIndexValid(m_editRow) && IsColumnIndexValid(m_editColumn);
}

bool CReportListModel::OpenCellEditor(int row, int column) {
  if (!m_editingAllowed || !IsRowIndexValid(row) || !IsColumnIndexValid(column)) return false;
  if (IsCellEditorOpen() && m_editRow == row && m_editColumn == column) return true;
  EndEdit(true);
  m_editRow = row;
  m_editColumn = column;
  ApplyStatesToMatchingRows(ROW_SELECTED, ROW_UNSELECTED);
  ApplyRowStates(row, ROW_SELECTED | ROW_FOCUSED);
  return true;
}

void CReportListModel::AbandonCellEditor() { m_editRow = m_editColumn = -1; }

bool CReportListModel::EndEdit(bool commit) {
  if (!IsCellEditorOpen()) return false;
  const int row = m_editRow;
  const int column = m_editColumn;
  bool changed = false;
  if (commit && m_observer) {
    const std::string text = m_observer->CellEditorText();
    changed = CompareTexts(text, m_rows[row].cells[column].text) != 0;
    if (changed) {
      m_rows[row].cells[column].text = text;
      ClearSortState();
      // The parent sees the new text while the edit is still open.
      Notify(WM_REPORT_EDIT_COMMITTED, row, column);
    }
  }
  if (m_observer) m_observer->CellEditorClosed();
  m_editRow = m_editColumn = -1;
  return changed;
}

EditKeyAction CReportListModel::ResolveEditKey(EditKey key) const {
  if (!IsCellEditorOpen()) return {};
  switch (key) {
    case EditKey::Tab:
      return {EditKeyAction::MoveEditor, m_editRow, m_editColumn + 1 < GetColumnCount() ? m_editColumn + 1 : 0};
    case EditKey::Return: return {EditKeyAction::Commit};
    case EditKey::Escape: return {EditKeyAction::Cancel};
    case EditKey::Up:
      if (m_editRow > 0) return {EditKeyAction::MoveEditor, m_editRow - 1, m_editColumn};
      break;
    case EditKey::Down:
      if (m_editRow < GetItemCount() - 1) return {EditKeyAction::MoveEditor, m_editRow + 1, m_editColumn};
      break;
  }
  return {};
}

}  // namespace listmodel
