#include "image/DibTransition.h"

#include <algorithm>

namespace {

TransitionStrip Strip(int left, int top, int right, int bottom, int sourceX, int sourceY) {
  return {{left, top, right, bottom}, sourceX, sourceY};
}

// A strip that shows the picture's own pixels at their own place.
TransitionStrip InPlace(int left, int top, int right, int bottom) { return Strip(left, top, right, bottom, left, top); }

}  // namespace

int TransitionBound(int effect, int width, int height, int step) {
  switch (effect) {
    case 1:
    case 2:
    case 7:
    case 8:
    case 13:
    case 15:
      return height;
    case 3:
    case 4:
    case 9:
    case 10:
    case 14:
    case 16:
      return width;
    case 5:
    case 11:
      return height / 2;
    case 6:
    case 12:
      return width / 2;
    case 17:
    case 18:
      return step;
    default:
      return 0;
  }
}

int TransitionAdvance(int effect, int step) { return effect <= 14 ? step : 1; }

std::vector<TransitionStrip> TransitionStrips(int effect, int width, int height, int step, int p) {
  const int w = width, h = height, s = step, halfW = width / 2, halfH = height / 2;
  // The part of a sliding picture already in view, never more than the whole.
  const auto shown = [p](int advance, int extent) { return std::min(p + advance, extent); };
  std::vector<TransitionStrip> strips;
  switch (effect) {
    case 1:
      strips = {InPlace(0, p, w, p + s)};
      break;
    case 2:
      strips = {InPlace(0, h - p - s, w, h - p)};
      break;
    case 3:
      strips = {InPlace(p, 0, p + s, h)};
      break;
    case 4:
      strips = {InPlace(w - p - s, 0, w - p, h)};
      break;
    case 5:
      strips = {InPlace(0, p, w, p + s), InPlace(0, h - p - s, w, h - p)};
      break;
    case 6:
      strips = {InPlace(p, 0, p + s, h), InPlace(w - p - s, 0, w - p, h)};
      break;
    case 7: {
      const int n = shown(s, h);
      strips = {Strip(0, 0, w, n, 0, h - n)};
      break;
    }
    case 8: {
      const int n = shown(s, h);
      strips = {Strip(0, h - n, w, h, 0, 0)};
      break;
    }
    case 9: {
      const int n = shown(s, w);
      strips = {Strip(0, 0, n, h, w - n, 0)};
      break;
    }
    case 10: {
      const int n = shown(s, w);
      strips = {Strip(w - n, 0, w, h, 0, 0)};
      break;
    }
    case 11: {
      const int upper = shown(s, halfH), lower = shown(s, h - halfH);
      strips = {Strip(0, 0, w, upper, 0, halfH - upper), Strip(0, h - lower, w, h, 0, halfH)};
      break;
    }
    case 12: {
      const int left = shown(s, halfW), right = shown(s, w - halfW);
      strips = {Strip(0, 0, left, h, halfW - left, 0), Strip(w - right, 0, w, h, halfW, 0)};
      break;
    }
    case 13: {
      const int n = shown(s, h);
      strips = {Strip(0, 0, halfW, n, 0, h - n), Strip(halfW, h - n, w, h, halfW, 0)};
      break;
    }
    case 14: {
      const int n = shown(s, w);
      strips = {Strip(0, 0, n, halfH, w - n, 0), Strip(w - n, halfH, w, h, 0, halfH)};
      break;
    }
    case 15: {
      const int n = shown(1, h);
      for (int column = 0, k = 0; column < w; column += s, ++k)
        strips.push_back(k % 2 == 0 ? Strip(column, 0, column + s, n, column, h - n)
                                    : Strip(column, h - n, column + s, h, column, 0));
      break;
    }
    case 16: {
      const int n = shown(1, w);
      for (int row = 0, k = 0; row < h; row += s, ++k)
        strips.push_back(k % 2 == 0 ? Strip(0, row, n, row + s, w - n, row) : Strip(w - n, row, w, row + s, 0, row));
      break;
    }
    case 17:
      for (int column = 0; column < w; column += s) strips.push_back(InPlace(column + p, 0, column + p + 1, h));
      break;
    case 18:
      for (int row = 0; row < h; row += s) strips.push_back(InPlace(0, row + p, w, row + p + 1));
      break;
    default:
      break;
  }
  return strips;
}
