// The polling database's MAC filter entries, the switch models' vendor prefix and the stored anti-rogue
// port mask.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/pollingdb.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;

constexpr const char* kAp = "02:44:71:00:01:01";
constexpr const char* kSwitch16 = "1.3.6.1.4.1.44711.10.76.1";
constexpr const char* kSwitch24 = "1.3.6.1.4.1.44711.10.76.2";

class FilterOuiTest : public ::testing::Test {
 protected:
  std::vector<std::string> StoredFilter(const std::string& ap) {
    std::vector<std::string> entries;
    for (const auto& row : database_.Rows("select filterMAC from filter_entry where mac=? order by rowid", {ap}))
      entries.push_back(row[0]);
    return entries;
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(FilterOuiTest, InsertReplacesTheApsRowsWithTheWellFormedEntries) {
  ASSERT_TRUE(database_.Exec("insert into filter_entry (mac, filterMAC) values (?, ?), (?, ?), (?, ?)",
                             {kAp, "02:55:00:00:00:01", kAp, "02:55:00:00:00:02", "02:44:71:00:01:02",
                              "02:55:00:00:00:09"}));
  // Only exactly 17 characters are stored; a quote in a value is data, not SQL.
  EXPECT_EQ(polling_.insertFilterEntry(kAp, {"02:55:00:00:00:03", "025500000004", "", "0':55:00:00:00:05"}), 2);
  EXPECT_EQ(StoredFilter(kAp), (std::vector<std::string>{"02:55:00:00:00:03", "0':55:00:00:00:05"}));
  EXPECT_EQ(StoredFilter("02:44:71:00:01:02"), std::vector<std::string>{"02:55:00:00:00:09"});

  EXPECT_EQ(polling_.insertFilterEntry(kAp, {}), 0);
  EXPECT_TRUE(StoredFilter(kAp).empty());
  // An AP without rows just gets its entries.
  EXPECT_EQ(polling_.insertFilterEntry(kAp, {"02:55:00:00:00:07"}), 1);
  EXPECT_EQ(StoredFilter(kAp), std::vector<std::string>{"02:55:00:00:00:07"});
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(FilterOuiTest, FailedInsertKeepsTheOldRowsAndReports) {
  ASSERT_TRUE(database_.Exec("insert into filter_entry (mac, filterMAC) values (?, ?)", {kAp, "02:55:00:00:00:01"}));
  ASSERT_TRUE(database_.BreakWrites("filter_entry", "INSERT", "NEW.filterMAC = '02:55:00:00:00:0B'"));

  EXPECT_EQ(polling_.insertFilterEntry(kAp, {"02:55:00:00:00:0A", "02:55:00:00:00:0B"}), -1);
  EXPECT_EQ(StoredFilter(kAp), std::vector<std::string>{"02:55:00:00:00:01"});

  std::string log = database_.ExceptionLog();
  size_t rollback = log.find("pollingdb insertFilterEntry RollBackTransact");
  size_t entry = log.find("AP MAC : 02:44:71:00:01:01...Filter MAC : 02:55:00:00:00:0B");
  EXPECT_NE(rollback, std::string::npos) << log;
  EXPECT_NE(entry, std::string::npos) << log;
  EXPECT_LT(rollback, entry);

  std::vector<std::string> texts = boxes_.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("Exception__Desc: ", 0), 0u) << texts[0];
  EXPECT_NE(texts[0].find("; FileName: pollingdb; "), std::string::npos) << texts[0];  // not the build path
  EXPECT_EQ(texts[1], "insertFilterEntry()");
}

TEST_F(FilterOuiTest, FailedDeleteIsReportedLikeAFailedInsert) {
  ASSERT_TRUE(database_.Exec("insert into filter_entry (mac, filterMAC) values (?, ?)", {kAp, "02:55:00:00:00:01"}));
  ASSERT_TRUE(database_.BreakWrites("filter_entry", "DELETE"));

  EXPECT_EQ(polling_.insertFilterEntry(kAp, {"02:55:00:00:00:0A"}), -1);
  EXPECT_EQ(StoredFilter(kAp), std::vector<std::string>{"02:55:00:00:00:01"});

  // No entry had been written yet when the delete failed.
  const std::string log = database_.ExceptionLog();
  const size_t rollback = log.find("pollingdb insertFilterEntry RollBackTransact");
  const size_t entry = log.find("AP MAC : 02:44:71:00:01:01...Filter MAC : \r\n");
  EXPECT_NE(rollback, std::string::npos) << log;
  EXPECT_NE(entry, std::string::npos) << log;
  EXPECT_LT(rollback, entry);

  const std::vector<std::string> texts = boxes_.Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("Exception__Desc: ", 0), 0u) << texts[0];
  EXPECT_NE(texts[0].find("delete from filter_entry"), std::string::npos) << texts[0];
  EXPECT_EQ(texts[1], "insertFilterEntry()");
}

TEST_F(FilterOuiTest, GetAppendsTheStoredEntries) {
  std::vector<std::string> entries{"kept"};
  EXPECT_EQ(polling_.getFilterEntry(kAp, entries), 0);
  EXPECT_EQ(entries, std::vector<std::string>{"kept"});

  ASSERT_TRUE(database_.Exec("insert into filter_entry (mac, filterMAC) values (?, ?), (?, NULL), (?, ?)",
                             {kAp, "02:55:00:00:00:01", kAp, "02:44:71:00:01:01", "02:55:00:00:00:02"}));
  // MACs compare without regard to case, as the stored texts come from devices and users.
  EXPECT_EQ(polling_.getFilterEntry("02:44:71:00:01:01", entries), 2);
  EXPECT_EQ(entries, (std::vector<std::string>{"kept", "02:55:00:00:00:01", "02:55:00:00:00:02"}));
}

TEST_F(FilterOuiTest, SwitchOuiFromTheModelsRow) {
  std::string oui = "unchanged";
  EXPECT_EQ(polling_.GetSwitchOUI("1.3.6.1.4.1.9.9.9", oui), -1);
  EXPECT_EQ(oui, "unchanged");
  EXPECT_EQ(polling_.GetSwitchOUI(kSwitch24, oui), 1);
  EXPECT_EQ(oui, "02 44 71");

  ASSERT_TRUE(database_.Exec("insert into support_product (model_name, sys_object_oid, dev_type, oui) values "
                             "('nameless', '1.3.6.1.4.1.9.1', 1, NULL)"));
  oui = "unchanged";
  EXPECT_EQ(polling_.GetSwitchOUI("1.3.6.1.4.1.9.1", oui), -1);
  EXPECT_EQ(oui, "unchanged");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(FilterOuiTest, AntiRoguePortFromTheStoredMask) {
  ASSERT_TRUE(database_.Exec("insert into switch_property (mac, anti_rogue, objid) values (?, ?, ?), (?, ?, ?), "
                             "(?, NULL, ?)",
                             {"02:44:71:00:00:01", "80 00 01", kSwitch24, "02:44:71:00:00:02", "80 01", kSwitch16,
                              "02:44:71:00:00:03", kSwitch24}));
  struct Case {
    const char* mac;
    int port;
    int result;
    const char* objid;
  } cases[] = {
      {"02:44:71:00:00:01", 1, 1, kSwitch24},  {"02:44:71:00:00:01", 2, 0, kSwitch24},
      {"02:44:71:00:00:01", 24, 1, kSwitch24}, {"02:44:71:00:00:01", 25, 0, kSwitch24},
      {"02:44:71:00:00:02", 16, 1, kSwitch16}, {"02:44:71:00:00:02", 9, 0, kSwitch16},
      {"02:44:71:00:00:03", 1, 0, ""},         {"02:44:71:00:00:09", 1, -1, ""},
  };
  for (const Case& c : cases) {
    std::string objid;
    EXPECT_EQ(polling_.CheckAntiRogue(c.mac, c.port, objid), c.result) << c.mac << " port " << c.port;
    EXPECT_EQ(objid, c.objid) << c.mac;
  }
}

}  // namespace
