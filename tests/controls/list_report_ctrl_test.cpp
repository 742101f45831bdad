#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/renderer.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <string>
#include <vector>

#include "controls/ReportCtrl.h"
#include "support/ui/WxTestEnvironment.h"

using namespace listmodel;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

struct Notification {
  wxEventType type;
  int wParam;
  long lParam;
};

// A frame holding one report list, recording what the list tells its parent.
class ReportCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "report list", wxPoint(40, 40), wxSize(640, 480));
    list = new CReportCtrl();
    ASSERT_TRUE(list->CreateReportList(frame, 1001, nullptr));
    for (const auto& type : {EVT_REPORT_CHECKBOX_CLICKED, EVT_REPORT_SORTED, EVT_REPORT_EDIT_COMMITTED})
      frame->Bind(type, [this](wxCommandEvent& event) {
        notifications.push_back({event.GetEventType(), event.GetInt(), event.GetExtraLong()});
      });
    frame->Show();
    list->FillParentClientArea();
    PumpPending();
  }
  void TearDown() override {
    frame->Hide();  // off the screen at once, not when the toolkit gets round to deleting it
    frame->Destroy();
    PumpPending();
  }

  void Fill(int rows) {
    ASSERT_TRUE(list->SetColumnHeader("Sequence,90;Name,160;Value,120,2"));
    for (int row = 0; row < rows; ++row)
      list->InsertRowWithTexts(row, {std::to_string(row), "device-" + std::to_string((row * 7919) % rows),
                                     std::to_string(rows - row)});
    notifications.clear();
  }

  wxPoint CellOnScreen(int row, int column, int dx = -1) {
    wxRect cell;
    list->GetListView()->GetSubItemRect(row, column, cell, wxLIST_RECT_BOUNDS);
    const wxPoint inside(dx < 0 ? cell.x + cell.width / 2 : cell.x + dx, cell.y + cell.height / 2);
    return list->GetListView()->ClientToScreen(inside);
  }
  // Clicks far enough apart in time never make a double click.
  void Click(const wxPoint& screen, int button = wxMOUSE_BTN_LEFT) {
    wxMilliSleep(600);
    frame->Raise();  // other test programs' windows may have come up over this one
    PumpPending();
    wxUIActionSimulator input;
    input.MouseMove(screen);
    PumpPending();
    input.MouseClick(button);
    for (int round = 0; round < 5; ++round) PumpPending();
  }
  void ClickHeader(int column) {
    wxWindow* header = list->GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    int x = 0;
    for (int c = 0; c < column; ++c) x += list->GetListView()->GetColumnWidth(c);
    Click(header->ClientToScreen(wxPoint(x + list->GetListView()->GetColumnWidth(column) / 2, header->GetSize().y / 2)));
  }
  std::vector<std::string> ColumnTexts(int column, int rows) {
    std::vector<std::string> texts;
    for (int row = 0; row < rows; ++row) texts.push_back(list->GetItemText(row, column));
    return texts;
  }

  wxFrame* frame = nullptr;
  CReportCtrl* list = nullptr;
  std::vector<Notification> notifications;
};

TEST_F(ReportCtrlTest, TenThousandRowsSortByHeaderClicks) {
  Fill(10000);
  EXPECT_EQ(list->GetListView()->GetItemCount(), 10000);
  EXPECT_EQ(list->GetListView()->GetItemText(9999, 2), "1");

  ClickHeader(2);
  ASSERT_TRUE(PumpUntil([&] { return notifications.size() == 1; }));
  EXPECT_EQ(notifications[0].type, EVT_REPORT_SORTED);
  EXPECT_EQ(notifications[0].wParam, 2);
  EXPECT_EQ(notifications[0].lParam, 1);
  EXPECT_EQ(ColumnTexts(2, 3), (std::vector<std::string>{"1", "2", "3"}));  // as numbers, not "1", "10", "100"
  EXPECT_EQ(list->GetItemText(0, 0), "9999");                               // whole rows moved
  EXPECT_EQ(list->GetListView()->GetSortIndicator(), 2);
  EXPECT_TRUE(list->GetListView()->IsAscendingSortIndicator());

  ClickHeader(2);
  ASSERT_TRUE(PumpUntil([&] { return notifications.size() == 2; }));
  EXPECT_EQ(notifications[1].lParam, 0);
  EXPECT_EQ(ColumnTexts(2, 2), (std::vector<std::string>{"10000", "9999"}));
  EXPECT_FALSE(list->GetListView()->IsAscendingSortIndicator());

  list->InsertItem(0, "new");  // a change forgets the order and its indicator
  EXPECT_EQ(list->GetListView()->GetSortIndicator(), -1);
  list->EnableHeaderSort(false);
  ClickHeader(1);
  EXPECT_EQ(notifications.size(), 2u);
  EXPECT_EQ(list->GetItemText(0, 0), "new");
}

