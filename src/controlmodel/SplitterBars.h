#pragma once
// The bars of a splitter that can be locked: whether the user may drag them, and the gaps between the
// panes, which can be thinned to one pixel and brought back.
class CSplitterBars {
 public:
  explicit CSplitterBars(int gap) : gapX_(gap), gapY_(gap), savedX_(gap), savedY_(gap) {}

  void AllowResize(bool allow) { resizeAllowed_ = allow; }
  bool ResizeAllowed() const { return resizeAllowed_; }
  void HideBars() { gapX_ = gapY_ = 1; }
  void RestoreBars() {
    gapX_ = savedX_;
    gapY_ = savedY_;
  }
  int GapX() const { return gapX_; }
  int GapY() const { return gapY_; }

 private:
  bool resizeAllowed_ = true;
  int gapX_;
  int gapY_;
  int savedX_;
  int savedY_;
};
