#include "reports/ui/ReportWindowsParts.h"

#include <wx/filedlg.h>
#include <wx/image.h>

#include "charts/ChartImage.h"

namespace {

// The stored filters separate entries with " | " and end the list at "||"; the dialog wants neither blank.
wxString DialogFilter(const std::string& filter) {
  wxString text = wxString::FromUTF8(filter.substr(0, filter.find("||")));
  text.Replace(" | ", "|");
  text.Trim();
  return text;
}

}  // namespace

// GTK adds no default extension; the export goes by the one the user typed.
std::optional<std::string> ChooseReportFile(const std::string& filter, const std::string& /*defaultExtension*/) {
  wxFileDialog dialog(nullptr, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, DialogFilter(filter),
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.GetPath().utf8_string();
}

bool WriteChartBitmap(CChart& chart, int width, int height, const std::string& bmpPath) {
  wxImage image = RenderChartImage(chart, width, height);
  return image.IsOk() && image.SaveFile(wxString::FromUTF8(bmpPath), wxBITMAP_TYPE_BMP);
}
