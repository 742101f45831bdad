#pragma once
// The file dialogs of the trap-event commands, as choosers for CTrapEvents.
#include "engine/TrapEvents.h"

class wxWindow;

CTrapEvents::PathChooser SaveTrapEventsChooser(wxWindow* parent);
CTrapEvents::PathChooser OpenTrapEventsChooser(wxWindow* parent);
