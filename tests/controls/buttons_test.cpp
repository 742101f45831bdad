// The owner-drawn buttons as a user meets them: a flat button shows its border and hover colours only while
// the mouse is over it, a check-box button keeps its pressed look while checked, and a picture button
// without a "disabled" picture shows its "up" picture checkered when disabled.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include "controls/BtnST.h"
#include "controls/ImageButton.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

const wxColour kOut(200, 10, 10);
const wxColour kIn(255, 65, 65);  // kOut shaded by +100

class ButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "buttons", wxPoint(0, 0), wxSize(400, 200));
    frame->SetBackgroundColour(*wxWHITE);
    wxTheApp->SetTopWindow(frame);
    frame->Show();
    PumpPending();
  }
  void TearDown() override {
    frame->Destroy();
    PumpPending();
  }
  CBtnST* MakeButton(bool checkBox, wxPoint where) {
    auto* button = new CBtnST(frame, wxID_ANY, "Apply", checkBox);
    button->SetSize(wxRect(where, wxSize(120, 40)));
    EXPECT_EQ(button->SetStateColor(BTNST_COLOR_BK_OUT, kOut), BTNST_OK);
    EXPECT_EQ(button->SetStateColor(BTNST_COLOR_BK_IN, kOut), BTNST_OK);
    EXPECT_EQ(button->ShadeStateColor(BTNST_COLOR_BK_IN, 100), BTNST_OK);
    button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ++presses; });
    return button;
  }
  void MoveTo(wxWindow* window, wxPoint point) {
    wxUIActionSimulator input;
    input.MouseMove(window->ClientToScreen(point));
    for (int round = 0; round < 10; ++round) PumpPending();
  }
  void ClickAt(wxWindow* window, wxPoint point) {
    MoveTo(window, point);
    wxUIActionSimulator().MouseClick();
    for (int round = 0; round < 10; ++round) PumpPending();
  }
  wxImage Capture(wxWindow* button) {
    return testing_support::CaptureWindow(button);
  }
  // Pixels of the colour along the button's top edge.
  static int TopEdge(const wxImage& shot, const wxColour& colour) {
    return CountPixels(shot, colour, 0, wxRect(2, 0, shot.GetWidth() - 4, 1));
  }

  wxFrame* frame = nullptr;
  int presses = 0;
};

TEST_F(ButtonsTest, FlatButtonShowsBorderAndHoverColoursOnlyWhileHovered) {
  CBtnST* button = MakeButton(false, wxPoint(20, 20));
  wxColour colour;
  ASSERT_EQ(button->GetStateColor(BTNST_COLOR_BK_IN, colour), BTNST_OK);
  EXPECT_EQ(colour, kIn);
  MoveTo(frame, wxPoint(300, 150));
  const wxImage out = Capture(button);
  EXPECT_EQ(TopEdge(out, kOut), out.GetWidth() - 4) << "no border while the mouse is away";

  MoveTo(button, wxPoint(60, 20));
  ASSERT_TRUE(PumpUntil([&] { return button->IsHovered(); }));
  const wxImage in = Capture(button);
  SaveCapture(in, "btnst_hovered");
  const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
  EXPECT_EQ(TopEdge(in, highlight), in.GetWidth() - 4) << "the raised border";
  EXPECT_GT(CountPixels(in, kIn), in.GetWidth() * in.GetHeight() / 2);

  MoveTo(frame, wxPoint(300, 150));
  ASSERT_TRUE(PumpUntil([&] { return !button->IsHovered(); }));
  const wxImage left = Capture(button);
  EXPECT_EQ(TopEdge(left, kOut), left.GetWidth() - 4);

  ClickAt(button, wxPoint(60, 20));
  EXPECT_EQ(presses, 1);
  button->Disable();
  EXPECT_EQ(button->SetChecked(1), BTNST_OK);
  EXPECT_FALSE(button->IsChecked()) << "a plain button has no check state";
}

TEST_F(ButtonsTest, CheckBoxButtonKeepsThePressedLookWhileChecked) {
  CBtnST* button = MakeButton(true, wxPoint(20, 80));
  ClickAt(button, wxPoint(60, 20));
  EXPECT_TRUE(button->IsChecked());
  EXPECT_EQ(presses, 1);
  MoveTo(frame, wxPoint(300, 10));
  ASSERT_TRUE(PumpUntil([&] { return !button->IsHovered(); }));
  const wxImage checked = Capture(button);
  SaveCapture(checked, "btnst_checked");
  EXPECT_GT(CountPixels(checked, kIn), checked.GetWidth() * checked.GetHeight() / 2);
  const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
  EXPECT_EQ(TopEdge(checked, shadow), checked.GetWidth() - 4) << "the sunken border";

  ClickAt(button, wxPoint(60, 20));
  EXPECT_FALSE(button->IsChecked());
  button->SetChecked(2);
  EXPECT_TRUE(button->IsChecked());
}

TEST_F(ButtonsTest, SettingsRefuseBadValuesWithTheirCodes) {
  CBtnST* button = MakeButton(false, wxPoint(20, 20));
  EXPECT_EQ(button->SetImageAlignment(4), BTNST_INVALIDALIGN);
  EXPECT_EQ(button->SetPressedOffsetStyle(2), BTNST_INVALIDPRESSEDSTYLE);
  EXPECT_EQ(button->SetStateColor(6, kOut), BTNST_INVALIDINDEX);
  EXPECT_EQ(button->ShadeStateColor(0, -256), BTNST_BADPARAM);
  EXPECT_EQ(button->CaptureBackground(nullptr), BTNST_BADPARAM);
  EXPECT_EQ(button->SetIcons(wxNullIcon), BTNST_INVALIDRESOURCE);
  EXPECT_EQ(button->SetImages(wxNullBitmap, *wxWHITE), BTNST_INVALIDRESOURCE);
  EXPECT_EQ(button->SetDropMenu(nullptr, frame), BTNST_INVALIDRESOURCE);
  const std::string longLink = std::string(258, 'a') + "\xC3\xA9" + "tail";  // a two-byte character at the cut
  button->SetLinkUrl(longLink);
  EXPECT_EQ(button->LinkUrl(), std::string(258, 'a'));
}

TEST_F(ButtonsTest, ImageButtonWithoutDisabledPictureShowsUpCheckeredWhenDisabled) {
  wxImage up(24, 24);
  up.SetRGB(wxRect(0, 0, 24, 24), 0, 0, 255);
  auto* button = new CImageButton(frame, wxID_ANY, wxBitmap(up));
  button->SetSize(wxRect(200, 20, 60, 40));
  button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ++presses; });
  const wxImage enabled = Capture(button);
  EXPECT_EQ(CountPixels(enabled, wxColour(0, 0, 255)), 24 * 24);
  ClickAt(button, wxPoint(30, 20));
  EXPECT_EQ(presses, 1);

  button->Disable();
  const wxImage disabled = Capture(button);
  SaveCapture(disabled, "image_button_disabled");
  EXPECT_EQ(CountPixels(disabled, wxColour(0, 0, 255)), 24 * 24 / 2);
}

}  // namespace
