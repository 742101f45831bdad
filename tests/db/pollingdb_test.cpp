// The polling database layer: the polling device list, the device flags, the switch's LLDP state and the
// property-saved mark, and how each reports a database error.
#include "db/pollingdb.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CompetingWriter.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;

class PollingDbTest : public ::testing::Test {
 protected:
  // name, ip, mac, type, online, status, isnew, group_balance, write_community, sysobjid, IsPropertySave
  void AddDevice(const std::string& table, const db::SqlParams& values) {
    ASSERT_TRUE(database_.Exec("insert into " + table +
                                   " (name, ip, mac, type, online, status, isnew, group_balance, write_community, "
                                   "sysobjid, IsPropertySave) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                               values));
  }
  void AddSwitchProperty(const std::string& mac, const std::string& ip, const std::string& lldp) {
    ASSERT_TRUE(database_.Exec("insert into switch_property (mac, ip_address, LLDPonoff) values (?, ?, ?)",
                               {mac, ip, lldp}));
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(PollingDbTest, PollingListHoldsUsableManagedDevicesThenNewDevices) {
  AddDevice("device_list_prev", {"SW_1", "10.0.0.1", "02:00:00:00:00:01", "1", "1", "0", "0", "grp", "private",
                                 "1.3.6.1.4.1.44711.10.76.2", nullptr});
  AddDevice("device_list_prev",
            {"AP_1", "10.0.0.2", "02:00:00:00:00:02", "2", nullptr, nullptr, "0", nullptr, "pw", nullptr, nullptr});
  AddDevice("device_list_prev",
            {"AP_2", "10.0.0.3", "02:00:00:00:00:03", "2", "1", "0", "0", nullptr, nullptr, nullptr, nullptr});
  AddDevice("device_list_prev",
            {"AP_3", nullptr, "02:00:00:00:00:04", "2", "1", "0", "0", nullptr, "pw", nullptr, nullptr});
  AddDevice("device_list",
            {"AP_4", "10.0.0.5", "02:00:00:00:00:05", "2", "1", "6", "1", nullptr, "pw", ".1.3", nullptr});
  AddDevice("device_list", {"AP_5", "10.0.0.6", "02:00:00:00:00:06", "2", "1", "0", "0", nullptr, "pw", nullptr, "1"});
  AddDevice("device_list",
            {"SW_2", "10.0.0.7", "02:00:00:00:00:07", "1", "0", "0", "1", nullptr, "pw", nullptr, "1"});

  std::vector<PollingDeviceRecord> list;
  ASSERT_EQ(polling_.GetPollingDevList(list), 4);
  ASSERT_EQ(list.size(), 4u);

  EXPECT_EQ(list[0].name, "SW_1");
  EXPECT_EQ(list[0].type, 1);
  EXPECT_EQ(list[0].online, 1);
  EXPECT_EQ(list[0].isNew, 0);
  EXPECT_EQ(list[0].groupBalance, "grp");
  EXPECT_EQ(list[0].writeCommunity, "private");
  EXPECT_EQ(list[0].sysObjectId, "1.3.6.1.4.1.44711.10.76.2");
  EXPECT_EQ(list[0].isPropertySave, "");

  EXPECT_EQ(list[1].mac, "02:00:00:00:00:02");
  EXPECT_EQ(list[1].online, 0);
  EXPECT_EQ(list[1].status, 0);
  EXPECT_EQ(list[1].groupBalance, "none");
  EXPECT_EQ(list[1].sysObjectId, "");

  EXPECT_EQ(list[2].name, "AP_4");
  EXPECT_EQ(list[2].isNew, 1);
  EXPECT_EQ(list[2].status, 6);
  EXPECT_EQ(list[2].groupBalance, "");
  EXPECT_EQ(list[2].isPropertySave, "0");
  EXPECT_EQ(list[2].sysObjectId, ".1.3");

  EXPECT_EQ(list[3].name, "SW_2");
  EXPECT_EQ(list[3].isPropertySave, "1");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbTest, PollingListReportsANullNameOfAManagedDeviceByTheErrorTextAndStops) {
  AddDevice("device_list_prev", {"SW_1", "10.0.0.1", "02:00:00:00:00:01", "1", "1", "0", "0", nullptr, "pw",
                                 nullptr, nullptr});
  AddDevice("device_list_prev",
            {nullptr, "10.0.0.2", "02:00:00:00:00:02", "2", "1", "0", "0", nullptr, "pw", nullptr, nullptr});
  AddDevice("device_list", {"AP_4", "10.0.0.5", "02:00:00:00:00:05", "2", "1", "0", "1", nullptr, "pw", nullptr,
                            nullptr});

  std::vector<PollingDeviceRecord> list;
  EXPECT_EQ(polling_.GetPollingDevList(list), -1);
  ASSERT_EQ(list.size(), 1u);  // what was read before the error stays
  EXPECT_EQ(list[0].name, "SW_1");
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_NE(boxes_.Texts()[0], "GetPollingDevList()");
  EXPECT_FALSE(boxes_.Texts()[0].empty());

  // The lock went back with the recordset: another statement still runs.
  EXPECT_TRUE(database_.Exec("delete from device_list_prev"));
}

TEST_F(PollingDbTest, PollingListReportsANullMacOfANewDeviceByTheMethodName) {
  AddDevice("device_list_prev", {"SW_1", "10.0.0.1", "02:00:00:00:00:01", "1", "1", "0", "0", nullptr, "pw",
                                 nullptr, nullptr});
  AddDevice("device_list", {"AP_4", "10.0.0.5", nullptr, "2", "1", "0", "1", nullptr, "pw", nullptr, nullptr});

  std::vector<PollingDeviceRecord> list;
  EXPECT_EQ(polling_.GetPollingDevList(list), -1);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"GetPollingDevList()"});
}

TEST_F(PollingDbTest, SetOnlineWritesTheChosenTableOnly) {
  const std::string mac = "02:00:00:00:00:01";
  for (const char* table : {"device_list", "device_list_prev"})
    AddDevice(table, {"SW_1", "10.0.0.1", mac, "1", "0", "2", "1", nullptr, "pw", nullptr, nullptr});
  auto state = [&](const char* table) {
    auto rows = database_.Rows(std::string("select online, status from ") + table);
    return rows.at(0).at(0) + "/" + rows.at(0).at(1);
  };

  EXPECT_EQ(polling_.SetOnline(1, mac, 1), 0);
  EXPECT_EQ(state("device_list"), "1/0");
  EXPECT_EQ(state("device_list_prev"), "0/2");

  EXPECT_EQ(polling_.SetOnline(0, mac, 2), -1);
  EXPECT_EQ(state("device_list_prev"), "0/2");

  EXPECT_EQ(polling_.SetOnline(0, mac, 1), 0);
  EXPECT_EQ(polling_.SetOnline(0, mac, 0), 0);
  EXPECT_EQ(state("device_list_prev"), "0/0");

  EXPECT_EQ(polling_.SetPrevIsNew(mac, 0), 0);
  EXPECT_EQ(database_.Value("select isnew from device_list_prev"), "0");
}

TEST_F(PollingDbTest, FindManagementDeviceAndRecordedMacs) {
  AddDevice("device_list_prev", {"SW_1", "10.0.0.1", "02:00:00:00:00:01", "1", "1", "0", "0", nullptr, "pw",
                                 nullptr, nullptr});
  AddDevice("device_list_prev",
            {"SW_2", nullptr, "02:00:00:00:00:02", "1", "1", "0", "0", nullptr, "pw", nullptr, nullptr});
  AddDevice("device_list", {"AP_1", "10.0.0.3", "02:00:00:00:00:03", "2", "1", "0", "1", nullptr, "pw", nullptr,
                            nullptr});
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac) values ('02:00:00:00:00:04')"));

  std::string ip = "unchanged";
  EXPECT_EQ(polling_.findMangementDevice("02:00:00:00:00:01", &ip), 1);
  EXPECT_EQ(ip, "10.0.0.1");
  EXPECT_EQ(polling_.findMangementDevice("02:00:00:00:00:01", nullptr), 1);
  ip = "unchanged";
  EXPECT_EQ(polling_.findMangementDevice("02:00:00:00:00:02", &ip), -2);
  EXPECT_EQ(polling_.findMangementDevice("02:00:00:00:00:09", &ip), 0);
  EXPECT_EQ(ip, "unchanged");

  EXPECT_EQ(polling_.IsMacRecorded("02:00:00:00:00:04"), 1);  // ap_property
  EXPECT_EQ(polling_.IsMacRecorded("02:00:00:00:00:03"), 1);  // device_list
  EXPECT_EQ(polling_.IsMacRecorded("02:00:00:00:00:01"), 0);  // managed only
}

TEST_F(PollingDbTest, IsMacRecordedTakesATableThatCannotBeReadForAnEmptyOne) {
  AddDevice("device_list", {"AP_1", "10.0.0.3", "02:00:00:00:00:03", "2", "1", "0", "1", nullptr, "pw", nullptr,
                            nullptr});
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac) values ('02:00:00:00:00:04')"));
  ASSERT_TRUE(database_.Exec("alter table ap_property rename to ap_property_moved"));

