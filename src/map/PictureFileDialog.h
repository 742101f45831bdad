#pragma once
// The open and save dialog for picture files, with a preview beside the file list: the selected picture
// fitted into a square, its size in pixels, and a "Preview" box that turns the preview off.
#include <wx/panel.h>

#include <string>

class wxCheckBox;
class wxFileDialog;
class wxStaticText;

// Shows the open dialog (open true) or the save dialog; on OK the chosen path goes into path and the
// result is true, on Cancel path is left alone.
bool PictureFileDialog(bool open, std::string& path, wxWindow* parent = nullptr);

// True for a path of at least 7 characters that is no folder and ends in a previewable extension (the
// last three characters, in any case).
bool IsPreviewablePath(const std::string& path);
// The size at which a picture of width x height is drawn into a square of the side: fitted, proportions kept.
wxSize FitPreview(int width, int height, int side);

class CPicturePreviewPanel : public wxPanel {
 public:
  // dialog: the file dialog whose selection is followed, or none (then the path is set from outside).
  CPicturePreviewPanel(wxWindow* parent, wxFileDialog* dialog);

  // The selected path changed: a path too short to tell leaves the preview as it was.
  void SetPath(const std::string& path);
  void EnablePreview(bool enabled);
  wxWindow* GetPreviewArea() const { return m_Area; }
  wxString GetSizeText() const;

 private:
  void PaintPreview();

  wxFileDialog* m_Dialog;
  wxWindow* m_Area;
  wxCheckBox* m_Enabled;
  wxStaticText* m_Size;
  std::string m_Path;
  bool m_Previewable = false;
};
