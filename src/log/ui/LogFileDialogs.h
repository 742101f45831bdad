#pragma once
// The file dialogs of the Log menu's "Open Log..." and "Save Log As..." commands, as choosers for
// CLogDBModule::OpenLogFile and CLogDBModule::SaveLogAs.
#include "log/LogDBModule.h"

class wxWindow;

// Runs a file dialog; a chosen name without extension gets the default one, unless a file of exactly that
// name exists (opening "notes" must open "notes", not a missing "notes.events"). Nothing when cancelled.
std::optional<std::string> ChooseFile(wxWindow* parent, const char* filter, long style, const char* defaultExtension);

CLogDBModule::PathChooser OpenLogFileChooser(wxWindow* parent);
CLogDBModule::PathChooser SaveLogFileChooser(wxWindow* parent);
