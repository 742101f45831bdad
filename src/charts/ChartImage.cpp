#include "charts/ChartImage.h"

#include <wx/graphics.h>
#include <wx/log.h>

#include <memory>

#include "chartcore/Chart.h"
#include "charts/WxChartCanvas.h"

wxImage RenderChartImage(CChart& chart, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  wxImage image(width, height, false);
  image.SetRGB(wxRect(0, 0, width, height), 255, 255, 255);
  {
    // The image receives the drawing when the context goes.
    std::unique_ptr<wxGraphicsContext> context(wxGraphicsContext::Create(image));
    if (!context) return {};
    CWxChartCanvas canvas(*context);
    chart.Draw(canvas, canvas.LogicalRectOfPixels(width, height));
  }
  return image;
}

bool SaveChartPng(CChart& chart, int width, int height, const std::string& path) {
  static const bool handlerAdded = [] {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    return true;
  }();
  (void)handlerAdded;
  const wxImage image = RenderChartImage(chart, width, height);
  const wxLogNull quiet;  // the caller reports the failure it is told about
  return image.IsOk() && image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
}
