#pragma once
// What the map's shapes draw on, in map units. The map window implements it over its toolkit; tests record
// the calls. Pen, brush, font and text colour stay selected until changed.
#include <optional>
#include <string>
#include <vector>

#include "image/DibHeader.h"
#include "mapmodel/MapGeometry.h"
#include "mapmodel/PresentationTheme.h"

class CDib;

// A colour no pixel has: every pixel of a picture drawn with it is copied.
constexpr ColorRef kNoTransparentColor = 0xFFFFFFFFu;

enum MapPenStyle : int { kMapPenSolid = 0, kMapPenDash = 1, kMapPenDot = 2 };

struct MapPen {
  int style = kMapPenSolid;
  int width = 0;  // 0: the thinnest line the device draws
  ColorRef color = 0;
  bool operator==(const MapPen&) const = default;
};

class CMapCanvas {
 public:
  virtual ~CMapCanvas() = default;

  virtual void SetPen(const MapPen& pen) = 0;
  // A solid brush of the colour, or no filling at all.
  virtual void SetBrush(std::optional<ColorRef> color) = 0;
  virtual void SetFont(const MapFont& font) = 0;
  virtual void SetTextColor(ColorRef color) = 0;

  virtual void Rectangle(const MapRect& rect) = 0;
  virtual void Ellipse(const MapRect& box) = 0;
  virtual void Polyline(const std::vector<MapPoint>& points) = 0;
  // One line of text centred both ways in the rectangle, on a transparent background, cut with an
  // ellipsis at its end when it does not fit.
  virtual void DrawText(const std::string& text, const MapRect& rect) = 0;
  // The picture with its top-left corner at the point; pixels of the transparent colour are not drawn.
  virtual void DrawPicture(const CDib& picture, MapPoint topLeft, ColorRef transparent) = 0;
  // The map's background picture at the map's origin, in its own size, every pixel copied.
  virtual void DrawBackground(const CDib& picture) { DrawPicture(picture, {0, 0}, kNoTransparentColor); }
  // A selection handle: the square shown in inverted colours where the device can, else marked plainly.
  virtual void DrawHandle(const MapRect& square) = 0;
};
