// Sizing control bars in a docking row as a user meets them: dragging the edge between two bars, the
// row's thickness, the close button, floating and docking by double click, and the stored sizes.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/minifram.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include <cstdlib>

#include "controls/SizingControlBar.h"
#include "platform/IniStore.h"
#include "support/TempDir.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::PumpPending;

namespace {

class SizingControlBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "bars", wxPoint(80, 80), wxSize(640, 400));
    dock = new CSizingDockBar(frame, sizingbar::Dock::Top);
    first = new CSizingControlBarG();
    ASSERT_TRUE(first->CreateBar("first", dock, wxSize(200, 90), true, 101));
    second = new CSizingControlBarG();
    ASSERT_TRUE(second->CreateBar("second", dock, wxSize(200, 90), true, 102));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(dock, 0, wxEXPAND);
    sizer->AddStretchSpacer();
    frame->SetSizer(sizer);
    frame->Show();
    frame->Layout();
    Settle();
  }
  void TearDown() override {
    frame->Hide();
    frame->Destroy();
    PumpPending();
  }
  void Settle() {
    for (int round = 0; round < 6; ++round) {
      wxMilliSleep(20);
      PumpPending();
    }
  }
  // The middle of an edge of a bar on the screen.
  wxPoint EdgeOnScreen(CSizingControlBar* bar, int edge) {
    const wxSize size = bar->GetSize();
    const ControlRect rect = bar->Model().EdgeRect({0, 0, size.x, size.y}, edge);
    EXPECT_FALSE(rect.IsEmpty()) << "edge " << edge;
    return bar->ClientToScreen(wxPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
  }
  void Drag(const wxPoint& from, const wxPoint& by) {
    frame->Raise();
    wxUIActionSimulator input;
    input.MouseMove(from);
    Settle();
    input.MouseDown();
    Settle();
    for (int step = 1; step <= 4; ++step) {
      input.MouseMove(from + wxPoint(by.x * step / 4, by.y * step / 4));
      Settle();
    }
    input.MouseUp();
    Settle();
  }

  wxFrame* frame = nullptr;
  CSizingDockBar* dock = nullptr;
  CSizingControlBarG* first = nullptr;
  CSizingControlBarG* second = nullptr;
};

TEST_F(SizingControlBarTest, RowIsSharedAndOnlyInnerEdgesAreOffered) {
  const int rowWidth = dock->GetClientSize().x;
  EXPECT_EQ(first->GetPosition().x, -2);
  EXPECT_EQ(second->GetPosition().x, first->GetRect().GetRight() + 1 - 2) << "neighbours overlap by 2";
  EXPECT_EQ(second->GetRect().GetRight() + 1, rowWidth + 2) << "the row is filled, its ends hanging 2 past it";
  EXPECT_EQ(first->GetSize().y, 90);
  EXPECT_EQ(dock->GetSize().y, 90);
  first->Refresh();
  Settle();
  EXPECT_EQ(first->Model().Style() & sizingbar::kEdgeBits, sizingbar::kEdgeRight | sizingbar::kEdgeBottom);
  EXPECT_EQ(second->Model().Style() & sizingbar::kEdgeBits, sizingbar::kEdgeLeft | sizingbar::kEdgeBottom);

  const wxImage shot = testing_support::CaptureWindow(dock);
  testing_support::SaveCapture(shot, "sizing_bars_row");
  const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
  EXPECT_GT(testing_support::CountPixels(shot, shadow, 4), 40) << "raised edges and grippers are drawn";
}

TEST_F(SizingControlBarTest, DraggingTheEdgeBetweenBarsMovesLengthFromOneToTheOther) {
  const int before0 = first->GetSize().x, before1 = second->GetSize().x;
  Drag(EdgeOnScreen(first, 2), wxPoint(60, 0));
  EXPECT_EQ(first->GetSize().x, before0 + 60);
  EXPECT_EQ(second->GetSize().x, before1 - 60);

  Drag(EdgeOnScreen(first, 2), wxPoint(-2000, 0));
  EXPECT_EQ(first->GetSize().x, 33) << "never below the minimum length";
}

TEST_F(SizingControlBarTest, DraggingTheInnerEdgeMakesTheWholeRowThicker) {
  Drag(EdgeOnScreen(second, 3), wxPoint(0, 40));
  EXPECT_EQ(first->GetSize().y, 130);
  EXPECT_EQ(second->GetSize().y, 130);
  EXPECT_EQ(dock->GetSize().y, 130);
}

TEST_F(SizingControlBarTest, CloseButtonHidesTheBarAndTheOtherTakesTheRow) {
  frame->Raise();
  const ControlRect button = second->Model().CloseButton();
  wxUIActionSimulator input;
  input.MouseMove(second->ClientToScreen(wxPoint((button.left + button.right) / 2, (button.top + button.bottom) / 2)));
  Settle();
  input.MouseClick();
  Settle();
  EXPECT_FALSE(second->IsShown());
  EXPECT_EQ(first->GetSize().x, dock->GetClientSize().x + 4);
}

TEST_F(SizingControlBarTest, DoubleClickFloatsAndDocksAgain) {
  frame->Raise();
  wxUIActionSimulator input;
  input.MouseMove(first->ClientToScreen(wxPoint(100, 45)));
  Settle();
  input.MouseDblClick();
  Settle();
  ASSERT_TRUE(first->IsFloating());
  EXPECT_EQ(first->Model().GetDock(), sizingbar::Dock::Floating);
  EXPECT_TRUE(first->FloatFrame()->IsShown());
  EXPECT_EQ(second->GetSize().x, dock->GetClientSize().x + 4) << "the row closes up";
  EXPECT_EQ(first->FloatFrame()->GetTitle(), "first");
  first->SetLabel("renamed");
  EXPECT_EQ(first->FloatFrame()->GetTitle(), "renamed");

  first->ToggleDocking();
  Settle();
  EXPECT_FALSE(first->IsFloating());
  EXPECT_EQ(first->GetParent(), dock);
  EXPECT_EQ(first->Model().GetDock(), sizingbar::Dock::Top);
}

TEST_F(SizingControlBarTest, AllSizesAreSavedAndLoadedPerBar) {
  testing_support::TempDir config;
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string kept = previous ? previous : "";
  setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);

  first->Model().FloatSize() = {300, 120};
  CSizingControlBar::SaveAllSizes(frame, "Bars");
  EXPECT_EQ(platform::CIniStore().GetInt("Bars-SCBar-101", "sizeFloatCX"), 300);
  EXPECT_EQ(platform::CIniStore().GetInt("Bars-SCBar-102", "sizeHorzCY"), 90);

  first->Model().FloatSize() = {50, 50};
  CSizingControlBar::LoadAllSizes(frame, "Bars");
  EXPECT_EQ(first->Model().FloatSize(), (sizingbar::BarSize{300, 120}));

  if (previous) setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
  else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
