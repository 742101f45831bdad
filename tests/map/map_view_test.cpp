// The topology map on a real display: the simulated reference network discovered and drawn where the
// layout puts it in the colours of its states, a device dragged with the mouse and its place found in the
// database once the view is gone, zoom, the dot grid, tips asked only for a new shape, a link caption
// edited in place, moves off the map refused, and a background picture loaded and turned.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <thread>

#include "db/DiscoveryDb.h"
#include "device/DeviceNameIndex.h"
#include "engine/NetworkEngine.h"
#include "image/Dib.h"
#include "map/MapTipWindow.h"
#include "map/MapViewFactory.h"
#include "map/Picture.h"
#include "map/TopologyVisualView.h"
#include "map/WxMapCanvas.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/ConnectorShape.h"
#include "mapmodel/PellionDoc.h"
#include "mapmodel/SwitchShape.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"

namespace net = testing_support::reference_network;
using testing_support::CountPixels;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

wxColour Colour(ColorRef color) { return MapColour(color); }

// The most frequent colour of a picture other than white (the pictures' transparent colour), and how
// many pixels have it.
std::pair<wxColour, int> MainColour(const wxImage& image) {
  std::map<unsigned long, int> counts;
  const unsigned char* p = image.GetData();
  for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i, p += 3)
    if (p[0] != 255 || p[1] != 255 || p[2] != 255) ++counts[(p[0] << 16) | (p[1] << 8) | p[2]];
  auto top = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; });
  if (top == counts.end()) return {wxColour(), 0};
  return {wxColour((top->first >> 16) & 0xFF, (top->first >> 8) & 0xFF, top->first & 0xFF), top->second};
}

class MapViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CPellionDoc::SetPictureConverter(ConvertPictureToBmp);
    frame_ = new wxFrame(nullptr, wxID_ANY, "map", wxPoint(20, 20), wxSize(900, 700));
    view_ = new CTopologyVisualView(frame_, document_);
    frame_->Show();
    PumpUntil([this] { return view_->IsShownOnScreen(); });
  }
  void TearDown() override {
    if (frame_) frame_->Destroy();
    PumpPending();
    CPellionDoc::SetPictureConverter({});
  }
  // The view goes as when the user closes the main window.
  void CloseView() {
    frame_->Destroy();
    frame_ = nullptr;
    PumpPending();
  }
  void SeedReferenceNetwork() {
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
    view_->OnMapRefresh();
  }
  CDeviceShape* Device(const std::string& mac) { return document_.FindShapeByMac(mac); }
  wxPoint ScreenCentre(const CShape& shape) {
    return view_->ClientToScreen(view_->DocToClientRect(shape.GetRect()).GetPosition() +
                                 view_->DocToClientRect(shape.GetRect()).GetSize() / 2);
  }

  testing_support::TempDatabase database_;
  testing_support::MessageBoxRecorder boxes_;
  CPellionDoc document_;
  wxFrame* frame_ = nullptr;
  CTopologyVisualView* view_ = nullptr;
};

