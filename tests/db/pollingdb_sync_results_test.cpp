// The sync results: the differences of a pass merged into the stored ones, filter entries that are not
// written, and a rewrite that fails keeping what was stored.
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "db/pollingdb.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
namespace net = testing_support::reference_network;
using Rows = CAccessDatabase::TextRows;

CDeviceProperty Change(const std::string& mac, const std::string& property, const std::string& current,
                       const std::string& previous, const std::string& type = "ap_property") {
  return {mac, property, type, current, previous};
}

class SyncResultTest : public ::testing::Test {
 protected:
  void Store(const std::list<CDeviceProperty>& rows) {
    for (const CDeviceProperty& row : rows)
      ASSERT_TRUE(
          database_.Exec("insert into sync_result (mac, property, current, previous, type) "
                         "values (?, ?, ?, ?, ?)",
                         {row.mac, row.property, row.current, row.previous, row.type}));
  }
  Rows Stored() {
    return database_.Rows("select mac, property, current, previous, type from sync_result order by rowid");
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(SyncResultTest, APassIsMergedIntoTheStoredDifferences) {
  const CDeviceProperty stored1 = Change(net::kAp1, "crvAPssid", "B", "A");
  const CDeviceProperty stored2 = Change(net::kAp2, "crvAPChannel", "6", "1");
  struct Case {
    const char* what;
    std::list<CDeviceProperty> before;
    std::list<CDeviceProperty> pass;
    int result;
    Rows after;
  };
  const Case cases[] = {
      {"empty table, two changes",
       {},
       {stored1, stored2},
       1,
       {{net::kAp1, "crvAPssid", "B", "A", "ap_property"}, {net::kAp2, "crvAPChannel", "6", "1", "ap_property"}}},
      {"the same change again", {stored1}, {stored1}, 0, {{net::kAp1, "crvAPssid", "B", "A", "ap_property"}}},
      {"a new value replaces the pair, other APs stay",
       {stored1, stored2},
       {Change(net::kAp1, "crvAPssid", "C", "A")},
       1,
       {{net::kAp2, "crvAPChannel", "6", "1", "ap_property"}, {net::kAp1, "crvAPssid", "C", "A", "ap_property"}}},
      {"a new previous value replaces the pair too",
       {stored1},
       {Change(net::kAp1, "crvAPssid", "B", "Z")},
       1,
       {{net::kAp1, "crvAPssid", "B", "Z", "ap_property"}}},
      {"a property of another case is another pair",
       {stored1},
       {Change(net::kAp1, "CRVAPSSID", "B", "A")},
       1,
       {{net::kAp1, "crvAPssid", "B", "A", "ap_property"}, {net::kAp1, "CRVAPSSID", "B", "A", "ap_property"}}},
      {"the later of two changes of one pair wins",
       {stored2},
       {Change(net::kAp1, "crvAPssid", "B", "A"), Change(net::kAp1, "crvAPssid", "D", "A")},
       1,
       {{net::kAp2, "crvAPChannel", "6", "1", "ap_property"}, {net::kAp1, "crvAPssid", "D", "A", "ap_property"}}},
      {"empty pass on stored rows", {stored1}, {}, 0, {{net::kAp1, "crvAPssid", "B", "A", "ap_property"}}},
      {"empty pass on an empty table", {}, {}, 1, {}},
      {"filter entries: only MAC texts and empty ones are written",
       {},
       {Change(net::kAp1, "filter_entry", "02:55:00", "", "ap_filter_mac"),
        Change(net::kAp1, "filter_entry1", "", "02:55:00:00:00:01", "ap_filter_mac"),
        Change(net::kAp1, "filter_entry2", "02:55:00:00:00:02", "", "ap_filter_mac")},
       1,
       {{net::kAp1, "filter_entry1", "", "02:55:00:00:00:01", "ap_filter_mac"},
        {net::kAp1, "filter_entry2", "02:55:00:00:00:02", "", "ap_filter_mac"}}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(database_.Exec("delete from sync_result"));
    Store(c.before);
    EXPECT_EQ(polling_.saveSyncResult(c.pass), c.result) << c.what;
    EXPECT_EQ(Stored(), c.after) << c.what;
  }
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(SyncResultTest, ANullColumnReadsAsEmptyNotAsTheRowBefore) {
  Store({Change(net::kAp1, "crvAPssid", "B", "A")});
  ASSERT_TRUE(
      database_.Exec("insert into sync_result (mac, property, current) values (?, 'crvAPChannel', '6')", {net::kAp2}));
  EXPECT_EQ(polling_.saveSyncResult({Change(net::kAp3, "crvAPssid", "x", "y")}), 1);
  EXPECT_EQ(Stored(), (Rows{{net::kAp1, "crvAPssid", "B", "A", "ap_property"},
                            {net::kAp2, "crvAPChannel", "6", "", ""},
                            {net::kAp3, "crvAPssid", "x", "y", "ap_property"}}));
}

TEST_F(SyncResultTest, ARewriteThatFailsHalfWayKeepsTheStoredRowsAndReportsTheDifference) {
  Store({Change(net::kAp1, "crvAPssid", "B", "A"), Change(net::kAp2, "crvAPChannel", "6", "1")});
  const Rows before = Stored();
  ASSERT_TRUE(database_.BreakWrites("sync_result", "INSERT", "NEW.mac = '" + net::kAp3 + "'"));

  const std::list<CDeviceProperty> pass = {Change(net::kAp1, "crvAPssid", "C", "A"),
                                           Change(net::kAp3, "crvAPWPAPassPhrase", "n3w-s3cret", "0ld-s3cret")};
  EXPECT_EQ(polling_.saveSyncResult(pass), -1);
  EXPECT_EQ(Stored(), before);

  const std::string log = database_.ExceptionLog();
  EXPECT_NE(log.find("pollingdb insertSyncResult RollBackTransact"), std::string::npos);
  EXPECT_NE(log.find("mac:" + net::kAp3 + "...\nproperty:crvAPWPAPassPhrase...\ncurrent:********"), std::string::npos);
  EXPECT_EQ(log.find("s3cret"), std::string::npos) << "a pass phrase never reaches the log";
  const std::vector<std::string> boxes = boxes_.Texts();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].rfind("Exception__Desc: ", 0), 0u);
  EXPECT_NE(boxes[1].find("property:crvAPWPAPassPhrase"), std::string::npos);
  EXPECT_EQ(boxes[2], "insertSyncResult()");

  // The same failure on an empty table writes nothing at all.
  ASSERT_TRUE(database_.Exec("delete from sync_result"));
  EXPECT_EQ(polling_.insertSyncResult(pass), -1);
  EXPECT_EQ(polling_.saveSyncResult(pass), -1);
  EXPECT_TRUE(Stored().empty());
}

TEST_F(SyncResultTest, StoredRowsThatCannotBeReadAreLeftAlone) {
  Store({Change(net::kAp1, "crvAPssid", "B", "A")});
  ASSERT_TRUE(database_.Exec("alter table sync_result rename column previous to prior"));
  EXPECT_EQ(polling_.saveSyncResult({Change(net::kAp1, "crvAPssid", "C", "A")}), -1);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"saveSyncResult()"});
  EXPECT_EQ(database_.Value("select current from sync_result"), "B");
  EXPECT_EQ(database_.ExceptionLog().find("RollBackTransact"), std::string::npos);
}

TEST_F(SyncResultTest, AppendingAndClearing) {
  Store({Change(net::kAp1, "crvAPssid", "B", "A")});
  EXPECT_EQ(polling_.insertSyncResult({Change(net::kAp1, "crvAPssid", "B", "A")}), 1);
  EXPECT_EQ(Stored().size(), 2u) << "appending does not merge";
  EXPECT_EQ(polling_.ClearSyncResult(), 0);
  EXPECT_TRUE(Stored().empty());
  ASSERT_TRUE(database_.Exec("drop table sync_result"));
  EXPECT_EQ(polling_.ClearSyncResult(), -1);
}

}  // namespace
