// The engine's device lists without any network: building them from stored rows and links, lookups,
// removal, and the links and rows collected from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/NetworkEngine.h"
#include "log/LogLevelMask.h"
#include "platform/Shutdown.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using Texts = std::vector<std::string>;

PollingDeviceRecord Record(const std::string& name, const std::string& mac, int type) {
  PollingDeviceRecord record;
  record.name = name;
  record.ip = "10.0.0." + mac.substr(mac.size() - 1);
  record.mac = mac;
  record.type = type;
  record.online = 1;
  record.isNew = 1;
  record.writeCommunity = "private";
  record.status = 0;
  record.isPropertySave = "1";
  return record;
}

class NetworkEngineListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<PollingDeviceRecord> records = {
        Record("sw", "02:00:00:00:00:01", 1), Record("ap-a", "02:00:00:00:00:02", 2),
        Record("ap-b", "02:00:00:00:00:03", 2), Record("odd", "02:00:00:00:00:04", 7),
        Record("box", "02:00:00:00:00:05", 0)};
    const std::vector<LinkRow> links = {
        {"02:00:00:00:00:01", "02:00:00:00:00:02", "1", "1"},
        {"02:00:00:00:00:01", "02:00:00:00:00:03", "2", "3"},
        {"02:00:00:00:00:02", "02:00:00:00:00:05", "1", "1"},  // an AP is no link source
        {"02:00:00:00:00:01", "02:00:00:00:00:09", "5", "1"},  // a MAC in neither table
        {"02:00:00:00:00:01", "02:00:00:00:00:05", "4", "1"}};
    ASSERT_EQ(engine_.LoadDevices(records, links), 4) << "a record of kind 7 builds nothing";
  }
  Texts Links() {
    std::vector<LinkRow> links;
    engine_.CollectLinks(links);
    Texts texts;
    for (const LinkRow& l : links) texts.push_back(l.src_mac.substr(15) + ":" + l.src_port + ">" + l.dest_mac.substr(15) + ":" + l.dest_port);
    return texts;
  }

  CNetworkEngine engine_;
};

TEST_F(NetworkEngineListsTest, LoadedDevicesAndTheirPortTablesGiveTheLinksBack) {
  ASSERT_EQ(engine_.Switches().size(), 1u);
  const CSwitch* owner = engine_.Switches()[0];
  EXPECT_EQ(owner->name, "sw");
  ASSERT_EQ(owner->neighbours.size(), 3u);
  EXPECT_EQ(owner->neighbours[1].ip, "10.0.0.3");
  EXPECT_EQ(owner->neighbours[1].remotePort, 3);
  EXPECT_EQ(owner->neighbours[1].owner, owner);
  EXPECT_EQ(Links(), (Texts{"01:1>02:1", "01:2>03:3", "01:4>05:1"}));

  ASSERT_NE(engine_.FindDeviceByMac("02:00:00:00:00:03"), nullptr);
  EXPECT_EQ(engine_.FindDeviceByMac("02:00:00:00:00:03")->type, kDeviceAP);
  EXPECT_EQ(engine_.FindDeviceByMac("02:00:00:00:00:04"), nullptr);
  EXPECT_EQ(engine_.FindDeviceIndexByMac("02:00:00:00:00:05"), 3);
  EXPECT_EQ(engine_.FindDeviceIndexByMac("02:00:00:00:00:09"), -1);

  std::vector<DeviceListRow> rows;
  engine_.CollectDeviceRows(rows);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ((Texts{rows[1].name, rows[1].type, rows[1].online, rows[1].status, rows[1].write_community}),
            (Texts{"ap-a", "2", "1", "0", "private"}));
  EXPECT_EQ(rows[1].newDeviceMark, 1);
}

TEST_F(NetworkEngineListsTest, RemovingADeviceTakesItOutOfEveryListAndEveryReplacementNote) {
  CDevice* a = engine_.FindDeviceByMac("02:00:00:00:00:02");
  CDevice* b = engine_.FindDeviceByMac("02:00:00:00:00:03");
  engine_.NoteReplacement(a, b, 1);
  engine_.RemoveDeviceByMac("02:00:00:00:00:02");
  EXPECT_EQ(engine_.FindDeviceByMac("02:00:00:00:00:02"), nullptr);
  EXPECT_TRUE(engine_.Replacements().empty()) << "no note may point at the deleted object";

  engine_.RemoveDeviceByMac("02:00:00:00:00:01");
  EXPECT_TRUE(engine_.Switches().empty());
  EXPECT_TRUE(Links().empty());
  engine_.Reset();
  EXPECT_TRUE(engine_.Devices().empty());
}

// A device is "configuration changed" when any stored-property difference or any filter entry that names
// a MAC was recorded, whatever the order of the differences; other records change nothing.
TEST(MarkConfigurationChangesTest, AnyPropertyOrMacFilterDifferenceMarksTheDeviceInEveryOrder) {
  namespace net = testing_support::reference_network;
  testing_support::TempDatabase database;
  ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
  const CDeviceProperty property{"", "crvAPssid", "ap_property", "elsewhere", "corvath"};
  const CDeviceProperty shortFilter{"", "filter_entry", "ap_filter_mac", "02:55", ""};
  const CDeviceProperty filter{"", "filter_entry", "ap_filter_mac", "02:55:00:00:00:09", ""};
  const CDeviceProperty note{"", "port_reload", "string", "a", "b"};
  struct Case {
    const std::string& mac;
    std::vector<CDeviceProperty> differences;
    const char* status;
  } cases[] = {
      {net::kAp1, {property, shortFilter}, "6"},
      {net::kAp2, {shortFilter, property}, "6"},
      {net::kAp3, {shortFilter, filter, shortFilter}, "6"},
      {net::kUnknown, {shortFilter, note}, "0"},
  };
  std::vector<PollingDeviceRecord> records;
  for (const Case& c : cases) records.push_back(Record("d", c.mac, 2));
  CNetworkEngine engine;
  engine.LoadDevices(records, {});
  for (const Case& c : cases) {
    for (CDeviceProperty difference : c.differences) {
      difference.mac = c.mac;
      engine.FindDeviceByMac(c.mac)->differences.push_back(difference);
    }
    engine.FindDeviceByMac(c.mac)->isNew = 0;
  }
  EXPECT_EQ(engine.MarkConfigurationChanges(), 1);
  for (const Case& c : cases)
    EXPECT_EQ(database.Value("SELECT status FROM device_list_prev WHERE mac=?", {c.mac}), c.status) << c.mac;
  // One row per device and setting; a filter entry that names no MAC is not stored.
  EXPECT_EQ(database.Value("SELECT count(*) FROM sync_result"), "4");
  platform::RunShutdown();
}

}  // namespace
