#include "devmodel/ui/MapCommands.h"

#include <wx/colordlg.h>
#include <wx/menu.h>

#include "controls/ReportListView.h"
#include "controls/ZoomToDialog.h"
#include "db/TopologyDBManager.h"
#include "devmodel/DeviceCommandIds.h"
#include "map/PictureFileDialog.h"
#include "map/PictureModifyDlg.h"
#include "map/TopologyVisualView.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/PellionDoc.h"
#include "mapmodel/PresentationTheme.h"
#include "mapmodel/SwitchShape.h"
#include "mapmodel/UnknownShape.h"

namespace {

constexpr int kSwitchKind = 1;
constexpr int kApKind = 2;
constexpr int kChangedStatus = 3;  // the AP's configuration differs from the stored one

}  // namespace

void CMapCommands::Attach(CTopologyVisualView& view, DeviceViewServices services) {
  // The view owns its handlers' lifetime through the pushed handler chain.
  view.PushEventHandler(new CMapCommands(view, std::move(services)));
  view.Bind(wxEVT_DESTROY, [&view](wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == &view) delete view.PopEventHandler();
    event.Skip();
  });
}

CMapCommands::CMapCommands(CTopologyVisualView& view, DeviceViewServices services)
    : view_(view), services_(std::move(services)), host_(&view, services_), commands_(host_) {
  services_.document = &view.GetPellionDoc();
  Bind(wxEVT_CONTEXT_MENU, &CMapCommands::OnContextMenu, this);
  Bind(wxEVT_LEFT_DCLICK, &CMapCommands::OnDoubleClick, this);
  Bind(wxEVT_MENU, &CMapCommands::OnMenu, this);
  for (int id : {devcmd::kMapModifyBackground, devcmd::kMapRemoveBackground, devcmd::kMapGrid})
    Bind(wxEVT_UPDATE_UI, &CMapCommands::OnUpdate, this, devcmd::MenuItemId(id));
}

wxMenu* CMapCommands::MakeMenu(int menu) {
  using namespace devcmd;
  auto* popup = new wxMenu;
  switch (menu) {
    case kSwitchMenu:
      popup->Append(devcmd::MenuItemId(kMapSwitchConfiguration), "Configuration");
      popup->Append(devcmd::MenuItemId(kMapLinkToWeb), "Link To Web Configuration");
      popup->Append(devcmd::MenuItemId(kMapSwitchSaveToDatabase), "Save To Database");
      popup->Append(devcmd::MenuItemId(kMapSwitchDeleteFromDatabase), "Delete From Database");
      break;
    case kApMenu:
      popup->Append(devcmd::MenuItemId(kMapApConfiguration), "Configuration");
      popup->Append(devcmd::MenuItemId(kMapApReloadPrevious), "Reload Previous Configuration");
      popup->Append(devcmd::MenuItemId(kMapApSaveToDatabase), "Save To Database");
      popup->Append(devcmd::MenuItemId(kMapApDeleteFromDatabase), "Delete From Database");
      break;
    case kOtherMenu: popup->Append(devcmd::MenuItemId(kDeleteOtherDevice), "Delete"); break;
    default:
      popup->Append(devcmd::MenuItemId(kMapLoadBackground), "Load Background Map");
      popup->Append(devcmd::MenuItemId(kMapModifyBackground), "Modify Background Map");
      popup->Append(devcmd::MenuItemId(kMapRemoveBackground), "Remove Background Map");
      break;
  }
  return popup;
}

int CMapCommands::MenuForPoint(const wxPoint& client) {
  CShape* shape = view_.GetPellionDoc().ShapeAt(view_.ClientToDocPoint(client));
  if (!shape) return kEmptyMenu;
  auto* device = dynamic_cast<CDeviceShape*>(shape);
  if (!device) return 0;
  if (!view_.IsSelected(device)) view_.Select(device, false);
  if (dynamic_cast<CSwitchShape*>(device)) return kSwitchMenu;
  if (dynamic_cast<CApShape*>(device)) return kApMenu;
  return kOtherMenu;
}

