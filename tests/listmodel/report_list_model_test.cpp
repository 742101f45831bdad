#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listmodel/ReportListModel.h"
#include "listmodel/ReportListRecorder.h"

namespace listmodel {
namespace {

class ReportListModelTest : public ::testing::Test {
 protected:
  ReportListModelTest() { model.SetObserver(&recorder); }

  // One column holding the given texts, row i with data word i.
  void FillColumn(const std::vector<std::string>& texts) {
    model.SetColumnHeader("Name;Value");
    for (size_t i = 0; i < texts.size(); ++i) {
      model.InsertItem(static_cast<int>(i), texts[i], -1, i);
      model.SetItemText(static_cast<int>(i), 1, "v" + std::to_string(i));
    }
  }
  std::vector<std::string> Column(int column = 0) const {
    std::vector<std::string> texts;
    for (int row = 0; row < model.GetItemCount(); ++row) texts.push_back(model.GetItemText(row, column));
    return texts;
  }

  CReportListModel model;
  ReportListRecorder recorder;
};

TEST_F(ReportListModelTest, ColumnHeaderTextMakesColumns) {
  EXPECT_TRUE(model.SetColumnHeader("Sequence, 100; Time, 150; Description, 400"));
  ASSERT_EQ(model.GetColumnCount(), 3);
  EXPECT_EQ(model.GetColumnHeading(0), "Sequence");
  EXPECT_EQ(model.GetColumnHeading(1), " Time");  // nothing is trimmed
  EXPECT_EQ(model.GetColumnWidth(2), 400);
  EXPECT_EQ(model.GetColumnFormat(2), ColumnFormat::Left);

  EXPECT_TRUE(model.SetColumnHeader("A;B,50,1;C,70,2;;D,80,7"));
  ASSERT_EQ(model.GetColumnCount(), 4);
  EXPECT_EQ(model.GetColumnWidth(0), 100);
  EXPECT_EQ(model.GetColumnFormat(1), ColumnFormat::Center);
  EXPECT_EQ(model.GetColumnFormat(2), ColumnFormat::Right);
  EXPECT_EQ(model.GetColumnFormat(3), ColumnFormat::Left);

  model.InsertItem(0, "row");
  EXPECT_FALSE(model.SetColumnHeader(";;"));
  EXPECT_EQ(model.GetColumnCount(), 0);
  EXPECT_EQ(model.GetItemCount(), 0);
  EXPECT_EQ(model.InsertItem(0, "no column"), -1);
}

TEST_F(ReportListModelTest, SortsByTheSettledNumberRules) {
  struct SortCase {
    std::vector<std::string> texts;
    bool ascending;
    std::vector<std::string> expected;
  };
  const SortCase cases[] = {
      {{"ff", "10", "9"}, true, {"9", "10", "ff"}},
      {{"3", "-5", "0x1F", ""}, true, {"", "-5", "3", "0x1F"}},
      {{"3", "-5", "0x1F", ""}, false, {"0x1F", "3", "-5", ""}},
      {{"123456789", "99999999", "1234567890123456789012"}, true, {"99999999", "123456789", "1234567890123456789012"}},
      {{"12%", "9.5%", "100%"}, true, {"9.5%", "12%", "100%"}},
      {{"beta", "Alpha", "älter", "alpha"}, true, {"Alpha", "alpha", "beta", "älter"}},
      {{"2024-03-01 10:00:00", "2023-12-31 23:00:00", "2024-03-01 09:00:00"}, false,
       {"2024-03-01 10:00:00", "2024-03-01 09:00:00", "2023-12-31 23:00:00"}},
  };
  for (const SortCase& c : cases) {
    FillColumn(c.texts);
    ASSERT_TRUE(model.SortItems(0, c.ascending));
    EXPECT_EQ(Column(), c.expected) << ::testing::PrintToString(c.texts);
  }
}

TEST_F(ReportListModelTest, SortMovesWholeRowsAndKeepsEqualRowsInOrder) {
  FillColumn({"b", "a", "b", "a", "b"});
  model.SetItemBkColor(2, 1, MakeRgb(255, 0, 0));
  model.ApplyRowStates(2, ROW_SELECTED | ROW_CHECKED | ROW_FOCUSED);
  model.SetItemImage(2, 0, 4);

  ASSERT_TRUE(model.SortItems(0, true));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"v1", "v3", "v0", "v2", "v4"}));
  EXPECT_EQ(model.GetItemData(3), 2u);
  EXPECT_EQ(model.GetCellBkColor(3, 1), MakeRgb(255, 0, 0));
  EXPECT_EQ(model.GetRowStates(3), ROW_SELECTED | ROW_CHECKED | ROW_FOCUSED);
  EXPECT_EQ(model.GetCellImage(3, 0), 4);

  ASSERT_TRUE(model.SortItems(0, false));  // descending is stable too
  EXPECT_EQ(Column(1), (std::vector<std::string>{"v0", "v2", "v4", "v1", "v3"}));
}

