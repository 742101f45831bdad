#pragma once
// The file dialogs of the Log menu's "Open Log..." and "Save Log As..." commands, as choosers for
// CLogDBModule::OpenLogFile and CLogDBModule::SaveLogAs.
#include "log/LogDBModule.h"

class wxWindow;

CLogDBModule::PathChooser OpenLogFileChooser(wxWindow* parent);
CLogDBModule::PathChooser SaveLogFileChooser(wxWindow* parent);
