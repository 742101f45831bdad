#include "controls/SplitterWndEx.h"

#include <wx/dc.h>
#include <wx/settings.h>

#include <algorithm>

CSplitterWndEx::CSplitterWndEx(wxWindow* parent, wxWindowID id)
    : wxSplitterWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxSP_LIVE_UPDATE | wxSP_NOBORDER),
      bars_(GetDefaultSashSize()) {}

// With resizing locked the bars are no hit area: no resize cursor and no drag, and the panes keep their own
// mouse input.
bool CSplitterWndEx::SashHitTest(int x, int y) {
  if (!bars_.ResizeAllowed() || !IsSplit()) return false;
  const int position = GetSashPosition();
  const int along = GetSplitMode() == wxSPLIT_VERTICAL ? x : y;
  return along >= position && along < position + Gap();
}

// A pane below or beside a sash that lies past the splitter's edge (a splitter not yet sized, or smaller
// than the first pane) gets no room rather than a negative size, which the toolkit refuses.
void CSplitterWndEx::SizeWindows() {
  wxWindow* first = GetWindow1();
  if (!first) return;
  const auto place = [](wxWindow* pane, int x, int y, int width, int height) {
    pane->SetSize(x, y, std::max(width, 0), std::max(height, 0));
  };
  const wxSize size = GetClientSize();
  const int border = GetBorderSize();
  if (!IsSplit()) {
    place(first, border, border, size.x - 2 * border, size.y - 2 * border);
    return;
  }
  wxWindow* second = GetWindow2();
  const int position = GetSashPosition();
  const int after = position + Gap();
  if (GetSplitMode() == wxSPLIT_VERTICAL) {
    place(first, border, border, position - border, size.y - 2 * border);
    place(second, after, border, size.x - after - border, size.y - 2 * border);
  } else {
    place(first, border, border, size.x - 2 * border, position - border);
    place(second, border, after, size.x - 2 * border, size.y - after - border);
  }
  Refresh();
}

void CSplitterWndEx::DrawSash(wxDC& dc) {
  if (!IsSplit()) return;
  const wxSize size = GetClientSize();
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE)));
  if (GetSplitMode() == wxSPLIT_VERTICAL)
    dc.DrawRectangle(GetSashPosition(), 0, Gap(), size.y);
  else
    dc.DrawRectangle(0, GetSashPosition(), size.x, Gap());
}
