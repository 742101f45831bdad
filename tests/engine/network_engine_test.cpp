// The engine's device lists without any network: building them from stored rows and links, lookups,
// removal, and the links and rows collected from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/NetworkEngine.h"

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

}  // namespace
