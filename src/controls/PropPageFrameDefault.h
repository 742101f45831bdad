#pragma once
// The page frame the tree property sheet creates: button-face background, a caption strip shaded from the
// inactive caption colour into the background, the heading's icon and text on it, and the message below.
#include <wx/bitmap.h>

#include "controls/PropPageFrame.h"

class CPropPageFrameDefault : public wxWindow, public CPropPageFrame {
 public:
  CPropPageFrameDefault() = default;

  bool CreateFrameWindow(long style, const wxRect& rect, wxWindow* parent, wxWindowID id) override;
  wxWindow* FrameWindow() override { return this; }
  // Keeps its own copy of the icon.
  void SetHeading(const std::string& text, const wxIcon& icon = wxNullIcon) override;
  wxRect MessageRect() override;
  wxRect CaptionRect() override;
  void PaintCaption(wxDC& dc, const wxRect& rect, const std::string& text, const wxIcon& icon) override;

  static constexpr int kIconLeft = 3;
  static constexpr int kTextGap = 2;

 private:
  void OnPaint(wxPaintEvent& event);

  wxBitmap captionImage_;
};
