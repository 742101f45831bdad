// The progress window as a user meets it: its caption follows the percentage, Cancel tells the main window,
// the window comes back where it was left, and while modal the main window is disabled.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include "controls/ProgressBar.h"
#include "controls/ProgressWnd.h"
#include "platform/IniStore.h"
#include "platform/MessageIds.h"
#include "support/MessageRecorder.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::MessageRecorder;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

void StorePosition(int x, int y) {
  platform::CIniStore store;
  store.SetInt("Settings", "X", x);
  store.SetInt("Settings", "Y", y);
  store.Save();
}

class ProgressWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(800, 600));
    main->CreateStatusBar(2);
    wxTheApp->SetTopWindow(main);
    main->Show();
    PumpPending();
  }
  void TearDown() override {
    main->Destroy();
    PumpPending();
  }
  wxFrame* main = nullptr;
  MessageRecorder mainWindow;  // the platform's main window, where Cancel is posted
};

TEST_F(ProgressWindowTest, CaptionShowsTheRoundedPercentOfTheRange) {
  auto* progress = new CProgressWnd(nullptr, "Scanning");
  EXPECT_EQ(progress->GetTitle(), "Scanning");
  EXPECT_EQ(progress->GetParent(), main);
  progress->SetRange(0, 3);
  progress->SetPos(1);
  EXPECT_EQ(progress->GetTitle(), "Scanning [33%]");
  progress->StepIt();
  EXPECT_EQ(progress->GetTitle(), "Scanning [67%]");
  progress->SetRange(5, 5);
  progress->SetPos(9);
  EXPECT_EQ(progress->GetTitle(), "Scanning [0%]");
  progress->SetMessageText("%d devices at %s", 3, "10.0.0.1");
  EXPECT_EQ(progress->FindWindow(CProgressWnd::IDC_TEXT)->GetLabel(), "3 devices at 10.0.0.1");
  progress->HideProgress();
  EXPECT_FALSE(progress->IsShown());
  progress->SetPos(2);  // a new position shows it again
  EXPECT_TRUE(progress->IsShown());
  progress->Destroy();
  PumpPending();
}

TEST_F(ProgressWindowTest, CancelPostsToTheMainWindowAndKeepsThePosition) {
  StorePosition(-1, -1);
  auto* progress = new CProgressWnd(nullptr, "Upgrading firmware");
  progress->Move(300, 200);
  progress->SetRange(0, 10);
  progress->SetPos(5);
  PumpUntil([&] { return progress->GetScreenPosition() == wxPoint(300, 200); });
  const wxImage shot = testing_support::CaptureWindow(progress);
  SaveCapture(shot, "progress_window");
  // The button-face background, the Cancel button and the half-full bar.
  const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  EXPECT_GT(CountPixels(shot, face, 4), shot.GetWidth() * shot.GetHeight() / 2);
  wxWindow* cancel = progress->FindWindow(CProgressWnd::IDC_CANCEL);
  EXPECT_EQ(cancel->GetLabel(), " Cancel ");
  const wxRect bar = progress->FindWindow(CProgressWnd::IDC_PROGRESS)->GetRect();
  // Half the bar is filled: the fill colour (the theme's blue) lies in its left half only.
  auto filled = [&](const wxRect& area) {
    int count = 0;
    for (int y = area.y; y < area.GetBottom(); ++y)
      for (int x = area.x; x < area.GetRight(); ++x) count += shot.GetBlue(x, y) - shot.GetRed(x, y) > 60;
    return count;
  };
  const wxRect left(bar.x + 4, bar.y, bar.width / 2 - 8, bar.height);
  const wxRect right(bar.x + bar.width / 2 + 4, bar.y, bar.width / 2 - 8, bar.height);
  EXPECT_GT(filled(left), left.width);
  EXPECT_EQ(filled(right), 0);
  EXPECT_TRUE(cancel->GetRect().GetRight() > bar.GetRight());

  wxUIActionSimulator input;
  input.MouseMove(cancel->GetScreenRect().GetPosition() + wxPoint(10, 8));
  PumpPending();
  input.MouseClick();
  ASSERT_TRUE(PumpUntil([&] { return !mainWindow.MessagesWithId(msg::WM_NMS_PROGRESS_CANCEL).empty(); }));
  const platform::Message cancelled = mainWindow.MessagesWithId(msg::WM_NMS_PROGRESS_CANCEL)[0];
  EXPECT_EQ(cancelled.wParam, 1u);
  EXPECT_EQ(cancelled.lParam, 0);
  EXPECT_TRUE(progress->IsShown());  // Cancel alone stops nothing
  EXPECT_EQ(platform::CIniStore().GetInt("Settings", "X"), 300);
  EXPECT_EQ(platform::CIniStore().GetInt("Settings", "Y"), 200);

  progress->Move(320, 240);
  PumpUntil([&] { return progress->GetScreenPosition() == wxPoint(320, 240); });
  progress->Destroy();
  PumpPending();
  auto* again = new CProgressWnd(nullptr, "Upgrading firmware");
  EXPECT_EQ(again->GetScreenPosition(), wxPoint(320, 240));
  again->Destroy();
  PumpPending();
}

