// The locked splitter and the key edit box as a user meets them.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include "controls/MacEdit.h"
#include "controls/SplitterWndEx.h"
#include "support/MessageRecorder.h"
#include "LiveCapture.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::MessageBoxRecorder;
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
  const wxImage shot = controls_test::CaptureLive(frame);
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

class KeyEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "key", wxPoint(0, 0), wxSize(300, 100));
    edit = new CMacEdit(frame, wxID_ANY);
    frame->Show();
    PumpUntil([&] { return edit->IsShownOnScreen(); });
    edit->SetFocus();
    PumpPending();
  }
  void TearDown() override {
    frame->Destroy();
    PumpPending();
  }
  void Type(const char* text) {
    wxUIActionSimulator input;
    input.Text(text);
    for (int round = 0; round < 10; ++round) PumpPending();
  }
  wxFrame* frame = nullptr;
  CMacEdit* edit = nullptr;
  MessageBoxRecorder boxes;
};

TEST_F(KeyEditTest, HexModeRefusesANonHexKeyWithTheMessageAndAnEleventhSilently) {
  EXPECT_EQ(edit->Mode(), 2);
  EXPECT_EQ(&edit->SetMode(10), edit);
  Type("0123g");
  EXPECT_EQ(edit->GetValue(), "0123");
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"Hex digit is either a number from 0 to 9 or a letter from A to F or a to f."});
  Type("456789AB");
  EXPECT_EQ(edit->GetValue(), "0123456789");
  EXPECT_EQ(boxes.Texts().size(), 1u);  // the eleventh character is refused without a message

  Type("F");
  EXPECT_EQ(edit->GetValue(), "0123456789");
  edit->SelectAll();  // a full box refuses typing even over a selection
  Type("f");
  EXPECT_EQ(edit->GetValue(), "0123456789");
  const wxImage shot = controls_test::CaptureLive(edit);
  SaveCapture(shot, "key_edit");
  EXPECT_GT(CountPixels(shot, *wxBLACK, 100), 30) << "the digits are shown";
}

TEST_F(KeyEditTest, TextKeyModeTakesAnyCharacterUpToItsLength) {
  edit->SetMode(13);
  Type("g!h j-kl.mnopqr");
  EXPECT_EQ(edit->GetValue(), "g!h j-kl.mnop");
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