TEST_F(ReportListModelTest, SeparatorRowsSplitTheSortIntoBlocks) {
  FillColumn({"b", "a", "--", "d", "c", "--"});
  model.SetBlockSeparatorText(std::string("--"));
  ASSERT_TRUE(model.SortItems(0, true));
  EXPECT_EQ(Column(), (std::vector<std::string>{"a", "b", "--", "c", "d", "--"}));
  model.SetBlockSeparatorText(std::nullopt);
  ASSERT_TRUE(model.SortItems(0, false));
  EXPECT_EQ(Column(), (std::vector<std::string>{"--", "--", "d", "c", "b", "a"}));  // words after numbers
}

TEST_F(ReportListModelTest, HeaderClicksToggleTheDirectionAndChangesResetIt) {
  FillColumn({"2", "1", "3"});
  recorder.messages.clear();
  model.ColumnClick(0);
  EXPECT_EQ(Column(), (std::vector<std::string>{"1", "2", "3"}));
  model.ColumnClick(0);
  EXPECT_EQ(Column(), (std::vector<std::string>{"3", "2", "1"}));
  EXPECT_FALSE(model.SortIsAscending());
  model.ColumnClick(1);
  EXPECT_TRUE(model.SortIsAscending());
  EXPECT_EQ(model.CurrentSortColumn(), 1);
  EXPECT_EQ(recorder.messages, (std::vector<ParentMessage>{
                                   {WM_REPORT_SORTED, 0, 1}, {WM_REPORT_SORTED, 0, 0}, {WM_REPORT_SORTED, 1, 1}}));

  model.InsertItem(0, "9");  // inserting, setting texts, moving and swapping forget the sort
  EXPECT_EQ(model.CurrentSortColumn(), -1);
  model.ColumnClick(1);
  model.SwapItems(0, 1);
  EXPECT_EQ(model.CurrentSortColumn(), -1);
  model.ColumnClick(1);
  model.InsertColumn(2, "Extra");  // a new column keeps it
  EXPECT_EQ(model.CurrentSortColumn(), 1);
}

TEST_F(ReportListModelTest, NoSortWithoutClickableHeaderOrForAColumnOutsideTheList) {
  FillColumn({"b", "a"});
  recorder.messages.clear();
  EXPECT_FALSE(model.SortItems(2, true));
  EXPECT_FALSE(model.SortItems(-1, true));
  model.EnableHeaderSort(false);
  EXPECT_FALSE(model.SortItems(0, true));
  model.EnableHeaderSort(true);
  model.SetHasHeader(false);
  EXPECT_FALSE(model.HeaderClickSorts());
  EXPECT_FALSE(model.SortItems(0, true));
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_EQ(Column(), (std::vector<std::string>{"b", "a"}));

  model.SetHasHeader(true);
  model.DeleteAllItems(ROW_ANY);
  EXPECT_TRUE(model.SortItems(1, false));  // an empty list still reports its sort
  EXPECT_EQ(recorder.messages, (std::vector<ParentMessage>{{WM_REPORT_SORTED, 1, 0}}));
}

TEST_F(ReportListModelTest, ColoursPerCellRowColumnOrAll) {
  const ColorRef window = MakeRgb(250, 250, 250);
  model.SetSystemColors([&] { return CellColors{MakeRgb(1, 2, 3), window}; });
  FillColumn({"a", "b", "c", "d", "e", "f"});
  model.InsertColumn(2, "Third");
  const ColorRef red = MakeRgb(255, 0, 0), green = MakeRgb(0, 255, 0);
  model.SetItemBkColor(-1, 2, red);
  model.SetItemBkColor(5, -1, green);
  EXPECT_EQ(model.GetCellBkColor(0, 2), red);
  EXPECT_EQ(model.GetCellBkColor(0, 1), window);
  EXPECT_EQ(model.GetCellBkColor(5, 0), green);
  EXPECT_EQ(model.GetCellBkColor(5, 2), green);
  EXPECT_EQ(model.GetCellBkColor(6, 0), kNoColor);
  EXPECT_EQ(model.GetCellTextColor(0, 3), kNoColor);
  model.SetItemTextColor(-1, -1, red);
  EXPECT_EQ(model.GetCellTextColor(4, 1), red);
  model.SetItemTextColor(4, 1, kDefaultColor);
  EXPECT_EQ(model.GetCellTextColor(4, 1), MakeRgb(1, 2, 3));

  // The system colours of the moment go into new cells; existing cells keep theirs.
  model.SetSystemColors([] { return CellColors{MakeRgb(9, 9, 9), MakeRgb(8, 8, 8)}; });
  model.InsertColumn(0, "First");
  EXPECT_EQ(model.GetCellBkColor(3, 0), MakeRgb(8, 8, 8));
  EXPECT_EQ(model.GetCellBkColor(3, 2), window);
}