TEST_F(MapViewTest, DiscoveredReferenceNetworkIsDrawnWhereTheLayoutPutsItInTheColoursOfItsStates) {
  testing_support::DevSimProcess simulator;
  testing_support::MessageRecorder recorder;
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    g_RuntimeSettings.strReadCommunity = "public";
    g_RuntimeSettings.strWriteCommunity = "private";
    g_RuntimeSettings.nSnmpTimeout = 100;
  }
  g_RuntimeSettings.nPollingThreads = 5;
  g_DeviceNameIndex.Clear();
  using testing_support::DevSimReference;
  ASSERT_EQ(CDiscoveryDb().setManagementSegment({{DevSimReference::kSwitch, DevSimReference::kSwitch}}), 0);
  {
    CNetworkEngine engine;
    engine.SetNotifyWnd(recorder.Id());
    engine.EnableScanIP(true);
    ASSERT_EQ(engine.PollOnce(), 1);
  }
  platform::RunShutdown();

  view_->RefreshView(true);
  const CShapeList& shapes = document_.GetShapes();
  ASSERT_EQ(shapes.GetCount(), 9u) << "five devices and four links";
  const wxImage screen = testing_support::CaptureWindow(view_);
  testing_support::SaveCapture(screen, "reference_network");

  for (const std::string& mac : {net::kSwitch, net::kAp1, net::kAp2, net::kAp3, net::kUnknown}) {
    CDeviceShape* device = Device(mac);
    ASSERT_TRUE(device) << mac;
    const wxRect area = view_->DocToClientRect(device->GetRect());
    EXPECT_TRUE(wxRect(screen.GetSize()).Contains(area)) << mac << " lies in the window";
    // The picture of the device's state, drawn in its colours: its main colour covers as much of the
    // screen there as it does of the picture.
    ASSERT_TRUE(device->GetPicture()) << mac;
    const auto [colour, count] = MainColour(DibToImage(*device->GetPicture()));
    EXPECT_GE(CountPixels(screen, colour, 8, area), count * 9 / 10) << mac << " state " << device->GetStatusCode();
  }
  int links = 0;
  for (CShape* shape : shapes) {
    auto* link = dynamic_cast<CConnectorShape*>(shape);
    if (!link) continue;
    ++links;
    // Half way between the ends, where no device lies.
    const MapPoint middle{(link->GetStartPoint().x + link->GetEndPoint().x) / 2,
                          (link->GetStartPoint().y + link->GetEndPoint().y) / 2};
    const wxPoint at = view_->DocToClientPoint(middle);
    EXPECT_GT(CountPixels(screen, Colour(link->GetPenColor()), 120, wxRect(at - wxPoint(4, 4), wxSize(9, 9))), 0)
        << "link to " << static_cast<CDeviceShape*>(link->GetEndShape())->GetMacAddress();
  }
  EXPECT_EQ(links, 4);
}

