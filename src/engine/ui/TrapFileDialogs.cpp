#include "engine/ui/TrapFileDialogs.h"

#include <wx/filedlg.h>

#include "log/ui/LogFileDialogs.h"

namespace {
constexpr const char* kFilter = "events file (*.evt)|*.evt";
}

CTrapEvents::PathChooser SaveTrapEventsChooser(wxWindow* parent) {
  return [parent] { return ChooseFile(parent, kFilter, wxFD_SAVE | wxFD_OVERWRITE_PROMPT, "events"); };
}

CTrapEvents::PathChooser OpenTrapEventsChooser(wxWindow* parent) {
  return [parent] { return ChooseFile(parent, kFilter, wxFD_OPEN | wxFD_FILE_MUST_EXIST, "events"); };
}
