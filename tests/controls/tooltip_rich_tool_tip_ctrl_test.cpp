#include <gtest/gtest.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include "controls/RichToolTipCtrl.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

// A frame with one tool window at a chosen place on the screen, and a rich tip for it.
class RichToolTipTest : public ::testing::Test {
 protected:
  void Open(const wxPoint& where, const std::string& tipText) {
    frame = new wxFrame(nullptr, wxID_ANY, "tips", where, wxSize(160, 80), wxBORDER_NONE);
    tool = new wxWindow(frame, wxID_ANY, wxPoint(0, 0), wxSize(160, 80));
    tip = new CRichToolTipCtrl();
    ASSERT_TRUE(tip->Create(frame));
    tip->AddTool(tool, tipText);
    frame->Show();
    PumpPending();
  }
  void TearDown() override {
    if (tip) tip->Destroy();
    if (frame) {
      frame->Hide();
      frame->Destroy();
    }
    PumpPending();
  }
  // Rests the mouse on the tool until its tip shows.
  bool HoverTool(const wxPoint& onTool) {
    frame->Raise();  // other test programs' windows may have come up over this one
    PumpPending();
    wxUIActionSimulator input;
    input.MouseMove(tool->ClientToScreen(onTool) + wxPoint(5, 5));
    PumpPending();
    input.MouseMove(tool->ClientToScreen(onTool));
    return PumpUntil([&] { return tip->IsShown(); });
  }

  wxFrame* frame = nullptr;
  wxWindow* tool = nullptr;
  CRichToolTipCtrl* tip = nullptr;
};

TEST_F(RichToolTipTest, RestingMouseShowsANarrowTipBelowTheCursorInBold) {
  Open(wxPoint(100, 100), "{\\b 'Cts mode' previous value is Auto}");
  ASSERT_TRUE(HoverTool(wxPoint(40, 30)));
  const wxPoint cursor = wxGetMousePosition();
  const wxRect shown = tip->GetScreenRect();
  EXPECT_EQ(shown.GetPosition(), cursor + wxPoint(0, 16));

  // As wide as its bold text and a few pixels, not the maximum tip width.
  wxFont bold = tip->GetFont();
  bold.MakeBold();
  int boldWidth = 0, boldHeight = 0;
  tip->GetTextExtent("'Cts mode' previous value is Auto", &boldWidth, &boldHeight, nullptr, nullptr, &bold);
  EXPECT_GE(shown.width, boldWidth);
  EXPECT_LE(shown.width, boldWidth + 12);
  EXPECT_LT(shown.width, tip->GetMaxTipWidth());

  const wxColour ink = wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT);
  const wxImage shot = testing_support::CaptureWindow(tip);
  testing_support::SaveCapture(shot, "rich_tip");
  EXPECT_GT(testing_support::CountPixels(shot, ink, 60), boldWidth);  // the words are drawn

  wxUIActionSimulator().MouseMove(frame->GetScreenPosition() + wxPoint(400, 400));  // leaving hides it
  EXPECT_TRUE(PumpUntil([&] { return !tip->IsShown(); }));
}

TEST_F(RichToolTipTest, TipNearTheScreenCornerMovesLeftAndAboveTheCursor) {
  const wxRect screen = wxDisplay(0u).GetGeometry();
  Open(wxPoint(screen.GetRight() - 160, screen.GetBottom() - 80), "a tip text long enough to need some room");
  ASSERT_TRUE(HoverTool(wxPoint(150, 70)));
  const wxPoint cursor = wxGetMousePosition();
  const wxRect shown = tip->GetScreenRect();
  EXPECT_EQ(shown.GetRight(), screen.GetRight());
  EXPECT_EQ(shown.GetBottom(), cursor.y - 16 - 1);
  EXPECT_TRUE(screen.Contains(shown));
}

TEST_F(RichToolTipTest, TipTextsChangeAndGoWithTheirTools) {
  Open(wxPoint(100, 300), "first");
  tip->UpdateTipText(CRichToolTipCtrl::EscapeForRtf("{second}"), tool);
  tip->ShowTip(tool);
  EXPECT_TRUE(tip->IsShown());
  tip->Hide();
  tool->Destroy();  // its tip is forgotten: nothing shows
  tip->ShowTip(tool);
  EXPECT_FALSE(tip->IsShown());
}

}  // namespace
