#pragma once
// Selects a position of a drop-down list from a value a device or the database gave: a position the list
// does not have selects nothing instead of tripping the toolkit.
#include <wx/choice.h>

inline void SelectChoice(wxChoice* choice, int index) {
  choice->SetSelection(index >= 0 && index < static_cast<int>(choice->GetCount()) ? index : wxNOT_FOUND);
}