TEST_F(MapViewTest, DraggedDeviceIsStoredWhereItWasDroppedWhenTheViewCloses) {
  SeedReferenceNetwork();
  CDeviceShape* ap = Device(net::kAp2);
  ASSERT_TRUE(ap);
  const MapPoint before = ap->GetPosition();
  const wxPoint start = ScreenCentre(*ap);
  wxUIActionSimulator mouse;
  mouse.MouseMove(start);
  PumpPending();
  mouse.MouseDown();
  // The press must reach the view before the moves, or the drag starts where the first move landed.
  ASSERT_TRUE(PumpUntil([&] { return view_->IsSelected(ap); }));
  for (int step = 1; step <= 8; ++step) {
    mouse.MouseMove(start + wxPoint(15 * step, 10 * step));
    PumpPending();
  }
  // The drag follows the moves, and the release ends it where the last move left it: the last move must
  // arrive before the release does. The display server now and then drops the last of a quick run of
  // moves, so the pointer is moved onto the end again until the view has followed it there.
  const wxPoint end = start + wxPoint(120, 80);
  const auto arrived = [&] { return ap->GetPosition() == before + MapPoint{120, 80}; };
  for (int attempt = 0; attempt < 20 && !arrived(); ++attempt) {
    mouse.MouseMove(end - wxPoint(1, 1));
    mouse.MouseMove(end);
    for (int round = 0; round < 50 && !arrived(); ++round) {
      PumpPending();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  ASSERT_TRUE(arrived()) << "at " << ap->GetPosition().x << "," << ap->GetPosition().y;
  mouse.MouseUp();
  ASSERT_TRUE(PumpUntil([&] { return !view_->HasCapture(); }));
  EXPECT_EQ(ap->GetPosition(), (before + MapPoint{120, 80}));
  EXPECT_EQ(document_.IsPositionsChanged(), 1);

  CloseView();
  EXPECT_EQ(database_.Value("select x_pos_all || ',' || y_pos_all from device_list where mac=?", {net::kAp2}),
            std::to_string(before.x + 120) + "," + std::to_string(before.y + 80));
  EXPECT_EQ(document_.GetSelectedDeviceMac(), net::kAp2) << "the dragged device stays the current one";
}

TEST_F(MapViewTest, ZoomStepsByATenthAndStopsAtATenth) {
  struct Step {
    bool in;
    double expected;
  };
  view_->SetZoom(0.25);
  for (const Step& step : {Step{false, 0.15}, Step{false, 0.1}, Step{false, 0.1}, Step{true, 0.2}, Step{true, 0.3}}) {
    step.in ? view_->ZoomIn() : view_->ZoomOut();
    EXPECT_NEAR(view_->GetZoom(), step.expected, 1e-9);
  }
  view_->SetZoom(0.5);
  EXPECT_EQ(view_->GetVirtualSize(), wxSize(1500, 1500));
  view_->Scroll(0, 0);
  EXPECT_EQ(view_->ClientToDocPoint(wxPoint(100, 100)), (MapPoint{200, 200}));
  view_->SetZoom(4.0);
  EXPECT_EQ(view_->GetVirtualSize(), wxSize(12000, 12000)) << "no upper limit";
}

TEST_F(MapViewTest, ClickAtHalfZoomReachesTheToolInMapUnitsAndTheGridIsDotted) {
  SeedReferenceNetwork();
  view_->SetZoom(0.5);
  CDeviceShape* sw = Device(net::kSwitch);
  wxUIActionSimulator mouse;
  mouse.MouseMove(ScreenCentre(*sw));
  PumpPending();
  mouse.MouseClick();
  ASSERT_TRUE(PumpUntil([&] { return view_->IsSelected(sw); }));
  EXPECT_EQ(view_->GetSelectedShapeType(), 1);

  view_->ClearSelection();
  view_->SetZoom(1.0);
  const wxColour grid = Colour(document_.GetTheme().GetGridColor());
  const wxRect emptyCorner(0, view_->GetClientSize().y - 60, 60, 60);
  EXPECT_EQ(CountPixels(testing_support::CaptureWindow(view_), grid, 0, emptyCorner), 0);
  view_->ShowGrid(true);
  EXPECT_EQ(CountPixels(testing_support::CaptureWindow(view_), grid, 0, emptyCorner), 36) << "a dot every 10 pixels";
}

TEST_F(MapViewTest, TipIsAskedOnlyWhenThePointerComesOntoAnotherShape) {
  SeedReferenceNetwork();
  int asked = 0;
  view_->SetTipTextSource([&](const CShape&) {
    ++asked;
    return std::string("AP_2\\n127.0.0.12");
  });
  CDeviceShape* ap = Device(net::kAp2);
  view_->UpdateTip(ap);
  view_->UpdateTip(ap);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(view_->GetTipWindow()->GetText(), "AP_2\n127.0.0.12");
  view_->UpdateTip(nullptr);
  view_->UpdateTip(ap);
  EXPECT_EQ(asked, 2);

}

TEST_F(MapViewTest, SwitchTipShowsNameAddressAndMacOnThreeLines) {
  SeedReferenceNetwork();
  CDeviceShape* sw = Device(net::kSwitch);
  view_->UpdateTip(sw);
  EXPECT_TRUE(view_->GetTipWindow()->IsShown());
  EXPECT_EQ(view_->GetTipWindow()->GetText(), "lab-switch\n127.0.0.10\n" + net::kSwitch);
}

TEST_F(MapViewTest, MoveThatWouldTakeASelectedShapeOffTheMapIsRefused) {
  SeedReferenceNetwork();
  CDeviceShape* ap = Device(net::kAp1);
  ap->SetPosition({2950, 100});
  ap->BeginTrack({2950, 100}, -1);
  view_->Select(ap, false);
  struct Case {
    MapPoint pointer;
    bool outside;
  } cases[] = {{{2959, 100}, false}, {{2960, 100}, true}, {{2950, 2970}, false}, {{2950, 2971}, true},
               {{-1, 100}, true},    {{2950, -1}, true}};
  for (const Case& c : cases) EXPECT_EQ(view_->IsMoveOutsideMap(c.pointer), c.outside) << c.pointer.x << "," << c.pointer.y;
  ap->EndTrack();
}

TEST_F(MapViewTest, LinkCaptionEditedInPlaceIsWrittenBackOnEnterAndOnFocusLoss) {
  SeedReferenceNetwork();
  std::vector<CConnectorShape*> links;
  for (CShape* shape : document_.GetShapes())
    if (auto* link = dynamic_cast<CConnectorShape*>(shape)) links.push_back(link);
  ASSERT_GE(links.size(), 2u);

  for (int ending = 0; ending < 2; ++ending) {
    CConnectorShape* link = links[ending];
    std::string caption = link->GetCaption();
    view_->EditLabel(caption, MapRect::Around({300, 300}, 40), document_.GetTheme().GetTextFont(), 1);
    wxTextCtrl* editor = view_->GetLabelEditor();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == editor; }));
    editor->SelectAll();
    wxUIActionSimulator keys;
    keys.Text(ending == 0 ? "uplink" : "spare");
    ASSERT_TRUE(PumpUntil([&] { return !view_->IsEditingLabel() || editor->GetValue() == (ending == 0 ? "uplink" : "spare"); }));
    ASSERT_TRUE(view_->IsEditingLabel()) << "ended early with " << caption;
    if (ending == 0) {
      keys.Char(WXK_RETURN);
    } else {
      view_->SetFocus();
    }
    ASSERT_TRUE(PumpUntil([&] { return !view_->IsEditingLabel(); }));
    EXPECT_EQ(caption, ending == 0 ? "uplink" : "spare");
  }
}

