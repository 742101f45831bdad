#pragma once
// The plain right-hand pane beside the device list: it draws nothing of its own.
#include <wx/window.h>

class CPellionView : public wxWindow {
 public:
  CPellionView(wxWindow* parent, wxWindowID id = wxID_ANY);
};
