// The simulated reference network discovered by the engine, then shown in the AP list, the device tree
// and the map; on the map an AP's context menu deletes it and the switch's menu offers its own entries.
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/uiaction.h>
#include <wx/sizer.h>

#include <filesystem>

#include "DeviceViewsScript.h"
#include "controls/ReportCtrl.h"
#include "db/DiscoveryDb.h"
#include "db/PoolFixture.h"
#include "device/DeviceNameIndex.h"
#include "settings/GlobalSettings.h"
#include "support/SnmpDefaults.h"
#include "devmodel/ui/MapCommands.h"
#include "devmodel/ui/TopologyListView.h"
#include "devmodel/ui/TopologyTreeCtrl.h"
#include "devmodel/ui/TopologyTreeView.h"
#include "engine/NetworkEngine.h"
#include "map/TopologyVisualView.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/PellionDoc.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"

namespace {

namespace net = testing_support::reference_network;
using namespace device_ui_test;
using testing_support::CaptureWindow;
using testing_support::PumpPending;
using testing_support::PumpUntil;

const std::filesystem::path kStartFolder = std::filesystem::current_path();
void Keep(wxWindow* window, const std::string& name) {
  std::filesystem::create_directories(kStartFolder / "screenshots");
  CaptureWindow(window).SaveFile(wxString::FromUTF8((kStartFolder / "screenshots" / (name + ".png")).string()),
                                 wxBITMAP_TYPE_PNG);
}

class DiscoveredNetworkTest : public PoolFixture {
 protected:
  void SetUp() override {
    SetSnmpDefaults("public", "private", 100);
    g_RuntimeSettings.nPollingThreads = 5;
    g_DeviceNameIndex.Clear();
    using testing_support::DevSimReference;
    ASSERT_EQ(CDiscoveryDb().setManagementSegment({{DevSimReference::kSwitch, DevSimReference::kSwitch}}), 0);
    testing_support::MessageRecorder recorder;
    CNetworkEngine engine;
    engine.SetNotifyWnd(recorder.Id());
    engine.EnableScanIP(true);
    ASSERT_EQ(engine.PollOnce(), 1);
  }
  void TearDown() override {
    if (frame_) frame_->Destroy();
    PumpPending();
    platform::RunShutdown();
  }
  void Show(wxWindow* view) {
    frame_->SetSizer(new wxBoxSizer(wxVERTICAL));
    frame_->GetSizer()->Add(view, 1, wxEXPAND);
    frame_->Show();
    ASSERT_TRUE(PumpUntil([&] { return view->IsShownOnScreen(); }));
    frame_->Layout();
    for (int i = 0; i < 10; ++i) PumpPending();
  }

  testing_support::DevSimProcess simulator_;
  CPellionDoc document_;  // outlives the map view, which the frame destroys in TearDown
  wxFrame* frame_ = new wxFrame(nullptr, wxID_ANY, "discovered", wxPoint(20, 20), wxSize(800, 500));
};

TEST_F(DiscoveredNetworkTest, TheListAndTheTreeShowTheFoundDevices) {
  auto* list = new CTopologyListView(frame_, {});
  Show(list);
  EXPECT_EQ(list->List()->GetItemCount(), 3) << "the three APs";
  for (int row = 0; row < list->List()->GetItemCount(); ++row) EXPECT_EQ(list->List()->GetItemText(row, 0), "New");
  Keep(frame_, "discovered_ap_list");
  list->Destroy();

  auto* tree = new CTopologyTreeView(frame_, {});
  frame_->GetSizer()->Clear();
  frame_->GetSizer()->Add(tree, 1, wxEXPAND);
  frame_->Layout();
  ASSERT_TRUE(PumpUntil([&] { return tree->IsShownOnScreen(); }));
  const auto& top = tree->Tree()->GetTopNodes();
  ASSERT_EQ(top.size(), 1u);
  EXPECT_NE(top.front()->GetName().find("(02:44:71:00:00:01) : 127.0.0.10"), std::string::npos);
  EXPECT_EQ(top.front()->GetChildCount(), 4);
  Keep(frame_, "discovered_device_tree");
}

TEST_F(DiscoveredNetworkTest, TheMapsApMenuDeletesTheAp) {
  CPellionDoc& document = document_;
  auto* view = new CTopologyVisualView(frame_, document);
  CMapCommands::Attach(*view, {});
  Show(view);
  view->OnMapRefresh();
  for (int i = 0; i < 10; ++i) PumpPending();
  CDeviceShape* ap = document.FindShapeByMac(net::kAp2);
  ASSERT_NE(ap, nullptr);
  const wxRect area = view->DocToClientRect(ap->GetRect());
  const wxPoint centre = view->ClientToScreen(area.GetPosition() + area.GetSize() / 2);
  Keep(frame_, "discovered_map");

  boxes_.ScriptAnswers({platform::IDOK});
  MenuChoice choice(4);  // "Delete From Database"
  RightClickAt(centre);
  ASSERT_TRUE(PumpUntil([&] { return document.FindShapeByMac(net::kAp2) == nullptr; })) << "menu used: " << choice.Fired();
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Delete from database?"}));
  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list WHERE mac=?", {net::kAp2}), "0");
  EXPECT_NE(document.FindShapeByMac(net::kAp1), nullptr);
  Keep(frame_, "discovered_map_after_delete");
}

// Sheets opened by a double click: their titles are noted and each is cancelled before it shows.
class SheetTitles : public wxModalDialogHook {
 public:
  SheetTitles() { Register(); }
  ~SheetTitles() override { Unregister(); }
  std::vector<std::string> titles;

