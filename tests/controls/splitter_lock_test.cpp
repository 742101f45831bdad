// The locked splitter as a user meets it: bars that cannot be dragged, panes that keep their clicks, and bars
// thinned to one pixel and brought back.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include "controls/SplitterWndEx.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

class SplitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "split", wxPoint(0, 0), wxSize(400, 300));
    splitter = new CSplitterWndEx(frame);
    left = new wxPanel(splitter);
    right = new wxPanel(splitter);
    left->SetBackgroundColour(wxColour(255, 255, 255));
    right->SetBackgroundColour(wxColour(255, 255, 255));
    frame->Show();
    PumpUntil([&] { return splitter->GetClientSize().x > 300; });
    splitter->SplitVertically(left, right, 150);
    PumpUntil([&] { return right->GetPosition().x > 150; });
  }
  void TearDown() override {
    frame->Destroy();
    PumpPending();
  }
  wxFrame* frame = nullptr;
  CSplitterWndEx* splitter = nullptr;
  wxPanel* left = nullptr;
  wxPanel* right = nullptr;
};

TEST_F(SplitterTest, LockedBarsCannotBeDraggedWhileThePanesKeepTheirClicks) {
  splitter->AllowResize(false);
  int clicks = 0;
  left->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent& e) { ++clicks; e.Skip(); });
  wxUIActionSimulator input;
  const wxPoint bar = splitter->ClientToScreen(wxPoint(151, 100));
  input.MouseMove(bar);
  PumpPending();
  input.MouseDown();
  for (int x = 160; x <= 260; x += 20) {
    input.MouseMove(splitter->ClientToScreen(wxPoint(x, 100)));
    PumpPending();
  }
  input.MouseUp();
  for (int round = 0; round < 10; ++round) PumpPending();
  EXPECT_EQ(splitter->GetSashPosition(), 150);

  input.MouseMove(left->ClientToScreen(wxPoint(40, 40)));
  PumpPending();
  input.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST_F(SplitterTest, AnUnlockedBarIsDragged) {
  wxUIActionSimulator input;
  input.MouseMove(splitter->ClientToScreen(wxPoint(151, 100)));
  PumpPending();
  input.MouseDown();
  for (int x = 160; x <= 250; x += 10) {
    input.MouseMove(splitter->ClientToScreen(wxPoint(x, 100)));
    PumpPending();
  }
  input.MouseUp();
  EXPECT_TRUE(PumpUntil([&] { return splitter->GetSashPosition() > 200; }));
}

TEST_F(SplitterTest, ThinnedBarsLeaveOnePixelAndRestoringBringsTheGapBack) {
  const int gap = splitter->Gap();
  ASSERT_GT(gap, 1);
  EXPECT_EQ(right->GetPosition().x, 150 + gap);
  splitter->HideBars();
  splitter->UpdateSize();
  EXPECT_EQ(right->GetPosition().x, 151);
  const wxImage shot = testing_support::CaptureWindow(frame);
  SaveCapture(shot, "splitter_thin");
  const wxPoint bar = splitter->GetPosition() + wxPoint(150, 100);
  const wxColour white(255, 255, 255);
  EXPECT_EQ(CountPixels(shot, white, 0, wxRect(bar.x - 20, bar.y, 20, 1)), 20);
  EXPECT_EQ(CountPixels(shot, white, 0, wxRect(bar.x, bar.y, 1, 1)), 0) << "the one-pixel bar";
  EXPECT_EQ(CountPixels(shot, white, 0, wxRect(bar.x + 1, bar.y, 20, 1)), 20);
  splitter->RestoreBars();
  splitter->UpdateSize();
  EXPECT_EQ(right->GetPosition().x, 150 + gap);
}

}  // namespace
