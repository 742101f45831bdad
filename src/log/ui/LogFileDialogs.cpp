#include "log/ui/LogFileDialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

std::optional<std::string> ChooseFile(wxWindow* parent, const char* filter, long style, const char* defaultExtension) {
  wxFileDialog dialog(parent, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, filter, style);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  wxFileName name(dialog.GetPath());
  if (!name.HasExt() && !name.FileExists()) name.SetExt(defaultExtension);
  return std::string(name.GetFullPath().ToUTF8());
}

CLogDBModule::PathChooser OpenLogFileChooser(wxWindow* parent) {
  return [parent] { return ChooseFile(parent, "log file (*.log)|*.log", wxFD_OPEN, "events"); };
}

CLogDBModule::PathChooser SaveLogFileChooser(wxWindow* parent) {
  return [parent] { return ChooseFile(parent, "events file (*.log)|*.log", wxFD_SAVE | wxFD_OVERWRITE_PROMPT, "log"); };
}