  EXPECT_EQ(polling_.IsMacRecorded("02:00:00:00:00:03"), 1);  // device_list is still asked
  EXPECT_EQ(polling_.IsMacRecorded("02:00:00:00:00:04"), 0);
  EXPECT_NE(database_.ExceptionLog().find("ap_property"), std::string::npos);  // the pool logged the query
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbTest, UpdateLldpChangesEverySwitchRowOfTheMac) {
  AddSwitchProperty("02:44:71:00:00:01", "10.0.0.1", "1");
  AddSwitchProperty("02:44:71:00:00:01", "10.0.0.1", "1");
  AddSwitchProperty("02:44:71:00:00:02", "10.0.0.2", "1");

  EXPECT_EQ(polling_.updateLLDP("02:44:71:00:00:01", "2"), 2);
  EXPECT_EQ(database_.Rows("select LLDPonoff from switch_property order by rowid"),
            (CAccessDatabase::TextRows{{"2"}, {"2"}, {"1"}}));

  // No row: nothing written and nothing logged.
  EXPECT_EQ(polling_.updateLLDP("02:44:71:00:00:09", "2"), 0);
  EXPECT_EQ(database_.ExceptionLog(), "");

  // A quote in a value is stored as it is, not read as SQL.
  EXPECT_EQ(polling_.updateLLDP("02:44:71:00:00:02", "1' or '1'='1"), 1);
  EXPECT_EQ(database_.Value("select LLDPonoff from switch_property where ip_address='10.0.0.2'"), "1' or '1'='1");
  EXPECT_EQ(database_.Value("select count(*) from switch_property where LLDPonoff='2'"), "2");
}

