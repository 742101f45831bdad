#pragma once
// When a drag near a view's top or bottom edge scrolls it: within 10 pixels of an edge (or beyond it)
// one line every sixth tick, one tick fewer for each 20 pixels further out, at most one line a tick.
struct DragScrollStep {
  int direction = 0;  // -1 up, 1 down, 0 no scrolling
  int everyTicks = 0;
};

DragScrollStep DragAutoScroll(int y, int top, int bottom);
