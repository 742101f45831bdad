// The page frame's caption strip and empty-page message as the screen shows them, and the sheet's height
// with and without the strip.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/settings.h>

#include "controls/PropPageFrameDefault.h"
#include "controls/TreePropSheet.h"
#include "support/ui/WxTestEnvironment.h"

using testing_support::CountPixels;
using testing_support::PumpPending;
using testing_support::PumpUntil;
using testing_support::SaveCapture;

namespace {

constexpr int kStrip = 24;

// The leftmost column of the strip, right of `from`, that holds a dark (text) pixel.
int FirstTextColumn(const wxImage& shot, int from) {
  for (int x = from; x < shot.GetWidth(); ++x)
    for (int y = 2; y < kStrip - 2; ++y)
      if (shot.GetRed(x, y) < 90 && shot.GetGreen(x, y) < 90 && shot.GetBlue(x, y) < 90) return x;
  return -1;
}

TEST(PageFrameTest, HeadingIconAndTextSitAtTheirOffsetsAndTheMessageIsCentred) {
  auto* window = new wxFrame(nullptr, wxID_ANY, "frame", wxPoint(0, 0), wxSize(400, 240));
  auto* frame = new CPropPageFrameDefault;
  ASSERT_TRUE(frame->CreateFrameWindow(wxCLIP_SIBLINGS, wxRect(0, 0, 380, 200), window, wxID_ANY));
  window->Show();
  frame->EnableCaption(true);
  frame->SetCaptionStripHeight(kStrip);
  EXPECT_EQ(frame->MessageRect().y, kStrip + 1);  // one pixel below the strip
  EXPECT_EQ(frame->CaptionRect().height, kStrip);
  frame->SetHeading("Traps");
  frame->SetNoPageMessage("Please select a child item of 'Network'.");
  wxImage shot = testing_support::CaptureWindow(frame);
  // The text starts 2 pixels in (a glyph may add a pixel of its own bearing).
  EXPECT_NEAR(FirstTextColumn(shot, 0), CPropPageFrameDefault::kTextGap, 1);
  const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  EXPECT_EQ(CountPixels(shot, face, 2, wxRect(shot.GetWidth() - 3, 0, 3, kStrip)), 3 * kStrip)
      << "the gradient ends in the background";
  const wxRect message = frame->MessageRect();
  const wxRect middle(message.x, message.y + message.height / 2 - 8, message.width, 16);
  EXPECT_GT(CountPixels(shot, *wxBLACK, 100, middle), 40);
  EXPECT_EQ(CountPixels(shot, *wxBLACK, 100, wxRect(message.x, message.y, 40, message.height)), 0) << "centred";

  {
    wxBitmap picture(16, 16, 24);
    {
      wxMemoryDC dc(picture);
      dc.SetBackground(*wxRED_BRUSH);
      dc.Clear();
    }
    wxIcon icon;
    icon.CopyFromBitmap(picture);
    frame->SetHeading("Traps", icon);
  }  // the caller's icon is gone; the frame draws its own copy
  shot = testing_support::CaptureWindow(frame);
  SaveCapture(shot, "page_frame_heading");
  EXPECT_EQ(CountPixels(shot, *wxRED, 10, wxRect(CPropPageFrameDefault::kIconLeft, 0, 16, kStrip)), 16 * 16);
  EXPECT_NEAR(FirstTextColumn(shot, CPropPageFrameDefault::kIconLeft + 16), 16 + 5, 1) << "icon width + 5";
  window->Destroy();
  PumpPending();
}

TEST(PageFrameTest, WithoutThePageCaptionTheSheetIsOneStripShorter) {
  int heights[2] = {};
  int strips[2] = {};
  for (int caption = 0; caption < 2; ++caption) {
    auto* sheet = new CTreePropSheet("Preferences");
    sheet->AddPage(new CTreePropPage(sheet, "General"));
    sheet->SetTreeViewMode(true, caption == 1, false);
    sheet->Show();
    PumpUntil([&] { return sheet->PageFrame() != nullptr; });
    heights[caption] = sheet->GetClientSize().y;
    strips[caption] = sheet->PageFrame()->CaptionStripHeight();
    EXPECT_EQ(sheet->PageFrame()->HasCaptionStrip(), caption == 1);
    sheet->Destroy();
    PumpPending();
  }
  EXPECT_EQ(heights[1] - heights[0], strips[1] + 1);
}

}  // namespace
