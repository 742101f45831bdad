#include "app/DeviceViewWiring.h"

#include "app/MainFrm.h"
#include "devmodel/HeaderBarModel.h"
#include "devmodel/ui/ListViewHead.h"
#include "devmodel/ui/MapCommands.h"
#include "devmodel/ui/TopologyListView.h"
#include "devmodel/ui/TopologyTreeView.h"
#include "mainmodel/ViewTable.h"
#include "map/MapViewFactory.h"
#include "map/TopologyVisualView.h"
#include "mapmodel/PellionDoc.h"

namespace {

CMainFrame* FrameOf(wxWindow* window) { return dynamic_cast<CMainFrame*>(wxGetTopLevelParent(window)); }

template <typename View>
View* ShownView(CMainFrame* frame, int number) {
  return frame && frame->CurrentView() == number ? dynamic_cast<View*>(frame->CurrentViewWindow()) : nullptr;
}

DeviceViewServices ServicesOf(wxWindow* parent) {
  DeviceViewServices services;
  services.document = &GetPellionDoc();
  CMainFrame* frame = FrameOf(parent);
  if (!frame) return services;
  services.updateEventCounters = [frame] { frame->UpdateEventCounters(); };
  services.refreshAllViews = [frame](bool reload) { frame->RefreshAllViews(reload); };
  services.readHeaderFilter = [frame](HeaderFilter& filter) {
    auto* header = dynamic_cast<CListViewHead*>(frame->HeaderBar());
    return header && header->GetFilter(filter.column, filter.text, filter.managedOnly);
  };
  return services;
}

}  // namespace

wxWindow* CreateFrameDeviceListView(wxWindow* parent) { return new CTopologyListView(parent, ServicesOf(parent)); }

wxWindow* CreateFrameFirmwareApView(wxWindow* parent) {
  return new CTopologyListView(parent, ServicesOf(parent), true);
}

wxWindow* CreateFrameDeviceTreeView(wxWindow* parent) { return new CTopologyTreeView(parent, ServicesOf(parent)); }

wxWindow* CreateFrameMapView(wxWindow* parent) {
  auto* view = static_cast<CTopologyVisualView*>(CreateTopologyMapView(parent));
  // The list and tree views share the document from the frame's start, so the factory does not see the
  // map's first view as the document's first use: the frame's first map view loads the map itself.
  static bool loaded = false;
  if (!loaded) view->OnMapRefresh();
  loaded = true;
  CMapCommands::Attach(*view, ServicesOf(parent));
  return view;
}

wxWindow* CreateFrameHeaderBar(wxWindow* parent) {
  CMainFrame* frame = FrameOf(parent);
  HeaderBarServices services;
  if (frame) {
    services.switchView = [frame](int number) { frame->SwitchView(number); };
    services.listView = [frame] { return ShownView<CTopologyListView>(frame, view::kDeviceList); };
    services.treeView = [frame] { return ShownView<wxWindow>(frame, view::kTopologyTree); };
    services.mapView = [frame] { return ShownView<wxWindow>(frame, view::kTopologyMap); };
    services.firmwareApView = [frame] { return ShownView<CTopologyListView>(frame, view::kFirmwareAps); };
    services.mapShapeKind = [frame] {
      auto* map = ShownView<CTopologyVisualView>(frame, view::kTopologyMap);
      const int kind = map ? map->GetSelectedShapeType() : kMapOtherShape;
      return kind == kMapSwitchShape || kind == kMapApShape ? kind : kMapOtherShape;
    };
    services.saveTopologyPositions = [] { GetPellionDoc().SaveTopologyPositions(); };
    services.zoomIn = [frame] {
      if (auto* map = ShownView<CTopologyVisualView>(frame, view::kTopologyMap)) map->ZoomIn();
    };
    services.zoomOut = [frame] {
      if (auto* map = ShownView<CTopologyVisualView>(frame, view::kTopologyMap)) map->ZoomOut();
    };
  }
  return new CListViewHead(parent, services);
}
