#pragma once
// Shows a chart's settings menu as a popup menu of a window and hands back the chosen command.
#include <wx/menu.h>
#include <wx/window.h>

#include <memory>

#include "chartcore/ChartMenu.h"

// The toolkit menu for a chart menu: same ids, captions, separators and popups; checked items carry a mark.
std::unique_ptr<wxMenu> CreateWxMenu(const CChartMenu& menu);

class CChartMenuPopup : public CChartMenuHost {
 public:
  explicit CChartMenuPopup(wxWindow& owner) : owner_(owner) {}
  // Runs the popup at the screen position until the user chooses or cancels (0).
  int TrackPopupMenu(const CChartMenu& menu, int screenX, int screenY) override;

 private:
  wxWindow& owner_;
};
