#include "reports/ui/ReportWindowsParts.h"

#include <wx/filedlg.h>
#include <wx/image.h>

#include <filesystem>

#include "charts/ChartImage.h"
#include "platform/MessageBox.h"
#include "reports/ReportExporter.h"

namespace {

// The stored filters separate entries with " | " and end the list at "||"; the dialog wants neither blank.
wxString DialogFilter(const std::string& filter) {
  wxString text = wxString::FromUTF8(filter.substr(0, filter.find("||")));
  text.Replace(" | ", "|");
  text.Trim();
  return text;
}

}  // namespace

// GTK adds no extension to a name typed without one: the chosen filter's is added here, and a file of that
// name is replaced only when the user agrees, as the dialog asks for the name typed.
std::optional<std::string> ChooseReportFile(const std::string& filter, const std::string& /*defaultExtension*/) {
  wxFileDialog dialog(nullptr, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, DialogFilter(filter),
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  for (;;) {
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    const std::string typed = dialog.GetPath().utf8_string();
    const std::string path = WithFilterExtension(typed, filter, dialog.GetFilterIndex());
    std::error_code error;
    if (path == typed || !std::filesystem::exists(path, error) ||
        platform::MessageBox(path + " already exists.\nDo you want to replace it?", "Confirm Save As",
                             platform::MB_YESNO | platform::MB_ICONWARNING) == platform::IDYES)
      return path;
  }
}

bool WriteChartBitmap(CChart& chart, int width, int height, const std::string& bmpPath) {
  wxImage image = RenderChartImage(chart, width, height);
  return image.IsOk() && image.SaveFile(wxString::FromUTF8(bmpPath), wxBITMAP_TYPE_BMP);
}
