// The topology map in the main window: switching the lower pane to the map shows the stored network as
// the program's database holds it, also after it changed while another view was shown.
#include <gtest/gtest.h>

#include "AppTestEnvironment.h"
#include "uibase/CommandIds.h"
#include "app/MainFrm.h"
#include "db/db_maintain.h"
#include "groupmodelui/GroupWindowScript.h"
#include "map/MapViewFactory.h"
#include "map/TopologyVisualView.h"
#include "mainmodel/ViewTable.h"
#include "mapmodel/ConnectorShape.h"
#include "mapmodel/DeviceShape.h"
#include "mapmodel/PellionDoc.h"
#include "platform/MessageIds.h"

using app_test::RunningApp;
using app_test::TestRoot;

TEST(MapViewInFrameTest, TheMapPaneShowsTheStoredNetwork) {
  RunningApp app(TestRoot() / "map");
  ASSERT_TRUE(app.Started());
  CDB_Maintain& database = *GetDBMaintain();
  ASSERT_TRUE(database.ExecuteCommand(
      "insert into device_list (name, ip, mac, type, port_num, online, status, isnew) values"
      " ('lab-switch', '127.0.0.10', '02:44:71:00:00:01', 1, 24, 1, 0, 1),"
      " ('AP_1', '127.0.0.11', '02:44:71:00:01:01', 2, 2, 1, 0, 1)"));
  ASSERT_TRUE(database.ExecuteCommand("insert into device_map_polling (src_mac, dest_mac, src_port, dest_port)"
                                      " values ('02:44:71:00:00:01', '02:44:71:00:01:01', '1', '1')"));

  CMainFrame* frame = app.Frame();
  frame->SwitchView(view::kTopologyMap);
  auto* map = dynamic_cast<CTopologyVisualView*>(frame->CurrentViewWindow());
  ASSERT_TRUE(map) << "the map view fills the pane";
  int devices = 0, links = 0;
  for (CShape* shape : map->GetPellionDoc().GetShapes()) {
    links += dynamic_cast<CConnectorShape*>(shape) != nullptr;
    devices += dynamic_cast<CDeviceShape*>(shape) != nullptr;
  }
  EXPECT_EQ(devices, 2);
  EXPECT_EQ(links, 1);
  frame->SwitchView(view::kDeviceList);
  app.Exit();
}

namespace {

struct ShapeCounts {
  int devices = 0;
  int links = 0;
};

ShapeCounts CountShapes() {
  ShapeCounts counts;
  for (CShape* shape : GetPellionDoc().GetShapes()) {
    counts.links += dynamic_cast<CConnectorShape*>(shape) != nullptr;
    counts.devices += dynamic_cast<CDeviceShape*>(shape) != nullptr;
  }
  return counts;
}

void AddSwitchWithAp(const std::string& switchMac, const std::string& apMac, int last) {
  const std::string ip = "127.0.0." + std::to_string(last);
  ASSERT_TRUE(GetDBMaintain()->ExecuteCommand(
      "insert into device_list (name, ip, mac, type, port_num, online, status, isnew) values"
      " ('sw', ?, ?, 1, 24, 1, 0, 1), ('ap', ?, ?, 2, 2, 1, 0, 1)",
      {ip, switchMac, "127.0.0." + std::to_string(last + 1), apMac}));
  ASSERT_TRUE(GetDBMaintain()->ExecuteCommand(
      "insert into device_map_polling (src_mac, dest_mac, src_port, dest_port) values (?, ?, '1', '1')",
      {switchMac, apMac}));
}

// Pixels of the map's client area that are not its background colour: the devices and links drawn.
int DrawnPixels(wxWindow* map) {
  const wxImage shot = testing_support::CaptureWindow(map);
  const wxRect client(map->ClientToScreen(wxPoint(0, 0)) - map->GetScreenPosition(), map->GetClientSize());
  return client.width * client.height - testing_support::CountPixels(shot, wxColour(224, 224, 224), 2, client);
}

void Command(CMainFrame* frame, int command) {
  wxCommandEvent event(wxEVT_MENU, cmd::WxId(command));
  frame->ProcessWindowEvent(event);
}

}  // namespace

// While another view is shown the map document follows the database: cleared devices are gone from the
// map shown again, and devices found meanwhile are on it.
TEST(MapViewInFrameTest, TheMapShownAgainHoldsWhatTheDatabaseHoldsNow) {
  app_test::WithoutPolling quiet;  // no polling thread writing into the tables
  RunningApp app(TestRoot() / "map-again");
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  AddSwitchWithAp("02:44:71:00:00:01", "02:44:71:00:01:01", 10);
  frame->SwitchView(view::kTopologyMap);
  auto* map = dynamic_cast<CTopologyVisualView*>(frame->CurrentViewWindow());
  ASSERT_TRUE(map);
  EXPECT_EQ(CountShapes().devices, 2);
  CDeviceShape* ap = GetPellionDoc().FindShapeByMac("02:44:71:00:01:01");
  ASSERT_NE(ap, nullptr);
  const wxRect apArea = map->DocToClientRect(ap->GetRect());
  const wxPoint apCentre = map->ClientToScreen(apArea.GetPosition() + apArea.GetSize() / 2);
  const int drawnBefore = DrawnPixels(map);
  EXPECT_GT(drawnBefore, 100) << "the devices are drawn";

  // Found while the list is shown: a full refresh (the end of a scan) brings the document up to date.
  frame->SwitchView(view::kDeviceList);
  AddSwitchWithAp("02:44:71:00:00:02", "02:44:71:00:01:02", 20);
  platform::SendMessage(frame->GetWindowId(), msg::WM_NMS_SCAN_DONE);
  EXPECT_EQ(CountShapes().devices, 4) << "the hidden map's document was reloaded";
  EXPECT_EQ(CountShapes().links, 2);

  // Found and only reported as new (no full refresh): the map reloads when it is shown.
  AddSwitchWithAp("02:44:71:00:00:03", "02:44:71:00:01:03", 30);
  platform::SendMessage(frame->GetWindowId(), msg::WM_NMS_POLLING_DONE);
  frame->SwitchView(view::kTopologyMap);
  map = dynamic_cast<CTopologyVisualView*>(frame->CurrentViewWindow());
  ASSERT_TRUE(map);
  EXPECT_EQ(CountShapes().devices, 6);

  // Clear All from the list, then back to the map: nothing is drawn and nothing answers a click.
  frame->SwitchView(view::kDeviceList);
  {
    app_test::ModalDialogRecorder boxes(wxID_OK);
    Command(frame, cmd::ID_CLEAR_DATABASE);
  }
  EXPECT_EQ(CountShapes().devices, 0) << "cleared while the list was shown";
  EXPECT_EQ(CountShapes().links, 0);
  frame->SwitchView(view::kTopologyMap);
  map = dynamic_cast<CTopologyVisualView*>(frame->CurrentViewWindow());
  ASSERT_TRUE(map);
  EXPECT_EQ(DrawnPixels(map), 0) << "an empty map";
  testing_support::SaveCapture(testing_support::CaptureWindow(map), "map_after_clear_all");
  group_ui_test::ClickAt(apCentre);
  EXPECT_TRUE(map->GetSelection().IsEmpty()) << "a click where the AP was selects nothing";
  frame->SwitchView(view::kDeviceList);
  app.Exit();
}
