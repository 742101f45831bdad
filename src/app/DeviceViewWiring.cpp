#include "app/DeviceViewWiring.h"

#include "app/MainFrm.h"
#include "config/ui/FirmwareSwitchView.h"
#include "config/ui/FirmwareUpgradeRunner.h"
#include "config/ui/SwitchCfgSheet.h"
#include "devmodel/HeaderBarModel.h"
#include "devmodel/ui/ListViewHead.h"
#include "devmodel/ui/MapCommands.h"
#include "devmodel/ui/TopologyListView.h"
#include "devmodel/ui/TopologyTreeView.h"
#include "groupmodel/ui/GroupView.h"
#include "mainmodel/ViewTable.h"
#include "map/MapViewFactory.h"
#include "map/TopologyVisualView.h"
#include "mapmodel/PellionDoc.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"

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
  services.startApSetJob = [frame](const CApSetTask& task, const std::string& caption) {
    frame->StartApSetJob(task, caption);
  };
  services.groupsChanged = [frame] {
    if (auto* groups = ShownView<CGroupView>(frame, view::kGroups))
      platform::PostMessage(groups->GetWindowId(), msg::WM_GROUP_RELOAD);
  };
  services.showSwitchConfiguration = [](wxWindow* owner, const std::string& mac, int page) {
    return ShowSwitchConfiguration(owner, mac, &GetPellionDoc().GetTopologyData(), page);
  };
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
    services.selectedSwitches = [frame](std::vector<std::string>& ips) {
      auto* switches = ShownView<CFirmwareSwitchView>(frame, view::kFirmwareSwitches);
      if (!switches) platform::MessageBox("Please select AP or switch !");
      return switches && switches->GetSelectedSwitches(ips);
    };
    services.startFirmwareUpgrade = [frame](int kind, const std::string& file, const std::vector<std::string>& ips) {
      frame->FirmwareUpgrade().StartFirmwareUpgrade(kind, ips, file);
    };
    services.saveTopologyPositions = [] { GetPellionDoc().SaveTopologyPositions(); };
    // "AP Connection": the users plot of that AP, as the AP Users command shows it.
    services.plotApUsers = [frame](const std::string& mac) {
      frame->Plot().plotApMac = mac;
      frame->SetPlotMode(kPlotUsers);
      frame->SwitchView(view::kUtilizationPlot);
    };
    services.zoomIn = [frame] {
      if (auto* map = ShownView<CTopologyVisualView>(frame, view::kTopologyMap)) map->ZoomIn();
    };
    services.zoomOut = [frame] {
      if (auto* map = ShownView<CTopologyVisualView>(frame, view::kTopologyMap)) map->ZoomOut();
    };
  }
  return new CListViewHead(parent, services);
}
