// The device lookups against the reference network's rows: managed devices asked first, the absent
// values, NULL columns, keys that would break a statement, and the database lock given back.
#include <future>
#include <string>
#include <vector>

#include "GroupStoreFixture.h"

namespace {

class DeviceLookupTest : public GroupStoreTest {
 protected:
  void SetUp() override {
    GroupStoreTest::SetUp();
    // Discovery found the reference network too, with other communities, plus a device not yet managed.
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    ASSERT_TRUE(database_.Exec("update device_list set write_community='found', port_num=8"));
    ASSERT_TRUE(database_.Exec(
        "insert into device_list (name, ip, mac, type, port_num, write_community, sysobjid) "
        "values ('NEW', '127.0.0.20', '02:44:71:00:02:01', 2, '', 'fresh', '.1.3.6.1.4.1.44711.1')"));
    ASSERT_TRUE(database_.Exec("insert into switch_property (mac, ip_address, anti_rogue) values (?, ?, '0x0F')",
                               {net::kSwitch, "127.0.0.10"}));
  }
};

TEST_F(DeviceLookupTest, ManagedDevicesAreAskedFirstAndAbsentDevicesGiveTheAbsentValue) {
  const std::string newMac = "02:44:71:00:02:01";
  const std::string hostile = "127.0.0.11' OR '1'='1";
  CGroupStore& s = Store();
  struct TextCase {
    const char* what;
    std::string got;
    std::string expected;
  };
  const TextCase texts[] = {
      {"ip by mac", s.GetDevIpByMac(net::kAp1), "127.0.0.11"},
      {"ip by mac, found only", s.GetDevIpByMac(newMac), ""},
      {"password by mac", s.GetDevPassword(net::kAp1, KeyKind::Mac), "private"},
      {"password by ip", s.GetDevPassword("127.0.0.10", KeyKind::Ip), "private"},
      {"password, found only", s.GetDevPassword(newMac, KeyKind::Mac), "fresh"},
      {"password, absent", s.GetDevPassword("02:00:00:00:00:00", KeyKind::Mac), ""},
      {"password, hostile key", s.GetDevPassword(hostile, KeyKind::Ip), ""},
      {"sysobjid by ip", s.GetDevSysObjectID("127.0.0.10", KeyKind::Ip), "1.3.6.1.4.1.44711.10.76.2"},
      {"sysobjid, found only", s.GetDevSysObjectID("127.0.0.20", KeyKind::Ip), ".1.3.6.1.4.1.44711.1"},
      {"anti-rogue by mac", s.GetSwitchAntiRogue(net::kSwitch, KeyKind::Mac), "0x0F"},
      {"anti-rogue by ip", s.GetSwitchAntiRogue("127.0.0.10", KeyKind::Ip), "0x0F"},
      {"anti-rogue, no row", s.GetSwitchAntiRogue(net::kAp1, KeyKind::Mac), ""},
      {"model root", s.GetDevRootOIDByModelName("Corvath-S24"), "1.3.6.1.4.1.44711.10.76.2"},
      {"model root, absent", s.GetDevRootOIDByModelName("Nothing'"), ""},
      {"default AP root", s.GetDefaultApSysObjectID("ignored"), "1.3.6.1.4.1.44711.1"},
  };
  for (const TextCase& c : texts) EXPECT_EQ(c.got, c.expected) << c.what;

  struct NumberCase {
    const char* what;
    int got;
    int expected;
  };
  const NumberCase numbers[] = {
      {"ports by mac", s.GetDevPortNum(net::kSwitch, KeyKind::Mac), 24},
      {"ports by ip", s.GetDevPortNum("127.0.0.14", KeyKind::Ip), 0},
      {"ports, found only with an empty text", s.GetDevPortNum(newMac, KeyKind::Mac), -1},
      {"ports, absent", s.GetDevPortNum("10.0.0.1", KeyKind::Ip), -1},
      {"type of a switch model", s.GetDevTypeByModelName("Corvath-S16"), 1},
      {"type of the AP model", s.GetDevTypeByModelName("Velmora-A"), 0},
      {"type, absent", s.GetDevTypeByModelName("Nothing"), -1},
      {"address known", s.IsDevIpExist("127.0.0.12"), 1},
      {"address found only", s.IsDevIpExist("127.0.0.20"), 1},
      {"address unknown", s.IsDevIpExist("127.0.0.99"), 0},
  };
  for (const NumberCase& c : numbers) EXPECT_EQ(c.got, c.expected) << c.what;

  std::string mac = "unchanged";
  EXPECT_TRUE(s.GetDevMacByIp("127.0.0.20", mac));
  EXPECT_EQ(mac, newMac);
  EXPECT_FALSE(s.GetDevMacByIp("127.0.0.99", mac));
  EXPECT_EQ(mac, newMac);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(DeviceLookupTest, AManagedRowWithANullColumnGivesTheAbsentValueAndFreesTheDatabase) {
  ASSERT_TRUE(database_.Exec("update device_list_prev set write_community=NULL, sysobjid=NULL, port_num=NULL, "
                             "mac=NULL where ip='127.0.0.11'"));
  ASSERT_TRUE(database_.Exec("update device_list_prev set ip=NULL where mac=?", {net::kAp2}));
  EXPECT_EQ(Store().GetDevPassword("127.0.0.11", KeyKind::Ip), "");
  EXPECT_EQ(Store().GetDevSysObjectID("127.0.0.11", KeyKind::Ip), "");
  EXPECT_EQ(Store().GetDevPortNum("127.0.0.11", KeyKind::Ip), -1);
  EXPECT_EQ(Store().GetDevIpByMac(net::kAp2), "");
  std::string mac = "unchanged";
  EXPECT_TRUE(Store().GetDevMacByIp("127.0.0.11", mac));
  EXPECT_EQ(mac, "unchanged");
  // Another thread's query gets the database at once: no lookup kept its lock.
  auto other = std::async(std::launch::async, [this] { return database_.Value("select count(*) from device_list"); });
  ASSERT_EQ(other.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  EXPECT_EQ(other.get(), "6");
}

TEST_F(DeviceLookupTest, UpdatesAndModelNamesGoThroughBoundValues) {
  EXPECT_TRUE(Store().SetDevPassword("127.0.0.11", "new'secret"));
  EXPECT_EQ(Store().GetDevPassword(net::kAp1, KeyKind::Mac), "new'secret");
  EXPECT_EQ(database_.Value("select count(*) from device_list_prev where write_community='private'"), "4");
  EXPECT_TRUE(Store().SetSwitchAntiRogue(net::kSwitch, "0xF0'"));
  EXPECT_EQ(Store().GetSwitchAntiRogue(net::kSwitch, KeyKind::Mac), "0xF0'");

  std::vector<std::string> names{"kept"};
  ASSERT_TRUE(Store().GetSupportSwitchName(&names));
  EXPECT_EQ(names, (std::vector<std::string>{"kept", "Velmora-A", "Corvath-S16", "Corvath-S24"}));
  ASSERT_TRUE(database_.Exec("update support_product set model_name=NULL where model_name='Corvath-S16'"));
  names.clear();
  EXPECT_FALSE(Store().GetSupportSwitchName(&names));
  EXPECT_EQ(names, std::vector<std::string>{"Velmora-A"});
  ASSERT_TRUE(database_.Exec("delete from support_product"));
  names.clear();
  EXPECT_FALSE(Store().GetSupportSwitchName(&names));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(Store().GetDefaultApSysObjectID(""), "");
}

}  // namespace