TEST_F(ReportCtrlTest, CheckBoxClicksFollowTheCheckMode) {
  Fill(8);
  list->SetCheckMode(CHECK_MODE_SINGLE);
  const wxSize box = wxRendererNative::Get().GetCheckBoxSize(list->GetListView());
  const int boxCentre = 2 + box.x / 2;

  Click(CellOnScreen(2, 0, boxCentre));
  ASSERT_TRUE(PumpUntil([&] { return !notifications.empty(); }));
  EXPECT_EQ(notifications[0].type, EVT_REPORT_CHECKBOX_CLICKED);
  EXPECT_EQ(notifications[0].wParam, 2);
  EXPECT_EQ(notifications[0].lParam, static_cast<long>(WM_LBUTTONDOWN));
  EXPECT_EQ(list->GetRowStates(2), ROW_SELECTED | ROW_CHECKED | ROW_FOCUSED);

  Click(CellOnScreen(5, 0, boxCentre));
  ASSERT_TRUE(PumpUntil([&] { return notifications.size() == 2; }));
  EXPECT_EQ(list->GetItemCount(ROW_CHECKED), 1);  // single mode: the other box was unchecked
  EXPECT_EQ(list->FindNextRowWithStates(ROW_CHECKED | ROW_SELECTED, -1), 5);

  list->SetCheckMode(CHECK_MODE_READONLY);
  Click(CellOnScreen(6, 0, boxCentre));
  PumpPending();
  EXPECT_FALSE(list->RowMatchesStates(6, ROW_CHECKED));  // sprang back
  EXPECT_EQ(notifications.size(), 2u);

  // The space bar does not toggle a box.
  list->GetListView()->SetFocus();
  wxUIActionSimulator().Char(WXK_SPACE);
  PumpPending();
  EXPECT_EQ(list->GetItemCount(ROW_CHECKED), 1);
}

TEST_F(ReportCtrlTest, SecondClickEditsTheCellAndEnterCommitsAChange) {
  Fill(6);
  list->AllowCellEditing(true);
  Click(CellOnScreen(3, 1));  // the first click only selects
  EXPECT_FALSE(list->IsCellEditorOpen());
  EXPECT_TRUE(list->RowMatchesStates(3, ROW_SELECTED | ROW_FOCUSED));
  Click(CellOnScreen(3, 1));
  ASSERT_TRUE(PumpUntil([&] { return list->IsCellEditorOpen(); }));
  wxTextCtrl* box = list->GetCellEditorBox();
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == box; }));
  EXPECT_TRUE(box->IsShown());
  EXPECT_EQ(box->GetValue().utf8_string(), list->GetItemText(3, 1));

  wxUIActionSimulator input;
  input.Text("edited");
  input.Char(WXK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !list->IsCellEditorOpen(); }));
  EXPECT_EQ(list->GetItemText(3, 1), "edited");
  EXPECT_FALSE(box->IsShown());
  ASSERT_EQ(notifications.size(), 1u);
  EXPECT_EQ(notifications[0].type, EVT_REPORT_EDIT_COMMITTED);
  EXPECT_EQ(notifications[0].wParam, 3);
  EXPECT_EQ(notifications[0].lParam, 1);

  // Escape throws the typing away; Tab moves on; a right click never opens the editor.
  ASSERT_TRUE(list->OpenCellEditor(3, 2));
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == box || wxWindow::FindFocus() == list->GetCellEditorBox(); }));
  input.Char(WXK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return list->IsCellEditorOpen() && list->GetCellEditorBox()->IsShown(); }));
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == list->GetCellEditorBox(); }));
  input.Text("zzz");
  input.Char(WXK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !list->IsCellEditorOpen(); }));
  EXPECT_EQ(list->GetItemText(3, 0), "3");
  EXPECT_EQ(notifications.size(), 1u);
  Click(CellOnScreen(3, 1), wxMOUSE_BTN_RIGHT);
  EXPECT_FALSE(list->IsCellEditorOpen());
}

