// The Zoom To dialog, the row of view buttons, the plain view, the command-bar theme and the folder chooser
// as a user meets them.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include "controls/BrowseDirDialog.h"
#include "controls/CustomNMSTheme.h"
#include "controls/PellionView.h"
#include "controls/TreeViewHead.h"
#include "controls/ZoomToDialog.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::MessageBoxRecorder;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

class ZoomToDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main = new wxFrame(nullptr, wxID_ANY, "map", wxPoint(0, 0), wxSize(600, 400));
    wxTheApp->SetTopWindow(main);
    main->Show();
    dialog = new CZoomToDialog(main);
    dialog->Show();  // shown without its own loop, so the test can type into it
    PumpUntil([&] { return dialog->IsShownOnScreen(); });
  }
  void TearDown() override {
    dialog->Destroy();
    main->Destroy();
    PumpPending();
  }
  // Replaces the percentage as a user does and presses OK.
  void TypeAndConfirm(const std::string& text) {
    wxUIActionSimulator input;
    wxWindow* edit = dialog->FindWindow(CZoomToDialog::IDC_PERCENT);
    edit->SetFocus();
    static_cast<wxTextCtrl*>(edit)->SelectAll();
    PumpPending();
    input.Text(text.c_str());
    PumpUntil([&] { return static_cast<wxTextCtrl*>(edit)->GetValue() == text; });
    const wxRect ok = dialog->FindWindow(wxID_OK)->GetScreenRect();
    input.MouseMove(ok.GetPosition() + wxPoint(ok.width / 2, ok.height / 2));
    PumpPending();
    input.MouseClick();
    for (int round = 0; round < 10; ++round) PumpPending();
  }

  wxFrame* main = nullptr;
  CZoomToDialog* dialog = nullptr;
  MessageBoxRecorder boxes;
};

TEST_F(ZoomToDialogTest, OpensWithOneHundredAndRefusesValuesOutOfRange) {
  EXPECT_EQ(dialog->GetTitle(), "Zoom To");
  EXPECT_EQ(static_cast<wxTextCtrl*>(dialog->FindWindow(CZoomToDialog::IDC_PERCENT))->GetValue(), "100");
  const wxImage shot = testing_support::CaptureWindow(dialog);
  SaveCapture(shot, "zoom_to_dialog");
  EXPECT_GT(CountPixels(shot, *wxBLACK, 90), 20) << "labels and the percentage are written";

  for (const char* refused : {"9", "100001", "x"}) {
    TypeAndConfirm(refused);
    EXPECT_TRUE(dialog->IsShown()) << refused;
    EXPECT_EQ(dialog->m_nPercent, 100) << refused;
  }
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Please enter an integer between 10 and 100000.",
                                                     "Please enter an integer between 10 and 100000.",
                                                     "Please enter an integer."}));
  EXPECT_EQ(wxWindow::FindFocus(), dialog->FindWindow(CZoomToDialog::IDC_PERCENT));
  TypeAndConfirm("10");
  EXPECT_EQ(dialog->m_nPercent, 10);
  EXPECT_FALSE(dialog->IsShown());
  dialog->Show();
  TypeAndConfirm("100000");
  EXPECT_EQ(dialog->m_nPercent, 100000);
  EXPECT_EQ(boxes.Texts().size(), 3u);
}

TEST(ViewsTest, ViewButtonsCarryTheirIdsAndThePlainViewDrawsNothing) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "views", wxPoint(0, 0), wxSize(600, 300));
  auto* head = new CTreeViewHead(frame);
  auto* view = new CPellionView(frame);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(head);
  sizer->Add(view, 1, wxEXPAND);
  frame->SetSizer(sizer);
  frame->Show();
  frame->Layout();
  struct Button { int id; const char* label; };
  for (const Button& b : {Button{1198, "List"}, Button{1200, "Tree"}, Button{1204, "Topology"}, Button{1211, "Conn"},
                          Button{1220, "Cfg"}, Button{1223, "Rel"}, Button{10600, "Add"}, Button{1225, "Del"}}) {
    auto* button = wxDynamicCast(head->FindWindow(b.id), wxButton);
    ASSERT_NE(button, nullptr) << b.label;
    EXPECT_EQ(button->GetLabel(), b.label);
  }
  const wxImage shot = testing_support::CaptureWindow(view);
  SaveCapture(shot, "pellion_view");
  const wxColour background(shot.GetRed(0, 0), shot.GetGreen(0, 0), shot.GetBlue(0, 0));
  EXPECT_EQ(CountPixels(shot, background), shot.GetWidth() * shot.GetHeight());
  frame->Destroy();
  PumpPending();
}

TEST(CommandBarThemeTest, DockedToolBarsGetTheBlueGradientOthersThePlainFill) {
  CCustomNMSTheme theme;
  EXPECT_EQ(theme.CommandBarColour(), wxColour(14, 88, 150));
  wxBitmap picture(60, 40, 24);
  wxMemoryDC dc(picture);
  theme.FillCommandBarEntry(dc, wxRect(0, 0, 30, 40), CCustomNMSTheme::xtpBarTop, CCustomNMSTheme::xtpBarTypeNormal);
  theme.FillCommandBarEntry(dc, wxRect(30, 0, 30, 40), CCustomNMSTheme::xtpBarFloating,
                            CCustomNMSTheme::xtpBarTypeNormal);
  dc.SelectObject(wxNullBitmap);
  const wxImage image = picture.ConvertToImage();
  EXPECT_EQ(CountPixels(image, wxColour(80, 149, 208), 4, wxRect(0, 0, 30, 1)), 30);
  EXPECT_EQ(CountPixels(image, wxColour(23, 70, 121), 8, wxRect(0, 39, 30, 1)), 30);
  EXPECT_EQ(CountPixels(image, wxColour(80, 149, 208), 30, wxRect(30, 0, 30, 40)), 0);
}

// Answers every modal dialog with Cancel.
class CancelEveryDialog : public wxModalDialogHook {
 public:
  CancelEveryDialog() { Register(); }
  ~CancelEveryDialog() override { Unregister(); }
  int shown = 0;

 protected:
  int Enter(wxDialog*) override {
    ++shown;
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};

TEST(BrowseDirDialogTest, CancelOrAMissingRootGivesFalseAndNoPath) {
  testing_support::TempDir folder;
  CancelEveryDialog cancel;
  CBrowseDirDialog browse(folder.Path().string());
  EXPECT_EQ(browse.m_strTitle, "Please select the directory");
  EXPECT_FALSE(browse.Browse());
  EXPECT_EQ(cancel.shown, 1);
  EXPECT_TRUE(browse.m_strPath.empty());

  CBrowseDirDialog missing((folder.Path() / "gone").string());
  EXPECT_FALSE(missing.Browse());
  EXPECT_EQ(cancel.shown, 1);  // refused before the chooser opens
}

}  // namespace
