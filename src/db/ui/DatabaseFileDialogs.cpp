#include "db/ui/DatabaseFileDialogs.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

db::PathChooser BackupFolderChooser(wxWindow* parent) {
  return [parent]() -> std::optional<std::string> {
    wxDirDialog dialog(parent, wxDirSelectorPromptStr, wxEmptyString, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return std::nullopt;
    return std::string(dialog.GetPath().ToUTF8());
  };
}

db::PathChooser RestoreFileChooser(wxWindow* parent) {
  return [parent]() -> std::optional<std::string> {
    wxFileDialog dialog(parent, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString,
                        "Access dababase file|*.mdb|All files|*.*", wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return std::string(dialog.GetPath().ToUTF8());
  };
}