TEST_F(ReportListModelTest, MovesAndSwapsCarryTheWholeRow) {
  FillColumn({"a", "b", "c", "d"});
  model.ApplyRowStates(2, ROW_CHECKED);
  EXPECT_EQ(model.MoveTo(2, -7), 0);
  EXPECT_EQ(Column(), (std::vector<std::string>{"c", "a", "b", "d"}));
  EXPECT_TRUE(model.RowMatchesStates(0, ROW_CHECKED));
  EXPECT_EQ(model.MoveTo(1, 1), 1);
  EXPECT_EQ(model.MoveToBottom(0), 3);
  EXPECT_EQ(model.MoveUp(3, 2), 1);
  EXPECT_EQ(model.MoveTo(9, 0), -1);
  EXPECT_EQ(Column(), (std::vector<std::string>{"a", "c", "b", "d"}));
  EXPECT_TRUE(model.SwapItems(0, 3));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"v3", "v2", "v1", "v0"}));
  EXPECT_EQ(model.GetItemData(0), 3u);
  EXPECT_FALSE(model.SwapItems(0, 0));
  EXPECT_FALSE(model.SwapItems(0, 4));
}

TEST_F(ReportListModelTest, TypedTexts) {
  FillColumn({"x"});
  std::tm date{};
  date.tm_year = 124, date.tm_mon = 2, date.tm_mday = 5, date.tm_hour = 7, date.tm_min = 8, date.tm_sec = 9;
  struct TypedCase {
    std::function<void()> write;
    const char* expected;
  };
  const TypedCase cases[] = {
      {[&] { model.SetItemText(0, 0, 3.0, -1); }, "3"},
      {[&] { model.SetItemText(0, 0, 2.5, -1); }, "2.5"},
      {[&] { model.SetItemText(0, 0, 3.0, 2); }, "3.00"},
      {[&] { model.SetItemText(0, 0, -42); }, "-42"},
      {[&] { model.SetItemText(0, 0, 4000000000u); }, "4000000000"},
      {[&] { model.SetItemText(0, 0, 'Q'); }, "Q"},
      {[&] { model.SetItemText(0, 0, std::optional<std::tm>(date), 0); }, "2024-03-05 07:08:09"},
      {[&] { model.SetItemText(0, 0, std::optional<std::tm>(date), DATE_VALUE_ONLY); }, "2024-03-05"},
      {[&] { model.SetItemText(0, 0, std::optional<std::tm>(), 0); }, ""},
  };
  for (const TypedCase& c : cases) {
    c.write();
    EXPECT_EQ(model.GetItemText(0, 0), c.expected);
  }
}

