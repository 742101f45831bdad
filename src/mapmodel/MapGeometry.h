#pragma once
// Points, sizes and rectangles of the map in map units (y grows downwards). A rectangle holds its left and
// top edges and excludes its right and bottom edges, as the map's hit tests expect.
#include <algorithm>

struct MapPoint {
  int x = 0;
  int y = 0;
  MapPoint operator+(MapPoint other) const { return {x + other.x, y + other.y}; }
  MapPoint operator-(MapPoint other) const { return {x - other.x, y - other.y}; }
  bool operator==(const MapPoint&) const = default;
};

struct MapSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const MapSize&) const = default;
};

struct MapRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static MapRect At(MapPoint topLeft, MapSize size) {
    return {topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy};
  }
  // The zero-size rectangle at the point grown by d on every side.
  static MapRect Around(MapPoint point, int d) { return {point.x - d, point.y - d, point.x + d, point.y + d}; }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  MapPoint TopLeft() const { return {left, top}; }
  bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
  bool Contains(MapPoint point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  // The same rectangle with its corners in order, whichever way it was drawn.
  MapRect Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  }
  MapRect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  MapRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // True when the two share some area; touching edges share none.
  bool Overlaps(const MapRect& other) const {
    const MapRect a = Normalized();
    const MapRect b = other.Normalized();
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
  }
  // The smallest rectangle holding both; an empty rectangle adds nothing.
  MapRect Union(const MapRect& other) const {
    if (other.IsEmpty()) return *this;
    if (IsEmpty()) return other;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }
  bool operator==(const MapRect&) const = default;
};
