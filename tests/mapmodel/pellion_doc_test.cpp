// The map document against a seeded database: the refresh with its grid for unplaced devices, the kept
// selection, the location filter, positions written back and saved, the background picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "config/DefaultParamsStore.h"
#include "db/TopologyDBManager.h"
#include "image/Dib.h"
#include "mapmodel/ConnectorShape.h"
#include "mapmodel/DeviceShape.h"
#include "mapmodel/MapFixture.h"
#include "mapmodel/PellionDoc.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/RecordingMapCanvas.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;

namespace {

class PellionDocTest : public ::testing::Test {
 protected:
  // A managed device; auto -1 leaves the placement columns NULL, as discovery does.
  void AddDevice(int index, int type, int autoAll, int x, int y, const std::string& location = "") {
    const std::string ip = "10.1." + std::to_string(index / 256) + "." + std::to_string(index % 256);
    ASSERT_TRUE(database_.Exec(
        "insert into device_list_prev (name, ip, mac, type, port_num, online, status, isnew, location,"
        " auto_pos_all, x_pos_all, y_pos_all, auto_pos_all_location, x_pos_all_location, y_pos_all_location)"
        " values (?, ?, ?, ?, 2, 1, 0, 0, ?, ?, ?, ?, 1, 0, 0)",
        {"dev-" + ip, ip, Mac(index), type, location, autoAll < 0 ? db::SqlValue() : db::SqlValue(autoAll), x, y}));
  }
  static std::string Mac(int i) {
    char text[18];
    std::snprintf(text, sizeof text, "02:00:00:00:%02x:%02x", i / 256, i % 256);
    return text;
  }
  CDeviceShape* Shown(const std::string& mac) { return document_.FindShapeByMac(mac); }
  int ShownLinks() const {
    int links = 0;
    for (CShape* shape : document_.GetShapes()) links += dynamic_cast<CConnectorShape*>(shape) != nullptr;
    return links;
  }

  testing_support::TempDatabase database_;
  testing_support::MessageBoxRecorder boxes_;
  NoDevicePictures pictures_;
  CPellionDoc document_;
  FakeMapView view_{document_};
};

TEST_F(PellionDocTest, UnplacedDevicesFillTheVisibleRectangleRowByRowOnceOneDeviceIsFixed) {
  AddDevice(0, 1, 0, 2500, 2500);
  for (int i = 1; i <= 60; ++i) AddDevice(i, 2, 1, 0, 0);
  view_.visible = MapRect{0, 0, 1000, 500};
  document_.RefreshFromDatabase();

  int place = 0;
  for (const CDeviceRecord& record : document_.GetTopologyData().m_Devices) {
    if (record.mac == Mac(0)) {
      EXPECT_EQ(record.autoPosition, 0);
      EXPECT_EQ(Shown(record.mac)->GetPosition(), (MapPoint{2500, 2500}));
      continue;
    }
    const MapPoint expected{(place % 50) % 10 * 100, (place % 50) / 10 * 100};
    EXPECT_EQ((MapPoint{record.xPosition, record.yPosition}), expected) << "place " << place;
    EXPECT_EQ(Shown(record.mac)->GetPosition(), expected) << "the shape is shown where its record is";
    ++place;
  }
  EXPECT_EQ(place, 60);
}

TEST_F(PellionDocTest, WithoutAnyFixedDeviceTheLayoutStandsAndNullPlacementsCountAsAutomatic) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
  view_.visible = MapRect{0, 0, 1000, 500};
  document_.RefreshFromDatabase();

  ASSERT_EQ(document_.GetShapes().GetCount(), 9u);
  EXPECT_EQ(ShownLinks(), 4);
  std::set<std::pair<int, int>> places;
  for (const CDeviceRecord& record : document_.GetTopologyData().m_Devices) {
    EXPECT_EQ(record.autoPosition, 1) << record.mac;
    const MapPoint at = Shown(record.mac)->GetPosition();
    EXPECT_EQ((MapPoint{record.xPosition, record.yPosition}), at) << "the laid-out place is copied";
    places.insert({at.x, at.y});
  }
  EXPECT_EQ(places.size(), 5u) << "no two devices on one place";
  EXPECT_FALSE(places.count({100, 0})) << "not put on the grid";
}

