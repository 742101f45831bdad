// The topology map in the main window: switching the lower pane to the map shows the stored network,
// loaded from the program's database by the first map view.
#include <gtest/gtest.h>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "db/db_maintain.h"
#include "map/TopologyVisualView.h"
#include "mainmodel/ViewTable.h"
#include "mapmodel/ConnectorShape.h"
#include "mapmodel/DeviceShape.h"
#include "mapmodel/PellionDoc.h"

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
