#include "charts/ChartWindow.h"

#include <wx/dcbuffer.h>
#include <wx/graphics.h>

#include "chartcore/XYChart.h"
#include "charts/ChartMenuPopup.h"
#include "charts/WxChartCanvas.h"

namespace {
// The chart keeps this distance (logical units) from the window's edges.
constexpr int kChartInset = 10;
}  // namespace

CChartWindow::CChartWindow(wxWindow* parent, wxWindowID id, CXYChart& chart)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE),
      chart_(chart),
      menuHost_(std::make_unique<CChartMenuPopup>(*this)) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CChartWindow::OnPaint, this);
  Bind(wxEVT_CONTEXT_MENU, &CChartWindow::OnContextMenu, this);
}

void CChartWindow::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  std::unique_ptr<wxGraphicsContext> context(wxGraphicsContext::Create(dc));
  if (!context) return;
  CWxChartCanvas canvas(*context);
  const wxSize size = GetClientSize();
  ChartRect rect = canvas.LogicalRectOfPixels(size.x, size.y);
  rect.left += kChartInset;
  rect.right -= kChartInset;
  rect.top -= kChartInset;
  rect.bottom += kChartInset;
  chart_.Draw(canvas, rect);
}

void CChartWindow::OnContextMenu(wxContextMenuEvent& event) {
  wxPoint position = event.GetPosition();
  if (position == wxDefaultPosition) position = ClientToScreen(wxPoint(0, 0));  // from the keyboard
  if (chart_.ShowMenu(menuHost_.get(), position.x, position.y) == kMenuHandled) Refresh();
}