TEST_F(PellionDocTest, RefreshKeepsTheSelectedDevicesByMacOnNewShapes) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
  document_.RefreshFromDatabase();
  CDeviceShape* oldAp = Shown(net::kAp2);
  view_.Select(oldAp, false);
  view_.Select(Shown(net::kSwitch), true);

  document_.RefreshFromDatabase();
  ASSERT_EQ(view_.GetSelection().GetCount(), 2u);
  EXPECT_EQ(view_.GetSelection().GetAt(0), Shown(net::kAp2));
  EXPECT_EQ(view_.GetSelection().GetAt(1), Shown(net::kSwitch));
  EXPECT_TRUE(document_.GetAllShapes().Find(view_.GetSelection().GetAt(0))) << "a shape the document owns now";
}

TEST_F(PellionDocTest, LocationShowsItsDevicesAndOnlyLinksWithinIt) {
  AddDevice(1, 1, 0, 100, 100, "Hall");
  AddDevice(2, 2, 0, 300, 100, "Hall");
  AddDevice(3, 2, 0, 500, 100, "Yard");
  ASSERT_TRUE(database_.Exec("insert into device_map_polling (src_mac, dest_mac, src_port, dest_port) values"
                             " (?, ?, '1', '1'), (?, ?, '2', '1')",
                             {Mac(1), Mac(2), Mac(1), Mac(3)}));
  ASSERT_TRUE(database_.Exec("insert into location (location, filename, width, height, rotateangle) values"
                             " ('Yard', '', 0, 0, 0), ('Hall', '', 0, 0, 0)"));
  document_.RefreshFromDatabase();
  EXPECT_EQ(document_.GetShapes().GetCount(), 5u);
  EXPECT_EQ(document_.GetCurrentLocation()->location, "Yard") << "the first row";

  document_.SelectLocation("Hall");
  EXPECT_EQ(document_.GetShapes().GetCount(), 3u);
  EXPECT_EQ(ShownLinks(), 1);
  EXPECT_FALSE(Shown(Mac(3)));
  EXPECT_EQ(document_.GetCurrentLocation()->location, "Hall");

  document_.SelectLocation("Nowhere");
  EXPECT_TRUE(document_.GetShapes().IsEmpty());
  EXPECT_EQ(document_.GetCurrentLocation()->location, "Yard");

  document_.SelectLocation("");
  EXPECT_EQ(document_.GetShapes().GetCount(), 5u) << "hidden shapes come back, each once";
}

TEST_F(PellionDocTest, MovedDeviceFixesOnlyThePositionOfTheMapShownAndIsSavedWithTheNextRefresh) {
  AddDevice(1, 1, 1, 0, 0);
  document_.RefreshFromDatabase();
  CDeviceShape* shape = Shown(Mac(1));
  shape->SetPosition({640, 480});
  document_.OnShapeChanged(shape);
  const CDeviceRecord& record = document_.GetTopologyData().m_Devices.at(0);
  EXPECT_EQ(record.autoPosition, 0);
  EXPECT_EQ(record.autoP, 1) << "the location's map keeps placing it";

  document_.RefreshFromDatabase();
  EXPECT_EQ(database_.Value("select x_pos_all || ',' || y_pos_all from device_list_prev"), "640,480");
  EXPECT_EQ(Shown(Mac(1))->GetPosition(), (MapPoint{640, 480}));
}

TEST_F(PellionDocTest, SaveAllIsRefusedWhileAnApsPropertiesAreUnreadButHasStoredThePositions) {
  AddDevice(1, 2, 1, 0, 0);
  document_.RefreshFromDatabase();
  Shown(Mac(1))->SetPosition({70, 80});
  document_.OnShapeChanged(Shown(Mac(1)));
  EXPECT_FALSE(document_.SaveAllToDatabase());
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Some devices property haven't ready, please try later!"});
  EXPECT_EQ(database_.Value("select x_pos_all || ',' || y_pos_all from device_list_prev"), "70,80");
}

