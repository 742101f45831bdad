#include "controls/SplitterWndEx.h"

#include <wx/dc.h>
#include <wx/settings.h>

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

void CSplitterWndEx::SizeWindows() {
  wxWindow* first = GetWindow1();
  if (!first) return;
  const wxSize size = GetClientSize();
  const int border = GetBorderSize();
  if (!IsSplit()) {
    first->SetSize(border, border, size.x - 2 * border, size.y - 2 * border);
    return;
  }
  wxWindow* second = GetWindow2();
  const int position = GetSashPosition();
  const int after = position + Gap();
  if (GetSplitMode() == wxSPLIT_VERTICAL) {
    first->SetSize(border, border, position - border, size.y - 2 * border);
    second->SetSize(after, border, size.x - after - border, size.y - 2 * border);
  } else {
    first->SetSize(border, border, size.x - 2 * border, position - border);
    second->SetSize(border, after, size.x - 2 * border, size.y - after - border);
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
