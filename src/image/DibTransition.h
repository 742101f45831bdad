#pragma once
// The strips that the transition effects 1 to 18 draw at each position: where on the picture's place
// each strip goes and where in the picture it comes from.
#include <vector>

#include "image/DibDraw.h"

struct TransitionStrip {
  Rect destination;  // relative to the picture's top-left corner
  int sourceX = 0;
  int sourceY = 0;
  bool operator==(const TransitionStrip& other) const {
    return destination.left == other.destination.left && destination.top == other.destination.top &&
           destination.right == other.destination.right && destination.bottom == other.destination.bottom &&
           sourceX == other.sourceX && sourceY == other.sourceY;
  }
};

constexpr int kFirstStripEffect = 1;
constexpr int kLastStripEffect = 18;
constexpr int kMosaicEffect = 19;
constexpr int kFadeEffect = 20;

// The last position of the effect; its passes run from 0 up to it.
int TransitionBound(int effect, int width, int height, int step);
// How far the position moves per pass: the step for effects 1 to 14, one pixel after that.
int TransitionAdvance(int effect, int step);
std::vector<TransitionStrip> TransitionStrips(int effect, int width, int height, int step, int position);