 protected:
  int Enter(wxDialog* dialog) override {
    titles.push_back(dialog->GetTitle().utf8_string());
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};

void DoubleClickAt(const wxPoint& screen) {
  wxUIActionSimulator simulator;
  simulator.MouseMove(screen);
  PumpPending();
  simulator.MouseDblClick();
  for (int i = 0; i < 5; ++i) PumpPending();
}

TEST_F(DiscoveredNetworkTest, ADoubleClickOnADeviceOpensItsConfiguration) {
  CPellionDoc& document = document_;
  auto* view = new CTopologyVisualView(frame_, document);
  std::vector<std::string> switchSheets;
  DeviceViewServices services;
  services.showSwitchConfiguration = [&](wxWindow*, const std::string& mac, int) {
    switchSheets.push_back(mac);
    return 0;
  };
  CMapCommands::Attach(*view, services);
  Show(view);
  view->OnMapRefresh();
  for (int i = 0; i < 10; ++i) PumpPending();
  const auto centreOf = [&](const std::string& mac) {
    CDeviceShape* shape = document.FindShapeByMac(mac);
    EXPECT_NE(shape, nullptr) << mac;
    const wxRect area = shape ? view->DocToClientRect(shape->GetRect()) : wxRect();
    return view->ClientToScreen(area.GetPosition() + area.GetSize() / 2);
  };
  Keep(frame_, "map_before_double_clicks");
  SheetTitles sheets;

  std::string ap2Ip;
  ASSERT_TRUE(document.GetDeviceIpByMac(net::kAp2, ap2Ip));
  DoubleClickAt(centreOf(net::kAp2));
  ASSERT_TRUE(PumpUntil([&] { return !sheets.titles.empty(); })) << "an AP opens its configuration sheet";
  EXPECT_EQ(sheets.titles, std::vector<std::string>{"AP '" + ap2Ip + "' configuration"});

  // An AP whose configuration changed opens its previous one instead.
  std::string ap1Ip;
  ASSERT_TRUE(document.GetDeviceIpByMac(net::kAp1, ap1Ip));
  ASSERT_TRUE(database_.Exec("INSERT INTO device_list_prev (ip, mac, name, type, status, online) "
                             "VALUES (?, ?, 'AP_1', 2, 6, 1)", {ap1Ip, net::kAp1}));
  DoubleClickAt(centreOf(net::kAp1));
  ASSERT_TRUE(PumpUntil([&] { return sheets.titles.size() == 2; }));
  EXPECT_EQ(sheets.titles[1], "Reload Ap '" + ap1Ip + "' configuration");

  DoubleClickAt(centreOf(net::kSwitch));
  ASSERT_TRUE(PumpUntil([&] { return !switchSheets.empty(); })) << "a switch opens the switch sheet";
  EXPECT_EQ(switchSheets, std::vector<std::string>{net::kSwitch});

  // Empty map: nothing opens.
  DoubleClickAt(view->ClientToScreen(wxPoint(5, 5)));
  for (int i = 0; i < 10; ++i) PumpPending();
  EXPECT_EQ(sheets.titles.size(), 2u);
  EXPECT_EQ(switchSheets.size(), 1u);
  EXPECT_TRUE(boxes_.Texts().empty());
}

}  // namespace
