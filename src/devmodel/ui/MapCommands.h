#pragma once
// The map view's context menus and commands: a menu by what lies under the pointer (switch, AP, other
// device, empty map), the device commands over the view's selection through CDeviceCommands (a double
// click on a device opens its configuration), the background picture, colour and grid, and the zoom
// presets. Attached to a map view, whose events it
// handles; it lives as long as the view.
#include <wx/event.h>

#include "devmodel/DeviceCommands.h"
#include "devmodel/ui/DeviceViewServices.h"

class CTopologyVisualView;
class wxMenu;

class CMapCommands : public wxEvtHandler {
 public:
  static constexpr int kSwitchMenu = 139;
  static constexpr int kApMenu = 154;
  static constexpr int kOtherMenu = 340;
  static constexpr int kEmptyMenu = 135;

  // Binds to the view; services.document must be the view's document.
  static void Attach(CTopologyVisualView& view, DeviceViewServices services);

  CMapCommands(CTopologyVisualView& view, DeviceViewServices services);
  static wxMenu* MakeMenu(int menu);
  // The menu for a click at a client point; 0 for none (a link). Selects an unselected device first.
  int MenuForPoint(const wxPoint& client);
  void Run(int command);

 private:
  void OnContextMenu(wxContextMenuEvent& event);
  void OnDoubleClick(wxMouseEvent& event);
  // What a double click at a client point opens: a switch its configuration, an AP its configuration or,
  // when its configuration changed, its previous one; anything else nothing.
  void OpenAt(const wxPoint& client);
  void OnMenu(wxCommandEvent& event);
  void OnUpdate(wxUpdateUIEvent& event);
  std::vector<SelectedDevice> Selection() const;
  void LoadBackground();
  void ModifyBackground();
  void ChooseBackgroundColour();
  void ZoomTo();

  CTopologyVisualView& view_;
  DeviceViewServices services_;
  CDeviceViewsHost host_;
  CDeviceCommands commands_;
};