TEST_F(PollingDbTest, UpdateLldpReportsADatabaseErrorAndKeepsTheRow) {
  AddSwitchProperty("02:44:71:00:00:01", "10.0.0.1", "1");
  ASSERT_TRUE(database_.BreakWrites("switch_property", "UPDATE"));

  EXPECT_EQ(polling_.updateLLDP("02:44:71:00:00:01", "2"), -1);
  EXPECT_EQ(database_.Value("select LLDPonoff from switch_property"), "1");
  EXPECT_NE(database_.ExceptionLog().find("pollingdb updateLLDP RollBackTransact"), std::string::npos);
  EXPECT_TRUE(boxes_.Texts().empty());
}

// Rows that cannot be read are no "no rows", and a change that cannot begin its transaction writes nothing.
TEST_F(PollingDbTest, UpdateLldpFailsWhenItCannotReadOrLockTheRows) {
  AddSwitchProperty("02:44:71:00:00:01", "10.0.0.1", "1");
  {
    testing_support::CompetingWriter writer;
    EXPECT_EQ(polling_.updateLLDP("02:44:71:00:00:01", "2"), -1);
  }
  EXPECT_EQ(database_.Value("select LLDPonoff from switch_property"), "1");

  ASSERT_TRUE(database_.Exec("alter table switch_property rename to switch_property_moved"));
  EXPECT_EQ(polling_.updateLLDP("02:44:71:00:00:01", "2"), -1);
  const std::string log = database_.ExceptionLog();
  EXPECT_NE(log.find("BeginTransact faild"), std::string::npos) << log;
  EXPECT_NE(log.find("pollingdb updateLLDP RollBackTransact"), std::string::npos) << log;
  EXPECT_EQ(log.find("RollBackTransact error"), std::string::npos) << log;  // nothing had begun
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbTest, FlagCommandsReportAFailedUpdate) {
  const std::string mac = "02:00:00:00:00:01";
  for (const char* table : {"device_list", "device_list_prev"}) {
    AddDevice(table, {"SW_1", "10.0.0.1", mac, "1", "0", "2", "1", nullptr, "pw", nullptr, nullptr});
    ASSERT_TRUE(database_.BreakWrites(table, "UPDATE"));
  }
  EXPECT_EQ(polling_.SetOnline(1, mac, 1), -1);
  EXPECT_EQ(polling_.SetOnline(0, mac, 0), -1);
  EXPECT_EQ(polling_.SetPrevIsNew(mac, 0), -1);
}