TEST_F(MapViewTest, BackgroundPictureIsLoadedTurnedAndDrawnUnderTheShapes) {
  const std::string png = database_.Dir().File("floor.png");
  wxImage picture(300, 200);
  picture.SetRGB(wxRect(0, 0, 300, 200), 200, 40, 40);
  ASSERT_TRUE(picture.SaveFile(png, wxBITMAP_TYPE_PNG));
  ASSERT_TRUE(database_.Exec("insert into location (location, filename, width, height, rotateangle)"
                             " values ('Floor', '', 0, 0, 0)"));
  view_->OnMapRefresh();
  document_.LoadBackgroundMap(png, 0, 0, 90);
  ASSERT_TRUE(document_.GetBackground());
  EXPECT_EQ(document_.GetBackground()->GetWidth(), 200);
  EXPECT_EQ(document_.GetBackground()->GetHeight(), 300);
  EXPECT_EQ(document_.GetCurrentLocation()->filename, png);

  view_->Scroll(0, 0);
  const wxImage screen = testing_support::CaptureWindow(view_);
  const wxColour red(200, 40, 40);
  EXPECT_GT(CountPixels(screen, red, 4, wxRect(0, 0, 200, 300)), 200 * 300 * 9 / 10) << "turned: tall";
  EXPECT_EQ(CountPixels(screen, red, 4, wxRect(200, 0, 100, 300)), 0);
  EXPECT_EQ(CountPixels(screen, red, 4, wxRect(0, 300, 200, 50)), 0);
  EXPECT_TRUE(boxes_.Texts().empty());

  CloseView();
  EXPECT_EQ(database_.Value("select filename || '|' || rotateangle from location"), png + "|90")
      << "stored when the view closes";
}

// The main window's way in: the program's one document, reloaded from the database by every new view, so
// a map shown again never draws what was deleted meanwhile; the refresh message reloads it too.
TEST(MapViewFactory, EveryViewShowsTheProgramsDocumentAsTheDatabaseHoldsIt) {
  testing_support::TempDatabase database;
  ASSERT_TRUE(net::AddDevices(database, "device_list"));
  ASSERT_TRUE(net::AddLinks(database, "device_map_polling"));
  auto* frame = new wxFrame(nullptr, wxID_ANY, "factory", wxDefaultPosition, wxSize(600, 400));
  auto* first = dynamic_cast<CTopologyVisualView*>(CreateTopologyMapView(frame));
  ASSERT_TRUE(first);
  EXPECT_EQ(&first->GetPellionDoc(), &GetPellionDoc());
  EXPECT_EQ(GetPellionDoc().GetShapes().GetCount(), 9u);
  first->Destroy();
  ASSERT_TRUE(database.Exec("delete from device_map_polling"));
  auto* second = dynamic_cast<CTopologyVisualView*>(CreateTopologyMapView(frame));
  EXPECT_EQ(&second->GetPellionDoc(), &GetPellionDoc());
  EXPECT_EQ(GetPellionDoc().GetShapes().GetCount(), 5u) << "the links deleted while no map was shown are gone";
  ASSERT_TRUE(net::AddLinks(database, "device_map_polling"));
  second->RefreshView(true);
  EXPECT_EQ(GetPellionDoc().GetShapes().GetCount(), 9u) << "the refresh message reloads it";
  frame->Destroy();
  PumpPending();
  GetPellionDoc().ClearShapes();
}

}  // namespace
