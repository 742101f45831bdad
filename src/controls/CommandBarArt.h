#pragma once
// The tool bar's art: the command-bar theme paints its background (a blue gradient while the bar is
// docked, the plain fill while it floats); buttons, separators and grippers keep the toolkit's look.
#include <wx/aui/auibar.h>

#include "controls/CustomNMSTheme.h"

class CCommandBarArt : public wxAuiDefaultToolBarArt {
 public:
  wxAuiToolBarArt* Clone() override { return new CCommandBarArt; }
  void DrawBackground(wxDC& dc, wxWindow* bar, const wxRect& rect) override;
  void DrawPlainBackground(wxDC& dc, wxWindow* bar, const wxRect& rect) override;

 private:
  CCustomNMSTheme theme_;
};
