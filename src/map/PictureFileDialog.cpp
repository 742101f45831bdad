#include "map/PictureFileDialog.h"

#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "map/Picture.h"

namespace {

constexpr char kFilter[] =
    "Picture Files (bmp.dib.gif.ico.jpg.png)|*.bmp;*.dib;*.gif;*.ico;*.jpg;*.png;*.BMP;*.DIB;*.GIF;*.ICO;*.JPG;*.PNG|"
    "BMP (*.bmp)|*.bmp|DIB (*.dib)|*.dib|GIF (*.gif)|*.gif|ICO (*.ico)|*.ico|JPG (*.jpg)|*.jpg|PNG (*.png)|*.png|"
    "All Files (*.*)|*";

// The dialog whose extra panel is being made: the toolkit builds the panel without telling it the dialog.
wxFileDialog* g_OpeningDialog = nullptr;

}  // namespace

bool IsPreviewablePath(const std::string& path) {
  if (path.size() < 7) return false;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  std::string extension = path.substr(path.size() - 3);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  static constexpr std::array<const char*, 6> kPreviewable = {"bmp", "dib", "gif", "ico", "jpg", "png"};
  return std::find(kPreviewable.begin(), kPreviewable.end(), extension) != kPreviewable.end();
}

wxSize FitPreview(int width, int height, int side) {
  if (width <= 0 || height <= 0) return wxSize(0, 0);
  if (width < height) return wxSize(static_cast<int>(static_cast<double>(width) * side / height), side);
  return wxSize(side, static_cast<int>(static_cast<double>(height) * side / width));
}

CPicturePreviewPanel::CPicturePreviewPanel(wxWindow* parent, wxFileDialog* dialog)
    : wxPanel(parent), m_Dialog(dialog) {
  auto* sizeRow = new wxBoxSizer(wxHORIZONTAL);
  sizeRow->Add(new wxStaticText(this, wxID_ANY, "Size:"), 0, wxRIGHT, 6);
  m_Size = new wxStaticText(this, 1046, "", wxDefaultPosition, wxSize(110, -1));
  sizeRow->Add(m_Size);
  m_Area = new wxWindow(this, 1010, wxDefaultPosition, wxSize(126, 117));
  m_Area->SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_Area->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { PaintPreview(); });
  m_Enabled = new wxCheckBox(this, 1001, "Preview");
  m_Enabled->SetValue(true);
  m_Enabled->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { EnablePreview(event.IsChecked()); });
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(sizeRow, 0, wxALL, 4);
  column->Add(m_Area, 0, wxALL, 4);
  column->Add(m_Enabled, 0, wxALL, 4);
  SetSizerAndFit(column);
  if (m_Dialog) {
    // The native dialog reports no selection change to its extra panel; the panel looks when idle.
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent&) {
      const std::string selected = m_Dialog->GetCurrentlySelectedFilename().utf8_string();
      if (selected != m_Path) SetPath(selected);
    });
  }
}

void CPicturePreviewPanel::SetPath(const std::string& path) {
  std::error_code error;
  if (path.size() < 7 && !std::filesystem::is_directory(path, error)) return;
  m_Path = path;
  m_Previewable = IsPreviewablePath(path);
  m_Area->Refresh();
}

void CPicturePreviewPanel::EnablePreview(bool enabled) {
  m_Enabled->SetValue(enabled);
  m_Area->Refresh();
}

wxString CPicturePreviewPanel::GetSizeText() const { return m_Size->GetLabel(); }

void CPicturePreviewPanel::PaintPreview() {
  wxAutoBufferedPaintDC dc(m_Area);
  dc.SetBackground(wxBrush(wxColour(192, 192, 192)));
  dc.Clear();
  std::error_code error;
  if (!m_Previewable || !m_Enabled->GetValue() || !std::filesystem::exists(m_Path, error)) return;
  CPicture picture;
  if (!picture.Load(m_Path)) return;
  m_Size->SetLabel(wxString::Format("%d X %d", picture.GetWidth(), picture.GetHeight()));
  const wxSize area = m_Area->GetClientSize();
  const wxSize fitted = FitPreview(picture.GetWidth(), picture.GetHeight(), std::min(area.x, area.y));
  picture.Render(dc, 0, 0, fitted.x, fitted.y);
}

bool PictureFileDialog(bool open, std::string& path, wxWindow* parent) {
  wxFileDialog dialog(parent, open ? "Open" : "Save as", "", "", kFilter,
                      open ? wxFD_OPEN | wxFD_FILE_MUST_EXIST : wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  g_OpeningDialog = &dialog;
  dialog.SetExtraControlCreator([](wxWindow* panelParent) -> wxWindow* {
    return new CPicturePreviewPanel(panelParent, g_OpeningDialog);
  });
  const bool chosen = dialog.ShowModal() == wxID_OK;
  g_OpeningDialog = nullptr;
  if (!chosen) return false;
  path = dialog.GetPath().utf8_string();
  if (!open && !std::filesystem::path(path).has_extension()) path += ".BMP";
  return true;
}
