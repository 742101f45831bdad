#pragma once
// The group store's fixture with an AP's stored configuration rows: its ap_property row, the poller's
// differences, its MAC filter and its "Changed" status.
#include <string>
#include <utility>
#include <vector>

#include "GroupStoreFixture.h"
#include "db/ApRowAddedFlag.h"
#include "groups/PreviousApAddress.h"

class ApConfigTest : public GroupStoreTest {
 protected:
  void TearDown() override {
    groups::ClearPreviousApIp();
    g_ApRowAddedFlag.Clear();
    GroupStoreTest::TearDown();
  }
  // An ap_property row for the MAC with the columns given, all others NULL.
  void StoreRow(const std::string& mac, const std::vector<std::pair<std::string, db::SqlValue>>& columns) {
    std::string names = "mac", marks = "?";
    db::SqlParams values = {mac};
    for (const auto& [name, value] : columns) {
      names += ", " + name;
      marks += ", ?";
      values.push_back(value);
    }
    ASSERT_TRUE(database_.Exec("insert into ap_property (" + names + ") values (" + marks + ")", values));
  }
  void Difference(const std::string& mac, const std::string& property, db::SqlValue previous, db::SqlValue current) {
    ASSERT_TRUE(database_.Exec("insert into sync_result (mac, property, previous, \"current\") values (?, ?, ?, ?)",
                               {mac, property, previous, current}));
  }
  void Filter(const std::string& mac, const std::string& filterMac) {
    ASSERT_TRUE(database_.Exec("insert into filter_entry (mac, filterMAC) values (?, ?)", {mac, filterMac}));
  }
  void MarkChanged(const std::string& mac) {
    ASSERT_TRUE(database_.Exec("update device_list_prev set status = 6 where mac = ?", {mac}));
  }
  static std::vector<std::string> Macs(const ApConfigRecord& record) {
    std::vector<std::string> macs;
    for (const auto& entry : record.filterMacs) macs.push_back(entry.mac_address);
    return macs;
  }
};
