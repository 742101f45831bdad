#pragma once
// A rectangle in pixels as the window system gives it: right and bottom lie just outside. Empty when it has
// no area; an empty rectangle contains no point.

struct ControlRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return !IsEmpty() && x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const ControlRect&) const = default;
};
