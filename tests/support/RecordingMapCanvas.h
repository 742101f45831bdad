#pragma once
// A map canvas that writes down what is drawn on it, one line per call, so tests can check the drawing of
// shapes without a window. Header-only.
#include <string>
#include <vector>

#include "image/Dib.h"
#include "mapmodel/MapCanvas.h"

namespace testing_support {

class RecordingMapCanvas : public CMapCanvas {
 public:
  std::vector<std::string> calls;

  void SetPen(const MapPen& pen) override {
    calls.push_back("pen " + std::to_string(pen.style) + " " + Colour(pen.color));
  }
  void SetBrush(std::optional<ColorRef> color) override {
    calls.push_back(color ? "brush " + Colour(*color) : std::string("brush hollow"));
  }
  void SetFont(const MapFont& font) override {
    calls.push_back("font " + font.face + " " + std::to_string(font.height) + " " + std::to_string(font.weight));
  }
  void SetTextColor(ColorRef color) override { calls.push_back("text colour " + Colour(color)); }
  void Rectangle(const MapRect& rect) override { calls.push_back("rectangle " + Rect(rect)); }
  void Ellipse(const MapRect& box) override { calls.push_back("ellipse " + Rect(box)); }
  void Polyline(const std::vector<MapPoint>& points) override {
    std::string line = "polyline";
    for (MapPoint p : points) line += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    calls.push_back(line);
  }
  void DrawText(const std::string& text, const MapRect& rect) override {
    calls.push_back("text \"" + text + "\" " + Rect(rect));
  }
  void DrawPicture(const CDib& picture, MapPoint topLeft, ColorRef transparent) override {
    calls.push_back("picture " + std::to_string(picture.GetWidth()) + "x" + std::to_string(picture.GetHeight()) +
                    " at " + std::to_string(topLeft.x) + "," + std::to_string(topLeft.y) + " transparent " +
                    Colour(transparent));
  }
  void DrawHandle(const MapRect& square) override { calls.push_back("handle " + Rect(square)); }

  // The calls that start with the word.
  std::vector<std::string> Only(const std::string& word) const {
    std::vector<std::string> found;
    for (const std::string& call : calls)
      if (call.rfind(word, 0) == 0) found.push_back(call);
    return found;
  }

  static std::string Rect(const MapRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
  }
  static std::string Colour(ColorRef c) {
    return std::to_string(c & 0xFF) + "/" + std::to_string((c >> 8) & 0xFF) + "/" + std::to_string((c >> 16) & 0xFF);
  }
};

}  // namespace testing_support
