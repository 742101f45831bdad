// The map canvas over a toolkit device context: what one canvas draws for many shapes looks as each
// drawing would on a canvas of its own.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "map/WxMapCanvas.h"

namespace {

const std::string kCaption = "a caption of some length";
constexpr MapRect kBox{10, 10, 210, 70};

// The caption written in each font in turn on a white bitmap, by one canvas or by a new one per font.
wxImage Written(const std::vector<MapFont>& fonts, bool oneCanvas) {
  wxBitmap bitmap(400, 80, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    std::unique_ptr<CWxMapCanvas> canvas;
    for (const MapFont& font : fonts) {
      if (!canvas || !oneCanvas) canvas = std::make_unique<CWxMapCanvas>(dc, 1.0);
      canvas->SetFont(font);
      canvas->SetTextColor(0);
      canvas->DrawText(kCaption, kBox);
    }
  }
  return bitmap.ConvertToImage();
}

bool SamePixels(const wxImage& a, const wxImage& b) {
  return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
         std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

}  // namespace

TEST(MapCanvas, TextIsFittedToTheFontItIsDrawnWith) {
  // The small font shows the caption whole; the large one has to cut it to the box.
  const MapFont small{"Arial", 10, 400}, large{"Arial", 36, 700};
  ASSERT_FALSE(SamePixels(Written({small}, true), Written({large}, true)));
  const std::vector<MapFont> sequences[] = {{small, large}, {large, small}, {small, large, small, large}};
  for (const std::vector<MapFont>& fonts : sequences)
    EXPECT_TRUE(SamePixels(Written(fonts, true), Written(fonts, false))) << fonts.size() << " fonts";
}
