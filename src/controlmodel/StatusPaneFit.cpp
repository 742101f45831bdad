#include "controlmodel/StatusPaneFit.h"

#include <algorithm>

ControlRect FitBarToPane(ControlRect pane, int messageWidth, int blankWidth, int sharePercent) {
  ControlRect bar = pane;
  if (messageWidth > 0) bar.left += messageWidth + 4 * blankWidth;
  bar.right = std::max(bar.left, bar.left + (pane.right - bar.left) * sharePercent / 100);
  const int inset = pane.Height() / 10;
  bar.top += inset;
  bar.bottom -= inset;
  return bar;
}
