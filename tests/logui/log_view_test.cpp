// The log browser as a user meets it: paged with its buttons, filtered by typing (an apostrophe
// included), switched to the system log with its level boxes, and checked in screenshots.
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include "LogUiTest.h"
#include "log/LogLevelMask.h"
#include "log/ui/LogView.h"

namespace {

using namespace logui_test;

class LogViewTest : public WindowTest {
 protected:
  void SetUp() override {
    g_nLogLevelMask = 15;
    ASSERT_TRUE(database.Exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 120) "
        "INSERT INTO system_log SELECT i, printf('2026-01-01 00:%02d:%02d', i / 60, i % 60), 0, 0, 'action ' || i "
        "FROM n"));
    ASSERT_TRUE(database.Exec("INSERT INTO system_log VALUES (121, '2026-02-02 10:00:00', 0, 0, 'Bob''s AP renamed')"));
    ASSERT_TRUE(database.Exec("INSERT INTO system_log VALUES (122, '2026-02-02 10:00:01', 1, 1, 'AP_3 offline')"));
    ASSERT_TRUE(database.Exec("INSERT INTO system_log VALUES (123, '2026-02-02 10:00:02', 1, 3, 'polling 127.0.0.10')"));
    frame = new wxFrame(nullptr, wxID_ANY, "log", wxPoint(20, 20), wxSize(900, 500));
    view = new CLogView(frame);
    frame->Show();
    Pump();
  }
  void TearDown() override {
    frame->Destroy();
    Pump();
    g_nLogLevelMask = 0;
    WindowTest::TearDown();
  }
  template <typename T>
  T* Child(int id) {
    return dynamic_cast<T*>(view->FindWindow(id));
  }
  std::string Label() { return Child<wxStaticText>(CLogView::IDC_PAGE)->GetLabel().utf8_string(); }
  std::string Cell(long row, int column) { return view->List()->GetItemText(row, column).utf8_string(); }

  wxFrame* frame = nullptr;
  CLogView* view = nullptr;
};

TEST_F(LogViewTest, PagesThroughTheActionLogWithItsButtons) {
  wxListCtrl* list = view->List();
  EXPECT_EQ(Label(), "1/3");
  ASSERT_EQ(list->GetItemCount(), 50);
  ASSERT_EQ(list->GetColumnCount(), 2);
  EXPECT_EQ(Cell(0, 1), "Bob's AP renamed");
  EXPECT_EQ(list->GetPosition().y, CLogView::kActionListTop);
  EXPECT_FALSE(Child<wxWindow>(CLogView::IDC_FIRST_PAGE)->IsEnabled());
  EXPECT_FALSE(Child<wxWindow>(CLogView::IDC_SEARCH)->IsEnabled());

  Click(Child<wxWindow>(CLogView::IDC_NEXT_PAGE));
  EXPECT_EQ(Label(), "2/3");
  EXPECT_EQ(Cell(0, 1), "action 71");
  Click(Child<wxWindow>(CLogView::IDC_LAST_PAGE));
  EXPECT_EQ(Label(), "3/3");
  ASSERT_EQ(list->GetItemCount(), 21) << "the last page repeats nothing of page 2";
  EXPECT_EQ(Cell(20, 1), "action 1");
  EXPECT_FALSE(Child<wxWindow>(CLogView::IDC_NEXT_PAGE)->IsEnabled());

  const wxImage shot = testing_support::CaptureWindow(frame);
  SavePicture(shot, "log_view_last_page");
  const wxRect rows = list->GetRect();
  EXPECT_GT(DarkPixels(shot, wxRect(rows.x, rows.y + 30, rows.width, rows.height - 30)), 300)
      << "the rows' texts are on the screen";

  Click(Child<wxWindow>(CLogView::IDC_FIRST_PAGE));
  EXPECT_EQ(Label(), "1/3");
  EXPECT_EQ(Cell(0, 1), "Bob's AP renamed");
}

TEST_F(LogViewTest, TypingAFilterWithAnApostropheFindsTheRow) {
  auto* filterType = Child<wxChoice>(CLogView::IDC_FILTER_TYPE);
  filterType->SetSelection(CLogBrowser::FILTER_DESCRIPTION);
  auto* filter = Child<wxComboBox>(CLogView::IDC_FILTER);
  TypeInto(filter, "Bob's");
  ASSERT_EQ(filter->GetValue(), "Bob's");
  EXPECT_TRUE(Child<wxWindow>(CLogView::IDC_SEARCH)->IsEnabled()) << "typing enables Search";
  Click(Child<wxWindow>(CLogView::IDC_SEARCH));
  EXPECT_EQ(Label(), "1/1");
  ASSERT_EQ(view->List()->GetItemCount(), 1);
  EXPECT_EQ(Cell(0, 1), "Bob's AP renamed");
  EXPECT_EQ(filter->GetCount(), 1u) << "the text joined the history";
  EXPECT_TRUE(Child<wxWindow>(CLogView::IDC_CLEAR_FILTER)->IsEnabled());
  EXPECT_TRUE(boxes.Texts().empty());

  const wxImage shot = testing_support::CaptureWindow(frame);
  SavePicture(shot, "log_view_filtered");
  const wxRect rows = view->List()->GetRect();
  EXPECT_GT(DarkPixels(shot, wxRect(rows.x, rows.y + 22, rows.width, 20)), 30) << "the found row shows";
  EXPECT_LT(DarkPixels(shot, wxRect(rows.x, rows.y + 60, rows.width, rows.height - 60)), 10) << "nothing else";

  Click(Child<wxWindow>(CLogView::IDC_CLEAR_FILTER));
  EXPECT_EQ(Label(), "1/3");
  EXPECT_FALSE(Child<wxWindow>(CLogView::IDC_CLEAR_FILTER)->IsEnabled());
}

TEST_F(LogViewTest, TheSystemLogShowsLevelBoxesThatFilter) {
  auto* type = Child<wxChoice>(CLogView::IDC_LOG_TYPE);
  type->SetSelection(1);
  wxCommandEvent chosen(wxEVT_CHOICE, CLogView::IDC_LOG_TYPE);
  chosen.SetInt(1);
  type->GetEventHandler()->ProcessEvent(chosen);
  Pump();
  EXPECT_EQ(view->List()->GetPosition().y, CLogView::kSystemListTop);
  ASSERT_EQ(view->List()->GetColumnCount(), 3);
  EXPECT_TRUE(Child<wxWindow>(CLogView::IDC_CRITICAL)->IsShown());
  EXPECT_EQ(Label(), "1/1");
  ASSERT_EQ(view->List()->GetItemCount(), 2);
  EXPECT_EQ(Cell(0, 1), "Info");

  Click(Child<wxCheckBox>(CLogView::IDC_INFO));
  ASSERT_EQ(view->List()->GetItemCount(), 1);
  EXPECT_EQ(Cell(0, 2), "AP_3 offline");
  SavePicture(testing_support::CaptureWindow(frame), "log_view_system_log");
}

}  // namespace
