#include "log/ui/LogFileDialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

namespace {

// Runs the dialog; a chosen name without extension gets the default one, unless a file of exactly that
// name exists (opening "notes" must open "notes", not a missing "notes.events").
std::optional<std::string> Choose(wxWindow* parent, const char* filter, long style, const char* defaultExtension) {
  wxFileDialog dialog(parent, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, filter, style);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  wxFileName name(dialog.GetPath());
  if (!name.HasExt() && !name.FileExists()) name.SetExt(defaultExtension);
  return std::string(name.GetFullPath().ToUTF8());
}

}  // namespace

CLogDBModule::PathChooser OpenLogFileChooser(wxWindow* parent) {
  return [parent] { return Choose(parent, "log file (*.log)|*.log", wxFD_OPEN, "events"); };
}

CLogDBModule::PathChooser SaveLogFileChooser(wxWindow* parent) {
  return [parent] { return Choose(parent, "events file (*.log)|*.log", wxFD_SAVE | wxFD_OVERWRITE_PROMPT, "log"); };
}
