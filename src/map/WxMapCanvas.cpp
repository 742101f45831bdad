#include "map/WxMapCanvas.h"

#include <wx/control.h>
#include <wx/font.h>
#include <wx/image.h>

#include <cmath>

#include "image/Dib.h"
#include "image/DibDraw.h"

wxColour MapColour(ColorRef color) { return wxColour(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

wxImage DibToImage(const CDib& picture, ColorRef transparent) {
  RgbImage pixels;
  pixels.width = picture.GetWidth();
  pixels.height = picture.GetHeight();
  if (pixels.IsEmpty()) return wxImage();
  // Pixels of the transparent colour are not drawn, so they keep the colour they start with: that colour.
  const ColorRef fill = transparent == kNoTransparentColor ? 0 : transparent;
  pixels.pixels.resize(static_cast<std::size_t>(pixels.width) * pixels.height * 3);
  for (std::size_t i = 0; i < pixels.pixels.size(); i += 3) {
    pixels.pixels[i] = fill & 0xFF;
    pixels.pixels[i + 1] = (fill >> 8) & 0xFF;
    pixels.pixels[i + 2] = (fill >> 16) & 0xFF;
  }
  if (transparent == kNoTransparentColor) {
    picture.Draw(pixels, 0, 0, kSrcCopy);
  } else {
    picture.DrawTransparent(pixels, 0, 0, transparent);
  }
  wxImage image(pixels.width, pixels.height, false);
  std::copy(pixels.pixels.begin(), pixels.pixels.end(), image.GetData());
  if (transparent != kNoTransparentColor) image.SetMaskColour(fill & 0xFF, (fill >> 8) & 0xFF, (fill >> 16) & 0xFF);
  return image;
}

CWxMapCanvas::CWxMapCanvas(wxDC& dc, double zoom, wxPoint origin) : m_Dc(dc), m_Zoom(zoom), m_Origin(origin) {
  m_Dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
}

wxPoint CWxMapCanvas::ToDevice(MapPoint point) const {
  return wxPoint(static_cast<int>(std::floor(point.x * m_Zoom)) - m_Origin.x,
                 static_cast<int>(std::floor(point.y * m_Zoom)) - m_Origin.y);
}

wxRect CWxMapCanvas::ToDevice(const MapRect& rect) const {
  const wxPoint a = ToDevice(MapPoint{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom)});
  const wxPoint b = ToDevice(MapPoint{std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)});
  return wxRect(a, wxSize(b.x - a.x, b.y - a.y));
}

void CWxMapCanvas::SetPen(const MapPen& pen) {
  const wxPenStyle styles[] = {wxPENSTYLE_SOLID, wxPENSTYLE_SHORT_DASH, wxPENSTYLE_DOT};
  const int width = std::max(1, static_cast<int>(pen.width * m_Zoom));
  m_Dc.SetPen(wxPen(MapColour(pen.color), width, styles[pen.style >= 0 && pen.style <= 2 ? pen.style : 0]));
}

void CWxMapCanvas::SetBrush(std::optional<ColorRef> color) {
  m_Dc.SetBrush(color ? wxBrush(MapColour(*color)) : *wxTRANSPARENT_BRUSH);
}

void CWxMapCanvas::SetFont(const MapFont& font) {
  if (m_Font == font) return;
  m_Font = font;
  m_Fitted.clear();
  const int height = std::max(1, static_cast<int>(std::abs(font.height) * m_Zoom));
  wxFontInfo info(wxSize(0, height));
  info.FaceName(font.face).Weight(font.weight);
  m_Dc.SetFont(wxFont(info));
}

void CWxMapCanvas::SetTextColor(ColorRef color) { m_Dc.SetTextForeground(MapColour(color)); }

void CWxMapCanvas::Rectangle(const MapRect& rect) { m_Dc.DrawRectangle(ToDevice(rect)); }

void CWxMapCanvas::Ellipse(const MapRect& box) { m_Dc.DrawEllipse(ToDevice(box)); }

void CWxMapCanvas::Polyline(const std::vector<MapPoint>& points) {
  if (points.size() < 2) return;
  std::vector<wxPoint> device;
  device.reserve(points.size());
  for (MapPoint point : points) device.push_back(ToDevice(point));
  m_Dc.DrawLines(static_cast<int>(device.size()), device.data());
}

const CWxMapCanvas::FittedText& CWxMapCanvas::Fit(const std::string& text, int width) {
  auto [found, added] = m_Fitted.try_emplace({text, width});
  if (!added) return found->second;
  FittedText& fitted = found->second;
  fitted.shown = wxControl::Ellipsize(wxString::FromUTF8(text), m_Dc, wxELLIPSIZE_END, width);
  fitted.extent = m_Dc.GetTextExtent(fitted.shown);
  return fitted;
}

void CWxMapCanvas::DrawText(const std::string& text, const MapRect& rect) {
  const wxRect area = ToDevice(rect);
  const FittedText& fitted = Fit(text, area.width);
  const wxSize& extent = fitted.extent;
  m_Dc.DrawText(fitted.shown, area.x + (area.width - extent.x) / 2, area.y + (area.height - extent.y) / 2);
}

const wxBitmap& CWxMapCanvas::BitmapOf(const CDib& picture, ColorRef transparent) {
  auto [found, added] = m_Bitmaps.try_emplace({&picture, transparent});
  if (!added) return found->second;
  wxImage image = DibToImage(picture, transparent);
  const wxRect area = ToDevice(MapRect::At({0, 0}, {picture.GetWidth(), picture.GetHeight()}));
  if (image.IsOk() && m_Zoom != 1.0 && area.width > 0 && area.height > 0) image.Rescale(area.width, area.height);
  if (image.IsOk() && area.width > 0 && area.height > 0) found->second = wxBitmap(image);
  return found->second;
}

void CWxMapCanvas::DrawPicture(const CDib& picture, MapPoint topLeft, ColorRef transparent) {
  const wxBitmap& bitmap = BitmapOf(picture, transparent);
  if (bitmap.IsOk()) m_Dc.DrawBitmap(bitmap, ToDevice(topLeft), transparent != kNoTransparentColor);
}

void CWxMapCanvas::DrawBackground(const CDib& picture) { DrawPicture(picture, {0, 0}, kNoTransparentColor); }

void CWxMapCanvas::DrawHandle(const MapRect& square) {
  // No inverting raster operation here: a black square with a white edge shows on any background.
  m_Dc.SetPen(*wxWHITE_PEN);
  m_Dc.SetBrush(*wxBLACK_BRUSH);
  m_Dc.DrawRectangle(ToDevice(square));
}
