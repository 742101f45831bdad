#pragma once
// A splitter whose bars can be locked against dragging, and whose gap between the panes can be thinned to
// one pixel and brought back.
#include <wx/splitter.h>

#include "controlmodel/SplitterBars.h"

class CSplitterWndEx : public wxSplitterWindow {
 public:
  CSplitterWndEx(wxWindow* parent, wxWindowID id = wxID_ANY);

  void AllowResize(bool allow) { bars_.AllowResize(allow); }
  // Both take effect at the next layout.
  void HideBars() { bars_.HideBars(); }
  void RestoreBars() { bars_.RestoreBars(); }
  // The gap between the panes as the next layout uses it.
  int Gap() const { return GetSplitMode() == wxSPLIT_VERTICAL ? bars_.GapX() : bars_.GapY(); }

 protected:
  bool SashHitTest(int x, int y) override;
  void SizeWindows() override;
  void DrawSash(wxDC& dc) override;

 private:
  CSplitterBars bars_;
};
