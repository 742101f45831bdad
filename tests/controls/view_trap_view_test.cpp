// The trap view over the trap table: its columns and rows as the table gives them, a reload after the
// table was emptied, and the list filling the view when it is resized.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/settings.h>

#include "engine/TrapEvents.h"
#include "engine/TrapTime.h"
#include "engine/ui/TrapView.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::PumpPending;

namespace {

int DarkPixels(const wxImage& image, const wxRect& area) {
  int count = 0;
  for (int y = area.y; y < area.GetBottom() && y < image.GetHeight(); ++y)
    for (int x = area.x; x < area.GetRight() && x < image.GetWidth(); ++x)
      if (image.GetRed(x, y) < 100 && image.GetGreen(x, y) < 100 && image.GetBlue(x, y) < 100) ++count;
  return count;
}

TEST(TrapViewTest, ShowsTheTableInItsOwnOrderAndReloadsOnUpdate) {
  testing_support::TempDatabase database;
  ASSERT_TRUE(database.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (12, '2026-03-04 05:06:07', 'link down')"));
  ASSERT_TRUE(database.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (7, '2026-01-02 03:04:05', NULL)"));

  auto* frame = new wxFrame(nullptr, wxID_ANY, "traps", wxPoint(100, 100), wxSize(700, 300));
  auto* view = new CTrapView(frame);
  frame->Show();
  view->OnInitialUpdate();
  PumpPending();

  CTrapListCtrl& list = view->List();
  EXPECT_EQ(list.GetId(), CTrapView::kListId);
  ASSERT_EQ(list.GetColumnCount(), 3);
  ASSERT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.GetItemText(0, 0), "12") << "rows in the table's order, not sorted by index";
  EXPECT_EQ(list.GetItemText(0, 1), trap_time::Display(trap_time::Parse("2026-03-04 05:06:07")));
  EXPECT_EQ(list.GetItemText(0, 2), "link down");
  EXPECT_EQ(list.GetItemText(1, 0), "7");
  EXPECT_EQ(list.GetItemText(1, 2), "") << "a NULL description shows empty";
  EXPECT_EQ(list.GetRect(), wxRect(wxPoint(0, 0), view->GetClientSize())) << "the list fills the view";

  const int header = list.GetHeaderCtrl() ? list.GetHeaderCtrl()->GetSize().y : 0;
  const wxRect rows(0, header + 2, list.GetSize().x, 40);
  wxImage shot = testing_support::CaptureWindow(&list);
  testing_support::SaveCapture(shot, "trap_view_rows");
  EXPECT_GT(DarkPixels(shot, rows), 50) << "the rows' texts are on the screen";

  ASSERT_TRUE(CTrapEvents().ClearTrapEvents());
  EXPECT_EQ(list.GetItemCount(), 2) << "the view keeps its copy until updated";
  view->OnUpdate();
  EXPECT_EQ(list.GetItemCount(), 0);

  frame->SetSize(wxSize(500, 260));
  PumpPending();
  EXPECT_EQ(list.GetRect(), wxRect(wxPoint(0, 0), view->GetClientSize()));
  frame->Hide();
  frame->Destroy();
  PumpPending();
}

}  // namespace
