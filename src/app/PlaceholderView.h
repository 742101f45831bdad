#pragma once
// The stand-in for a lower-pane view whose window is not part of this build: its name in the middle of an
// otherwise empty pane, so every navigation command leads somewhere and nothing crashes.
#include <wx/panel.h>

#include <string>

class CPlaceholderView : public wxPanel {
 public:
  CPlaceholderView(wxWindow* parent, const std::string& viewName);
  const std::string& ViewName() const { return viewName_; }

 private:
  std::string viewName_;
};
