#pragma once
// A push button that paints one of three pictures: "up", "down" while pressed, and "disabled" (or the "up"
// one under a checker of the button face when there is none).
#include <wx/bitmap.h>
#include <wx/control.h>

class CImageButton : public wxControl {
 public:
  CImageButton(wxWindow* parent, wxWindowID id, const wxBitmap& up, const wxBitmap& down = wxNullBitmap,
               const wxBitmap& disabled = wxNullBitmap, bool stretch = false);

  // Where the picture goes along each axis when it is not stretched: at the left (top), in the middle, or at
  // the right (bottom). Both repaint.
  enum class Placement { kNear, kMiddle, kFar };
  void SetHorizontalAlignment(Placement placement);
  void SetVerticalAlignment(Placement placement);
  bool IsSelected() const { return selected_; }

 protected:
  virtual void DrawItem(wxDC& dc);
  wxSize DoGetBestSize() const override;

 private:
  wxBitmap PictureToDraw() const;
  void OnPaint(wxPaintEvent& event);

  bool stretch_;
  wxBitmap up_;
  wxBitmap down_;
  wxBitmap disabled_;
  Placement horizontal_ = Placement::kMiddle;
  Placement vertical_ = Placement::kMiddle;
  bool selected_ = false;
};