void CMapCommands::OnContextMenu(wxContextMenuEvent& event) {
  const wxPoint client = view_.ScreenToClient(event.GetPosition());
  const int menu = MenuForPoint(client);
  if (menu == 0) return;
  std::unique_ptr<wxMenu> popup(MakeMenu(menu));
  view_.PopupMenu(popup.get(), client);
}

void CMapCommands::OnDoubleClick(wxMouseEvent& event) {
  event.Skip();  // the view's tool sees the double click first
  // The sheet runs its own loop: it opens once the click's handling is over.
  CallAfter([this, client = event.GetPosition()] { OpenAt(client); });
}

void CMapCommands::OpenAt(const wxPoint& client) {
  auto* device = dynamic_cast<CDeviceShape*>(view_.GetPellionDoc().ShapeAt(view_.ClientToDocPoint(client)));
  const bool isSwitch = dynamic_cast<CSwitchShape*>(device) != nullptr;
  if (!isSwitch && !dynamic_cast<CApShape*>(device)) return;
  view_.Select(device, false);  // the command works on the device clicked alone
  if (isSwitch)
    Run(devcmd::kMapSwitchConfiguration);
  else if (TopologyDBManager().GetDeviceStatus(device->GetMacAddress(), false) == kChangedStatus)
    Run(devcmd::kMapApReloadPrevious);
  else
    Run(devcmd::kMapApConfiguration);
}

std::vector<SelectedDevice> CMapCommands::Selection() const {
  std::vector<SelectedDevice> devices;
  for (CShape* shape : view_.GetSelection()) {
    auto* device = dynamic_cast<CDeviceShape*>(shape);
    if (!device) continue;
    SelectedDevice selected;
    selected.mac = device->GetMacAddress();
    view_.GetPellionDoc().GetDeviceIpByMac(selected.mac, selected.ip);
    selected.kind = dynamic_cast<CSwitchShape*>(device) ? kSwitchKind
                    : dynamic_cast<CApShape*>(device)   ? kApKind
                    : dynamic_cast<CUnknownShape*>(device) ? 0
                                                         : -1;
    devices.push_back(selected);
  }
  return devices;
}

void CMapCommands::OnMenu(wxCommandEvent& event) {
  switch (devcmd::CommandOfMenuItem(event.GetId())) {
    case devcmd::kMapApConfiguration:
    case devcmd::kMapApReloadPrevious:
    case devcmd::kMapSwitchConfiguration:
    case devcmd::kMapSwitchConfigPage:
    case devcmd::kMapLinkToWeb:
    case devcmd::kMapSwitchSaveToDatabase:
    case devcmd::kMapApSaveToDatabase:
    case devcmd::kMapSwitchDeleteFromDatabase:
    case devcmd::kMapApDeleteFromDatabase:
    case devcmd::kDeleteOtherDevice:
    case devcmd::kMapLoadBackground:
    case devcmd::kMapModifyBackground:
    case devcmd::kMapRemoveBackground:
    case devcmd::kMapBackgroundColor:
    case devcmd::kMapGrid:
    case devcmd::kMapZoomIn:
    case devcmd::kMapZoomOut:
    case devcmd::kMapZoom100:
    case devcmd::kMapZoom75:
    case devcmd::kMapZoom50:
    case devcmd::kMapZoom25:
    case devcmd::kMapZoom200:
    case devcmd::kMapZoomTo:
    case devcmd::kMapSwitchReloadPrevious:
    case devcmd::kMapIgnored: Run(devcmd::CommandOfMenuItem(event.GetId())); break;
    default: event.Skip();
  }
}

