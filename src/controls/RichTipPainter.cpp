#include "controls/RichTipPainter.h"

#include <algorithm>

using listmodel::TipAlignment;
using listmodel::TipRun;

RichTipPainter::RichTipPainter(const listmodel::RichTipText& text, const wxFont& baseFont)
    : m_text(text), m_baseFont(baseFont) {}

wxFont RichTipPainter::FontFor(const TipRun& run) const {
  wxFont font = m_baseFont;
  if (run.bold) font.MakeBold();
  if (run.italic) font.MakeItalic();
  if (run.underline) font.MakeUnderlined();
  if (run.strike) font.MakeStrikethrough();
  return font;
}

// Words (each with the blanks after it) go on a line while they fit; a word longer than a line gets one.
std::vector<RichTipPainter::Line> RichTipPainter::Layout(wxDC& dc, int width) const {
  std::vector<Line> lines;
  dc.SetFont(m_baseFont);
  const int emptyHeight = dc.GetCharHeight();
  for (const listmodel::TipParagraph& paragraph : m_text.Paragraphs()) {
    lines.push_back(Line{{}, paragraph.alignment, 0, emptyHeight});
    for (const TipRun& run : paragraph.runs) {
      dc.SetFont(FontFor(run));
      const wxString text = wxString::FromUTF8(run.text);
      size_t start = 0;
      while (start < text.length()) {
        size_t end = text.find(' ', start);
        end = end == wxString::npos ? text.length() : text.find_first_not_of(' ', end);
        if (end == wxString::npos) end = text.length();
        const wxString word = text.Mid(start, end - start);
        wxCoord wordWidth = 0, wordHeight = 0;
        dc.GetTextExtent(word, &wordWidth, &wordHeight);
        if (lines.back().width > 0 && lines.back().width + wordWidth > width)
          lines.push_back(Line{{}, paragraph.alignment, 0, emptyHeight});
        Line& line = lines.back();
        line.pieces.push_back(Piece{word, &run, line.width, wordWidth});
        line.width += wordWidth;
        line.height = std::max<int>(line.height, wordHeight);
        start = end;
      }
    }
  }
  return lines;
}

int RichTipPainter::HeightAt(wxDC& dc, int width) {
  int height = 0;
  for (const Line& line : Layout(dc, width)) height += line.height;
  return height;
}

void RichTipPainter::Draw(wxDC& dc, const wxPoint& origin, int width, const wxColour& textColour) {
  dc.SetTextForeground(textColour);
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  int y = origin.y;
  for (const Line& line : Layout(dc, width)) {
    const int spare = std::max(0, width - line.width);
    const int offset = line.alignment == TipAlignment::Right ? spare : line.alignment == TipAlignment::Center ? spare / 2 : 0;
    for (const Piece& piece : line.pieces) {
      dc.SetFont(FontFor(*piece.style));
      dc.DrawText(piece.text, origin.x + offset + piece.x, y);
    }
    y += line.height;
  }
}