TEST_F(ReportCtrlTest, FocusLeavingTheEditorCommitsIt) {
  Fill(3);
  auto* other = new wxTextCtrl(frame, wxID_ANY, "", wxPoint(0, 440), wxSize(100, 24));
  list->SetSize(wxSize(600, 400));
  list->AllowCellEditing(true);
  // Without a window manager the keyboard goes to the window under the pointer: keep it on this frame.
  frame->Raise();
  wxUIActionSimulator().MouseMove(CellOnScreen(2, 0));
  PumpPending();
  ASSERT_TRUE(list->OpenCellEditor(1, 1));
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == list->GetCellEditorBox(); }));
  list->GetCellEditorBox()->ChangeValue("typed");
  other->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return !list->IsCellEditorOpen(); }));
  EXPECT_EQ(list->GetItemText(1, 1), "typed");
}

TEST_F(ReportCtrlTest, ScreenShowsHeaderCellColoursAndCheckMarks) {
  Fill(12);
  list->SetCheckMode(CHECK_MODE_NORMAL);
  list->SetRowCheck(1, true);
  const wxColour red(255, 0, 0), green(0, 160, 0);
  list->SetItemBkColor(4, -1, ToColorRef(red));
  list->SetItemBkColor(7, -1, ToColorRef(green));
  list->SetItemTextColor(6, -1, ToColorRef(wxColour(0, 0, 255)));
  list->SortItems(0, true);

  ReportListView* view = list->GetListView();
  auto Area = [&](int row, int column) {
    wxRect cell;
    view->GetSubItemRect(row, column, cell, wxLIST_RECT_BOUNDS);
    cell.Offset(view->ClientToScreen(wxPoint(0, 0)) - list->GetScreenPosition());
    return cell.Deflate(3);
  };
  const wxImage shot = testing_support::CaptureWindow(list);
  testing_support::SaveCapture(shot, "report_list");
  const wxRect redCell = Area(4, 1);
  EXPECT_GT(testing_support::CountPixels(shot, red, 8, redCell), redCell.width * redCell.height / 2);
  const wxRect greenCell = Area(7, 2);
  EXPECT_GT(testing_support::CountPixels(shot, green, 8, greenCell), greenCell.width * greenCell.height / 3);
  EXPECT_EQ(testing_support::CountPixels(shot, green, 8, Area(8, 1)), 0);
  EXPECT_GT(testing_support::CountPixels(shot, wxColour(0, 0, 255), 40, Area(6, 1)), 3);  // blue letters

  // The header shows the headings over the rows, not row colours; the checked box differs from the others.
  const wxRect header(0, 0, shot.GetWidth(), Area(0, 0).y - 4);
  EXPECT_GT(header.height, 10);
  EXPECT_EQ(testing_support::CountPixels(shot, green, 8, header), 0);
  const wxSize box = wxRendererNative::Get().GetCheckBoxSize(view);
  auto BoxImage = [&](int row) {
    wxRect cell = Area(row, 0);
    return shot.GetSubImage(wxRect(cell.x, cell.y, box.x, std::min(box.y, cell.height)));
  };
  const wxImage checked = BoxImage(1), unchecked = BoxImage(2), alsoUnchecked = BoxImage(3);
  EXPECT_NE(0, memcmp(checked.GetData(), unchecked.GetData(), checked.GetWidth() * checked.GetHeight() * 3));
  EXPECT_EQ(0, memcmp(unchecked.GetData(), alsoUnchecked.GetData(), unchecked.GetWidth() * unchecked.GetHeight() * 3));
}

}  // namespace