TEST_F(ProgressWindowTest, APositionOffTheScreenCentresTheWindow) {
  StorePosition(5000, 100);
  auto* progress = new CProgressWnd(nullptr, "Scanning");
  const wxRect window = progress->GetScreenRect();
  const wxRect owner = main->GetScreenRect();
  EXPECT_NEAR(window.x + window.width / 2, owner.x + owner.width / 2, 2);
  progress->RememberPosition(false);  // keep the stored corner off the screen for the check below
  progress->Destroy();
  PumpPending();
  EXPECT_EQ(platform::CIniStore().GetInt("Settings", "X"), 5000);
}

TEST_F(ProgressWindowTest, ModalDisablesTheMainWindowUntilItGoes) {
  auto* progress = new CProgressWnd;
  ASSERT_TRUE(progress->GoModal("Applying template"));
  EXPECT_TRUE(progress->IsModal());
  EXPECT_FALSE(main->IsEnabled());
  EXPECT_TRUE(progress->IsEnabled());
  EXPECT_EQ(progress->GetTitle(), "Applying template");

  // Escape while the job pumps its events counts as Cancel.
  progress->Raise();
  progress->SetFocus();
  PumpPending();
  wxUIActionSimulator input;
  input.Char(WXK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] {
    progress->PeekAndPump(true);
    return !mainWindow.MessagesWithId(msg::WM_NMS_PROGRESS_CANCEL).empty();
  }));

  progress->Destroy();
  PumpPending();
  EXPECT_TRUE(main->IsEnabled());

  auto* plain = new CProgressWnd(nullptr, "Scanning");
  main->Disable();  // someone else's doing: a window that was never modal leaves it alone
  plain->Destroy();
  PumpPending();
  EXPECT_FALSE(main->IsEnabled());
  main->Enable();
}

TEST_F(ProgressWindowTest, StatusPaneBarSitsAfterTheMessageAndGivesThePaneBack) {
  main->SetStatusText("Polling", 1);
  auto* bar = new CProgressBar;
  ASSERT_TRUE(bar->AttachToStatusPane("Saving", 50, 10, false, 1));
  EXPECT_EQ(bar->GetParent(), main->GetStatusBar());
  EXPECT_EQ(main->GetStatusBar()->GetStatusText(1), "Saving");
  wxRect pane;
  main->GetStatusBar()->GetFieldRect(1, pane);
  const wxRect placed = bar->GetRect();
  EXPECT_GT(placed.x, pane.x + 20);  // after the message
  EXPECT_LE(placed.GetRight(), pane.GetRight());
  bar->SetBarPos(4);
  bar->StepBar();
  EXPECT_EQ(bar->GetValue(), 5);
  bar->RestorePaneText();
  EXPECT_EQ(main->GetStatusBar()->GetStatusText(1), "Polling");
  EXPECT_FALSE(bar->IsShown());
  bar->Destroy();

  auto* first = new CProgressBar;
  ASSERT_TRUE(first->AttachToStatusPane("", 100, 10, true, 0));
  first->Destroy();
  EXPECT_EQ(main->GetStatusBar()->GetStatusText(0), "Ready");
}

}  // namespace