void CMapCommands::Run(int command) {
  using namespace devcmd;
  CPellionDoc& document = view_.GetPellionDoc();
  const std::vector<SelectedDevice> selection = Selection();
  switch (command) {
    case kMapApConfiguration: commands_.MapConfiguration(selection, [this] { view_.ClearSelection(); }); break;
    case kMapApReloadPrevious: commands_.MapReloadPrevious(selection); break;
    case kMapSwitchConfiguration: commands_.MapSwitchConfiguration(selection); break;
    case kMapSwitchConfigPage: commands_.MapSwitchConfigPage(selection); break;
    case kMapLinkToWeb: commands_.MapLinkToWeb(selection); break;
    case kMapSwitchSaveToDatabase: commands_.MapSaveSwitches(selection); break;
    case kMapApSaveToDatabase: commands_.MapSaveAps(selection); break;
    case kMapSwitchDeleteFromDatabase: commands_.MapDelete(selection, kSwitchKind); break;
    case kMapApDeleteFromDatabase: commands_.MapDelete(selection, kApKind); break;
    case kDeleteOtherDevice: commands_.MapDelete(selection, 0); break;
    case kMapLoadBackground: LoadBackground(); break;
    case kMapModifyBackground: ModifyBackground(); break;
    case kMapRemoveBackground:
      document.ClearBackgroundMap();
      document.SetPositionsChanged(1);
      view_.Redraw();
      break;
    case kMapBackgroundColor: ChooseBackgroundColour(); break;
    case kMapGrid: view_.ShowGrid(!view_.IsGridShown()); break;
    case kMapZoomIn: view_.ZoomIn(); break;
    case kMapZoomOut: view_.ZoomOut(); break;
    case kMapZoom100: view_.SetZoom(1.0); break;
    case kMapZoom75: view_.SetZoom(0.75); break;
    case kMapZoom50: view_.SetZoom(0.5); break;
    case kMapZoom25: view_.SetZoom(0.25); break;
    case kMapZoom200: view_.SetZoom(2.0); break;
    case kMapZoomTo: ZoomTo(); break;
    default: break;  // handled, nothing to do
  }
}

void CMapCommands::OnUpdate(wxUpdateUIEvent& event) {
  CDib* background = view_.GetPellionDoc().GetBackground();
  switch (devcmd::CommandOfMenuItem(event.GetId())) {
    case devcmd::kMapModifyBackground: event.Enable(background && !background->IsEmpty()); break;
    case devcmd::kMapRemoveBackground: event.Enable(background != nullptr); break;
    case devcmd::kMapGrid: event.Check(view_.IsGridShown()); break;
  }
}

void CMapCommands::LoadBackground() {
  std::string path;
  if (PictureFileDialog(true, path)) view_.GetPellionDoc().LoadBackgroundMap(path, 0, 0, 0);
}

void CMapCommands::ModifyBackground() {
  CPellionDoc& document = view_.GetPellionDoc();
  if (!document.GetBackground()) return;
  CLocationRecord* location = document.GetCurrentLocation();
  CPictureModifyDlg dialog(nullptr);
  dialog.SetPicture(document.GetBackground());
  dialog.SetAngle(location ? location->rotateangle : 0);
  if (dialog.ShowModal() == wxID_OK) {
    if (location) {
      location->width = dialog.GetPictureWidth();
      location->height = dialog.GetPictureHeight();
      location->rotateangle = dialog.GetAngle();
    }
  } else if (dialog.IsModified()) {
    document.LoadBackgroundMap("", 0, 0, 0);  // the stored picture again
  }
  document.SetPositionsChanged(1);
  view_.Redraw();
}

void CMapCommands::ChooseBackgroundColour() {
  CPresentationTheme& theme = view_.GetPellionDoc().GetTheme();
  wxColourData data;
  data.SetChooseFull(true);
  data.SetColour(ToWxColour(theme.GetBackgroundColor()));
  wxColourDialog dialog(nullptr, &data);
  if (dialog.ShowModal() != wxID_OK) return;
  theme.SetBackgroundColor(ToColorRef(dialog.GetColourData().GetColour()));
  view_.Redraw();
}

void CMapCommands::ZoomTo() {
  CZoomToDialog dialog(nullptr);
  if (dialog.ShowModal() == wxID_OK) view_.SetZoom(dialog.m_nPercent / 100.0);
}