TEST_F(PellionDocTest, SaveAllMovesTheNewDevicesStoresTheLocationsAndHasTheViewsRefreshed) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  ASSERT_TRUE(database_.Exec("insert into location (location, filename, width, height, rotateangle)"
                             " values ('Hall', '', 0, 0, 0)"));
  document_.RefreshFromDatabase();
  int refreshes = 0;
  document_.SetRefreshAllViews([&] { ++refreshes; });
  EXPECT_TRUE(document_.SaveAllToDatabase());
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(database_.Value("select count(*) from device_list_prev"), "4") << "the switch and the APs";
  EXPECT_EQ(database_.Value("select mac from device_list"), net::kUnknown) << "an unknown device stays new";
  EXPECT_TRUE(boxes_.Texts().empty());
}

// Save All pushes the default AP parameters to every AP it moved into the managed list, once the move is
// stored.
class PellionDocSaveAllTest : public PellionDocTest {
 protected:
  void SetUp() override { SetSnmpDefaults("public", "private", 50); }
  testing_support::DevSimProcess simulator_;
};

TEST_F(PellionDocSaveAllTest, SaveAllPushesTheDefaultsToEachApItMoved) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  CDefaultParams params;
  params.b_apply_defparam = 1;
  params.ssid = "lab-net";
  ASSERT_TRUE(CDefaultParamsStore().SaveDefaultParams(params, params.crvAPWEP64KeyType));
  ASSERT_TRUE(database_.Exec("DELETE FROM system_log"));
  document_.RefreshFromDatabase();
  document_.SetRefreshAllViews([] {});

  EXPECT_TRUE(document_.SaveAllToDatabase());
  const std::vector<std::pair<const char*, std::string>> aps = {
      {DevSimReference::kAp1, net::kAp1}, {DevSimReference::kAp2, net::kAp2}, {DevSimReference::kAp3, net::kAp3}};
  const std::vector<std::string> log = database_.ActionLog();
  for (const auto& [address, mac] : aps) {
    EXPECT_EQ(simulator_.ReceivedSetsBelow(address, "1.3.6.1.4.1.44711.1"),
              (std::vector<std::string>{".4.3.0=lab-net", ".1.3.0=1"}))
        << address;
    const std::string line = "zero config AP " + std::string(address) + "(" + mac + ") success";
    EXPECT_EQ(std::count(log.begin(), log.end(), line), 1) << line;
  }
  EXPECT_TRUE(simulator_.ReceivedSets(DevSimReference::kSwitch).empty()) << "a switch gets no defaults";
  EXPECT_EQ(std::count(log.begin(), log.end(), "Save all new device "), 1);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PellionDocTest, DeviceStatesAndNamesFollowTheDatabaseForSwitchesAndApsOnly) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  document_.RefreshFromDatabase();
  const int unknownStatus = Shown(net::kUnknown)->GetStatusCode();
  ASSERT_TRUE(database_.Exec("update device_list_prev set online=0"));
  ASSERT_TRUE(database_.Exec("update device_list_prev set name='Hall AP' where mac=?", {net::kAp1}));
  document_.RefreshDeviceStates();
  EXPECT_EQ(Shown(net::kSwitch)->GetStatusCode(), 2) << "offline";
  EXPECT_EQ(Shown(net::kAp1)->GetStatusCode(), 2);
  EXPECT_EQ(Shown(net::kAp1)->GetName(), "Hall AP");
  EXPECT_EQ(Shown(net::kUnknown)->GetStatusCode(), unknownStatus) << "other devices keep their state";

  std::string text = "unchanged";
  EXPECT_TRUE(document_.GetDeviceIpByMac(net::kAp2, text));
  EXPECT_EQ(text, "127.0.0.12");
  EXPECT_TRUE(document_.GetDeviceMacByIp("127.0.0.10", text));
  EXPECT_EQ(text, net::kSwitch);
  EXPECT_FALSE(document_.GetDeviceMacByIp("127.0.0.99", text));
  EXPECT_EQ(text, net::kSwitch) << "left alone";

  view_.Select(Shown(net::kAp3), false);
  document_.RemoveDeviceShapes(Shown(net::kAp3));
  EXPECT_FALSE(Shown(net::kAp3));
  EXPECT_TRUE(view_.GetSelection().IsEmpty());
  EXPECT_EQ(document_.GetAllShapes().GetCount(), 5u) << "still owned";
}

