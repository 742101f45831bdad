#pragma once
// The map canvas over a wxWidgets device context: map units are turned into the context's pixels by the
// zoom and the scroll offset the view gives. Pictures are converted to bitmaps once per canvas, and a font
// is made only when it differs from the one selected (a map paint sets the same font on thousands of shapes).
// A text is measured and cut once per width while the font stays (the links' captions repeat).
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/string.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "mapmodel/MapCanvas.h"

class CWxMapCanvas : public CMapCanvas {
 public:
  // A map point p lands on the context at p x zoom - origin.
  CWxMapCanvas(wxDC& dc, double zoom, wxPoint origin = wxPoint(0, 0));

  void SetPen(const MapPen& pen) override;
  void SetBrush(std::optional<ColorRef> color) override;
  void SetFont(const MapFont& font) override;
  void SetTextColor(ColorRef color) override;
  void Rectangle(const MapRect& rect) override;
  void Ellipse(const MapRect& box) override;
  void Polyline(const std::vector<MapPoint>& points) override;
  void DrawText(const std::string& text, const MapRect& rect) override;
  void DrawPicture(const CDib& picture, MapPoint topLeft, ColorRef transparent) override;
  void DrawBackground(const CDib& picture) override;
  void DrawHandle(const MapRect& square) override;

  wxPoint ToDevice(MapPoint point) const;
  wxRect ToDevice(const MapRect& rect) const;

 private:
  const wxBitmap& BitmapOf(const CDib& picture, ColorRef transparent);
  // The text as it is shown in the width with the selected font (cut with an ellipsis), and its extent.
  struct FittedText {
    wxString shown;
    wxSize extent;
  };
  const FittedText& Fit(const std::string& text, int width);

  wxDC& m_Dc;
  double m_Zoom;
  wxPoint m_Origin;
  std::map<std::pair<const CDib*, ColorRef>, wxBitmap> m_Bitmaps;
  std::optional<MapFont> m_Font;  // the font selected into the context, once one was
  std::map<std::pair<std::string, int>, FittedText> m_Fitted;  // by text and width, for the selected font
};

wxColour MapColour(ColorRef color);
// The picture as a toolkit image; pixels of the transparent colour become the image's mask.
wxImage DibToImage(const CDib& picture, ColorRef transparent = kNoTransparentColor);