TEST_F(PollingDbTest, UpdatePreApIpKeepsTheApsPreviousAddress) {
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac, ip) values ('02:44:71:00:01:01', '10.0.0.9')"));
  EXPECT_EQ(polling_.updatePreAPIP("02:44:71:00:01:01", "127.0.0.11"), 1);
  EXPECT_EQ(database_.Rows("select ip, KipAPIP from ap_property"),
            (CAccessDatabase::TextRows{{"10.0.0.9", "127.0.0.11"}}));
  EXPECT_EQ(polling_.updatePreAPIP("02:44:71:00:01:02", "127.0.0.12"), 0);

  ASSERT_TRUE(database_.BreakWrites("ap_property", "UPDATE"));
  EXPECT_EQ(polling_.updatePreAPIP("02:44:71:00:01:01", "127.0.0.13"), -1);
  EXPECT_EQ(database_.Value("select KipAPIP from ap_property"), "127.0.0.11");
  EXPECT_NE(database_.ExceptionLog().find("pollingdb updatePreAPIP RollBackTransact"), std::string::npos);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbTest, SetIsPropertySaveMarksOnlyTheNewDeviceRow) {
  AddDevice("device_list", {"SW_1", "10.0.0.1", "02:00:00:00:00:01", "1", "1", "0", "1", nullptr, "pw", nullptr,
                            nullptr});
  AddDevice("device_list_prev", {"SW_2", "10.0.0.2", "02:00:00:00:00:02", "1", "1", "0", "0", nullptr, "pw",
                                 nullptr, nullptr});

  EXPECT_TRUE(polling_.SetIsPropertySave("02:00:00:00:00:01"));
  EXPECT_EQ(database_.Value("select IsPropertySave from device_list"), "1");

  EXPECT_FALSE(polling_.SetIsPropertySave("02:00:00:00:00:02"));
  EXPECT_EQ(database_.Value("select IsPropertySave from device_list_prev"), "");
}

TEST_F(PollingDbTest, SetIsPropertySaveReportsADatabaseErrorAsFailure) {
  AddDevice("device_list", {"SW_1", "10.0.0.1", "02:00:00:00:00:01", "1", "1", "0", "1", nullptr, "pw", nullptr,
                            nullptr});
  ASSERT_TRUE(database_.BreakWrites("device_list", "UPDATE"));

  EXPECT_FALSE(polling_.SetIsPropertySave("02:00:00:00:00:01"));
  EXPECT_EQ(database_.Value("select IsPropertySave from device_list"), "");
  EXPECT_NE(database_.ExceptionLog().find("pollingdb SetIsPropertySave RollBackTransact"), std::string::npos);
}

}  // namespace