class BackgroundTest : public PellionDocTest {
 protected:
  void SetUp() override {
    // BMP files only: enough to follow the document's steps without a window toolkit.
    previous_ = CPellionDoc::SetPictureConverter([this](const std::string& from, const std::string& to) {
      convertedTo_.push_back(to);
      CDib picture;
      return picture.Load(from) && picture.Save(to);
    });
    CDib picture;
    ASSERT_TRUE(picture.Create(200, 100, 24));
    ASSERT_TRUE(picture.Save(Picture()));
    ASSERT_TRUE(database_.Exec("insert into location (location, filename, width, height, rotateangle) values"
                               " ('Hall', ?, 0, 0, 0)", {Picture()}));
  }
  void TearDown() override { CPellionDoc::SetPictureConverter(previous_); }
  std::string Picture() const { return database_.Dir().File("hall.bmp"); }

  CPellionDoc::PictureToBmp previous_;
  std::vector<std::string> convertedTo_;  // the temporary files the document asked for
};

TEST_F(BackgroundTest, PictureIsLoadedTurnedAndResizedAsTheLocationAsks) {
  document_.RefreshFromDatabase();
  ASSERT_TRUE(document_.GetBackground());
  EXPECT_EQ(document_.GetBackground()->GetWidth(), 200);

  struct Case {
    int width, height, rotation, expectWidth, expectHeight;
  } cases[] = {{0, 0, 90, 100, 200}, {0, 0, 45, 200, 100}, {0, 300, 180, 200, 100}, {400, 300, 270, 400, 300}};
  for (const Case& c : cases) {
    document_.SetPositionsChanged(0);
    document_.LoadBackgroundMap(Picture(), c.width, c.height, c.rotation);
    EXPECT_EQ(document_.GetBackground()->GetWidth(), c.expectWidth) << c.rotation;
    EXPECT_EQ(document_.GetBackground()->GetHeight(), c.expectHeight) << c.rotation;
    EXPECT_EQ(document_.GetCurrentLocation()->rotateangle, c.rotation);
    EXPECT_EQ(document_.IsPositionsChanged(), 1);
  }
  testing_support::RecordingMapCanvas canvas;
  document_.DrawMap(canvas);
  ASSERT_FALSE(canvas.calls.empty());
  EXPECT_EQ(canvas.calls.front().rfind("picture 400x300 at 0,0", 0), 0u) << "the background first, at the origin";
  EXPECT_TRUE(boxes_.Texts().empty());
  ASSERT_FALSE(convertedTo_.empty());
  for (const std::string& temporary : convertedTo_)
    EXPECT_FALSE(std::filesystem::exists(temporary)) << temporary << " left behind";
}

TEST_F(BackgroundTest, UnreadablePictureSaysSoAndKeepsTheLocationAndThePicture) {
  document_.RefreshFromDatabase();
  const CDib* before = document_.GetBackground();
  for (const std::string& bad : {database_.Dir().File("missing.png"), std::string("/etc/hostname")}) {
    document_.LoadBackgroundMap(bad, 0, 0, 90);
    EXPECT_EQ(document_.GetCurrentLocation()->filename, Picture());
    EXPECT_EQ(document_.GetCurrentLocation()->rotateangle, 0);
    EXPECT_EQ(document_.GetBackground(), before);
  }
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Load location map failed!", "Load location map failed!"}));
}

TEST_F(BackgroundTest, ClearedBackgroundIsSavedAsNoPicture) {
  document_.RefreshFromDatabase();
  document_.ClearBackgroundMap();
  EXPECT_FALSE(document_.GetBackground());
  EXPECT_TRUE(document_.SaveTopologyPositions());
  EXPECT_EQ(database_.Value("select ifnull(filename, '') || '/' || width from location"), "/0");
}

}  // namespace
