#pragma once
// Lays rich tip text out in lines of a given width (wrapping at blanks) and draws it: the measuring and
// drawing half of the rich tool tip.
#include <wx/dc.h>
#include <wx/font.h>

#include <vector>

#include "listmodel/RichTipText.h"

class RichTipPainter {
 public:
  RichTipPainter(const listmodel::RichTipText& text, const wxFont& baseFont);

  // The height the text needs when its lines may be `width` pixels long.
  int HeightAt(wxDC& dc, int width);
  void Draw(wxDC& dc, const wxPoint& origin, int width, const wxColour& textColour);

 private:
  struct Piece {
    wxString text;
    const listmodel::TipRun* style;
    int x;
    int width;
  };
  struct Line {
    std::vector<Piece> pieces;
    listmodel::TipAlignment alignment;
    int width = 0;
    int height = 0;
  };

  wxFont FontFor(const listmodel::TipRun& run) const;
  std::vector<Line> Layout(wxDC& dc, int width) const;

  const listmodel::RichTipText& m_text;
  wxFont m_baseFont;
};