TEST_F(ReportListModelTest, StateSetsMatchFindAndDelete) {
  FillColumn({"a", "b", "c", "d", "e"});
  model.ApplyRowStates(1, ROW_SELECTED | ROW_CHECKED);
  model.ApplyRowStates(3, ROW_SELECTED);
  model.ApplyRowStates(3, ROW_FOCUSED);
  model.ApplyRowStates(4, ROW_FOCUSED);  // one focused row at a time
  EXPECT_EQ(model.GetRowStates(3), ROW_SELECTED | ROW_UNCHECKED | ROW_UNFOCUSED);
  EXPECT_FALSE(model.RowMatchesStates(1, ROW_SELECTED | ROW_UNSELECTED));
  EXPECT_FALSE(model.RowMatchesStates(1, 0));
  EXPECT_TRUE(model.RowMatchesStates(0, ROW_ANY | ROW_SELECTED));
  EXPECT_EQ(model.GetItemCount(ROW_SELECTED), 2);
  EXPECT_EQ(model.FindNextRowWithStates(ROW_SELECTED, -3), 1);
  EXPECT_EQ(model.FindNextRowWithStates(ROW_SELECTED, 1), 3);
  EXPECT_EQ(model.FindNextRowWithStates(ROW_SELECTED, 3), -1);
  EXPECT_EQ(model.FindPreviousRowWithStates(ROW_ANY, -1), 4);
  EXPECT_EQ(model.FindPreviousRowWithStates(ROW_SELECTED, 99), 3);
  EXPECT_EQ(model.FindPreviousRowWithStates(ROW_SELECTED, 3), 1);
  EXPECT_FALSE(model.ApplyRowStates(1, 0));
  EXPECT_FALSE(model.ApplyRowStates(5, ROW_SELECTED));

  model.InvertRowStates(INVERT_CHECKS);
  EXPECT_EQ(model.GetItemCount(ROW_CHECKED), 4);
  model.InvertRowStates(INVERT_SELECTION);
  EXPECT_EQ(model.SelectedRows(), (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(model.ApplyStatesToMatchingRows(ROW_SELECTED | ROW_CHECKED, ROW_UNCHECKED), 3);
  EXPECT_EQ(model.ApplyStatesToMatchingRows(0, ROW_UNCHECKED), 0);

  EXPECT_EQ(model.DeleteAllItems(ROW_SELECTED), 3);
  EXPECT_EQ(Column(), (std::vector<std::string>{"b", "d"}));
  EXPECT_EQ(model.DeleteAllItems(0), 0);
  EXPECT_TRUE(model.DeleteItem(0, true));
  EXPECT_TRUE(model.RowMatchesStates(0, ROW_SELECTED));
  EXPECT_EQ(model.DeleteAllItems(ROW_ANY), 1);
}

TEST_F(ReportListModelTest, SingleCheckModeKeepsOneCheckedRow) {
  FillColumn({"a", "b", "c", "d"});
  for (int row : {1, 2, 3}) model.SetRowCheck(row, true);
  model.SetCheckMode(CHECK_MODE_SINGLE);  // keeps the first checked row
  EXPECT_EQ(model.SelectedRows(), std::vector<int>{});
  EXPECT_EQ(model.GetItemCount(ROW_CHECKED), 1);
  EXPECT_TRUE(model.IsRowChecked(1));

  // Checking row 2 unchecks the rows after it and leaves those before it.
  model.InvertRowStates(INVERT_CHECKS);  // rows 0, 2 and 3 checked
  model.ApplyRowStates(2, ROW_CHECKED);
  EXPECT_TRUE(model.IsRowChecked(0));
  EXPECT_TRUE(model.IsRowChecked(2));
  EXPECT_FALSE(model.IsRowChecked(3));

  EXPECT_EQ(model.ApplyStatesToMatchingRows(ROW_ANY, ROW_CHECKED), 4);
  EXPECT_EQ(model.FindNextRowWithStates(ROW_CHECKED, -1), 0);
  EXPECT_EQ(model.GetItemCount(ROW_CHECKED), 1);
}

TEST_F(ReportListModelTest, CheckBoxClickUnderEachMode) {
  struct ClickCase {
    int mode;
    bool handled;
    std::vector<int> checkedAfter;  // row 1 was checked, the click checks row 2
    std::vector<int> selectedAfter;
    bool notified;
  };
  const ClickCase cases[] = {
      {CHECK_MODE_NONE, false, {1, 2}, {0}, false},
      {CHECK_MODE_NORMAL, true, {1, 2}, {2}, true},
      {CHECK_MODE_SINGLE, true, {2}, {2}, true},
      {CHECK_MODE_READONLY, true, {1}, {0}, false},
  };
  for (const ClickCase& c : cases) {
    FillColumn({"a", "b", "c", "d"});
    model.SetCheckMode(CHECK_MODE_NORMAL);
    model.SetRowCheck(1, true);
    model.ApplyRowStates(0, ROW_SELECTED);
    model.SetCheckMode(c.mode);
    recorder.messages.clear();
    model.SetRowCheck(2, true);  // what the click did to the box
    if (c.mode == CHECK_MODE_SINGLE) model.SetRowCheck(1, true);  // the platform does not enforce the mode
    EXPECT_EQ(model.CheckBoxClick(2, false, true, WM_LBUTTONDOWN), c.handled) << c.mode;
    std::vector<int> checked;
    for (int row = 0; row < 4; ++row)
      if (model.IsRowChecked(row)) checked.push_back(row);
    EXPECT_EQ(checked, c.checkedAfter) << c.mode;
    EXPECT_EQ(model.SelectedRows(), c.selectedAfter) << c.mode;
    EXPECT_EQ(model.FocusedRow(), c.notified ? 2 : -1) << c.mode;
    EXPECT_EQ(recorder.messages.size(), c.notified ? 1u : 0u) << c.mode;
    if (c.notified) {
      EXPECT_EQ(recorder.messages[0], (ParentMessage{WM_REPORT_CHECKBOX_CLICKED, 2, WM_LBUTTONDOWN}));
    }
  }
  EXPECT_FALSE(model.CheckBoxClick(2, true, true, WM_LBUTTONDOWN));  // no change
  EXPECT_FALSE(model.CheckBoxClick(-1, false, true, WM_LBUTTONDOWN));
}

TEST_F(ReportListModelTest, CellEditorOpensOnlyWhenAllowedAndReportsOnlyChanges) {
  FillColumn({"a", "b", "c"});
  recorder.editorText = "v1";
  EXPECT_FALSE(model.OpenCellEditor(1, 1));
  model.AllowCellEditing(true);
  EXPECT_FALSE(model.OpenCellEditor(3, 0));
  EXPECT_FALSE(model.OpenCellEditor(0, 2));
  ASSERT_TRUE(model.OpenCellEditor(1, 1));
  EXPECT_TRUE(model.IsCellEditorOpen());
  EXPECT_EQ(model.SelectedRows(), std::vector<int>{1});
  EXPECT_EQ(model.FocusedRow(), 1);

  model.ColumnClick(0);
  model.ColumnClick(0);  // descending: a, b, c became c, b, a
  ASSERT_TRUE(model.OpenCellEditor(1, 1));
  // unchanged: no message, the sort state stays
  recorder.messages.clear();
  EXPECT_FALSE(model.EndEdit(true));
  EXPECT_FALSE(model.IsCellEditorOpen());
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_EQ(model.CurrentSortColumn(), 0);

  ASSERT_TRUE(model.OpenCellEditor(1, 1));
  recorder.editorText = "changed";
  EXPECT_FALSE(model.EndEdit(false));  // cancelled
  EXPECT_EQ(model.GetItemText(1, 1), "v1");

  ASSERT_TRUE(model.OpenCellEditor(1, 1));
  EXPECT_TRUE(model.EndEdit(true));
  EXPECT_EQ(model.GetItemText(1, 1), "changed");
  EXPECT_EQ(model.CurrentSortColumn(), -1);
  EXPECT_EQ(recorder.messages, (std::vector<ParentMessage>{{WM_REPORT_EDIT_COMMITTED, 1, 1}}));
  EXPECT_FALSE(model.EndEdit(true));  // nothing open

  // Deleting the edited row cancels the edit; other changes commit it first.
  ASSERT_TRUE(model.OpenCellEditor(0, 0));
  recorder.editorText = "lost";
  model.DeleteItem(0, false);
  EXPECT_FALSE(model.IsCellEditorOpen());
  ASSERT_TRUE(model.OpenCellEditor(0, 0));
  recorder.editorText = "kept";
  model.InsertItem(2, "new");
  EXPECT_EQ(model.GetItemText(0, 0), "kept");
  ASSERT_TRUE(model.OpenCellEditor(0, 0));
  model.AllowCellEditing(false);
  EXPECT_FALSE(model.IsCellEditorOpen());
}

TEST_F(ReportListModelTest, EditorKeysMoveWithinTheList) {
  FillColumn({"a", "b", "c"});
  model.AllowCellEditing(true);
  struct KeyCase {
    int row, column;
    EditKey key;
    EditKeyAction::Kind kind;
    int toRow, toColumn;
  };
  const KeyCase cases[] = {
      {0, 0, EditKey::Tab, EditKeyAction::MoveEditor, 0, 1},
      {0, 1, EditKey::Tab, EditKeyAction::MoveEditor, 0, 0},  // from the last column back to the first
      {1, 1, EditKey::Up, EditKeyAction::MoveEditor, 0, 1},
      {1, 1, EditKey::Down, EditKeyAction::MoveEditor, 2, 1},
      {0, 1, EditKey::Up, EditKeyAction::PassOn, -1, -1},     // first row: the key goes on to the list
      {2, 0, EditKey::Down, EditKeyAction::PassOn, -1, -1},
      {2, 0, EditKey::Return, EditKeyAction::Commit, -1, -1},
      {2, 0, EditKey::Escape, EditKeyAction::Cancel, -1, -1},
  };
  for (const KeyCase& c : cases) {
    ASSERT_TRUE(model.OpenCellEditor(c.row, c.column));
    const EditKeyAction action = model.ResolveEditKey(c.key);
    EXPECT_EQ(action.kind, c.kind) << c.row << "," << c.column << " key " << static_cast<int>(c.key);
    EXPECT_EQ(action.row, c.toRow);
    EXPECT_EQ(action.column, c.toColumn);
  }
  model.EndEdit(false);
  EXPECT_EQ(model.ResolveEditKey(EditKey::Tab).kind, EditKeyAction::PassOn);
}

}  // namespace
}  // namespace listmodel
