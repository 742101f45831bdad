// The AP property store: the polled properties, an AP's row created, read back and updated by column
// name, the properties whose last read failed, and names that are not columns.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ReferenceApProperties.h"
#include "db/ApRowAddedFlag.h"
#include "db/pollingdb.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
namespace net = testing_support::reference_network;

class ApPropertyStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_ApRowAddedFlag.Clear();
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  }
  void TearDown() override { g_ApRowAddedFlag.Clear(); }

  void ReplacePolledProperties(const std::vector<std::pair<const char*, const char*>>& rows) {
    ASSERT_TRUE(database_.Exec("delete from ap_polling_data"));
    for (const auto& [name, oid] : rows)
      ASSERT_TRUE(
          database_.Exec("insert into ap_polling_data (name, oid) values (?, ?)",
                         {name ? db::SqlValue(name) : db::SqlValue(), oid ? db::SqlValue(oid) : db::SqlValue()}));
  }
  std::string Stored(const std::string& column, const std::string& mac = net::kAp1) {
    return database_.Value("select \"" + column + "\" from ap_property where mac=?", {mac});
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(ApPropertyStoreTest, PolledPropertiesGetTheirWholeOidInRowOrder) {
  ReplacePolledProperties(
      {{"crvAPssid", ".4.3.0"}, {nullptr, ".4.2.0"}, {"crvAPName", "1.3.6.1.2.1.1.5.0"}, {"location", nullptr}});
  std::vector<PolledProperty> items{{"keep", "keep", "keep"}};
  EXPECT_EQ(polling_.GetPollingData(items, "1.3.6.1.4.1.99.1"), 2);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].oid, "1.3.6.1.4.1.99.1.4.3.0");
  EXPECT_EQ(items[1].name, "crvAPssid");
  EXPECT_EQ(items[1].value, "");
  EXPECT_EQ(items[2].oid, "1.3.6.1.2.1.1.5.0");
}

TEST_F(ApPropertyStoreTest, ReferenceApsAreStoredFromTheirPolledValuesAndReadBack) {
  for (int ap = 1; ap <= 3; ++ap) {
    const std::vector<PolledProperty> items = net::ApItems(ap);
    const std::string& mac = items[items.size() - 2].value;
    ASSERT_EQ(polling_.insertAPProperty(items, mac), 1) << ap;
    EXPECT_EQ(polling_.insertAPProperty(items, mac), 0) << "a second row is never made";

    std::map<std::string, std::string> values;
    EXPECT_EQ(polling_.GetAPProperty(&values, mac), static_cast<int>(items.size()) - 2);
    for (size_t i = 0; i + 2 < items.size(); ++i) EXPECT_EQ(values[items[i].name], items[i].value) << items[i].name;
  }
  EXPECT_EQ(database_.Value("select count(*) from ap_property"), "3");
  EXPECT_EQ(Stored("autoAssignChannel", net::kAp2), "4");
  EXPECT_EQ(Stored("crvAPChannel", net::kAp3), "11");
  EXPECT_EQ(Stored("enterpriseAPSysHWid", net::kAp1), "QR7V-TOLNA           -00");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ApPropertyStoreTest, ARowIsCreatedOnlyForAKnownDeviceAndOnlyFromColumns) {
  const std::string stranger = "02:99:00:00:00:01";
  EXPECT_EQ(polling_.insertAPProperty({{"", "crvAPssid", "x"}}, stranger), -1);

  // A name that is not a column is refused as a whole: nothing is written, the log names the method.
  const std::vector<PolledProperty> hostile = {{"", "crvAPssid", "lab"}, {"", "crvAPssid) values ('x'); --", "y"}};
  EXPECT_EQ(polling_.insertAPProperty(hostile, net::kAp1), -1);
  EXPECT_EQ(database_.Value("select count(*) from ap_property"), "0");
  EXPECT_NE(database_.ExceptionLog().find("pollingdb insertAPProperty RollBackTransact"), std::string::npos);

  // Values are data, whatever they hold; the key comes from the MAC even when no item names it.
  EXPECT_EQ(polling_.insertAPProperty({{"", "CRVAPSSID", "it's \"lab\"; --"}}, net::kAp1), 1);
  EXPECT_EQ(Stored("crvAPssid"), "it's \"lab\"; --");
  EXPECT_EQ(polling_.insertAPProperty({{"", "crvAPssid", "again"}}, net::kAp1), 0);
  EXPECT_EQ(Stored("crvAPssid"), "it's \"lab\"; --");
}

TEST_F(ApPropertyStoreTest, StoredValuesAreReadByThePolledNames) {
  std::map<std::string, std::string> values{{"crvAPssid", "kept"}};
  EXPECT_EQ(polling_.GetAPProperty(&values, net::kAp1), 0) << "no row yet";
  EXPECT_EQ(values.size(), 1u);

  ASSERT_TRUE(database_.Exec("insert into ap_property (mac, crvAPChannel) values (?, '6')", {net::kAp1}));
  ReplacePolledProperties({{"crvAPssid", ".4.3.0"}, {"crvAPChannel", ".4.2.0"}, {nullptr, ".4.4.0"}});
  EXPECT_EQ(polling_.GetAPProperty(&values, net::kAp1), 2);
  EXPECT_EQ(values, (std::map<std::string, std::string>{{"crvAPssid", "kept"}, {"crvAPChannel", "6"}}));

  ReplacePolledProperties({{"crvAPChannel", ".4.2.0"}, {"noSuchColumn", ".9.0"}});
  values.clear();
  EXPECT_EQ(polling_.GetAPProperty(&values, net::kAp1), -1);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"GetAPProperty()"});

  ReplacePolledProperties({});
  EXPECT_EQ(polling_.GetAPProperty(&values, net::kAp1), -1);
}

TEST_F(ApPropertyStoreTest, AFailedReadIsReadAgainAtTheWholeOidUntilTheApAnswers) {
  ReplacePolledProperties({{"crvAPssid", ".4.3.0"},
                           {"crvAPName", "1.3.6.1.2.1.1.5.0"},
                           {"crvAPChannel", ".4.2.0"},
                           {"location", "1.3.6.1.2.1.1.6.0"},
                           {"crvAPSuperG", ".4.4.0"}});
  ASSERT_TRUE(
      database_.Exec("insert into ap_property (mac, crvAPssid, crvAPName, crvAPChannel, location) values "
                     "(?, 'GETFAIL', 'GETFAIL', 'getfail', 'GETFAIL ')",
                     {net::kAp1}));

  std::vector<PolledProperty> failed;
  EXPECT_EQ(polling_.readAPFailProperty(&failed, net::kAp1, net::kApRoot), 2);
  ASSERT_EQ(failed.size(), 2u);
  EXPECT_EQ(failed[0].oid, ".1.3.6.1.4.1.44711.1.4.3.0");
  EXPECT_EQ(failed[0].name, "crvAPssid");
  EXPECT_EQ(failed[1].oid, "1.3.6.1.2.1.1.5.0");

  // The AP answers at those oids: the values replace the mark and nothing is left to read again.
  failed[0].value = "corvath";
  failed[1].value = "ap-1";
  EXPECT_EQ(polling_.UpdateApProperties(failed, net::kAp1), 0);
  std::vector<PolledProperty> again;
  EXPECT_EQ(polling_.readAPFailProperty(&again, net::kAp1, net::kApRoot), 0);
  EXPECT_TRUE(again.empty());
  EXPECT_EQ(Stored("crvAPssid"), "corvath");

  EXPECT_EQ(polling_.readAPFailProperty(&again, net::kAp2, net::kApRoot), 0) << "no row";
  ReplacePolledProperties({{"crvAPssid", nullptr}});
  EXPECT_EQ(polling_.readAPFailProperty(&again, net::kAp1, net::kApRoot), -1) << "a property without its oid";
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"readAPFailProperty()"});
}

TEST_F(ApPropertyStoreTest, AnUpdateNeverRewritesTheKeyAndKeepsTheChosenChannelOnceTheSynchroniserAddedARow) {
  ASSERT_TRUE(
      database_.Exec("insert into ap_property (mac, crvAPssid, autoAssignChannel) values (?, 'a', '1')", {net::kAp1}));
  const std::vector<PolledProperty> items = {
      {"", "mac", "02:00:00:00:00:99"}, {"", "crvAPssid", "it's"}, {"", "autoAssignChannel", "4"}};
  EXPECT_EQ(polling_.UpdateApProperties(items, net::kAp1), 0);
  EXPECT_EQ(Stored("crvAPssid"), "it's");
  EXPECT_EQ(Stored("autoAssignChannel"), "4");

  g_ApRowAddedFlag.Set(net::kAp1);
  EXPECT_EQ(polling_.UpdateApProperties({{"", "crvAPssid", "b"}, {"", "autoAssignChannel", "9"}}, net::kAp1), 0);
  EXPECT_EQ(Stored("crvAPssid"), "b");
  EXPECT_EQ(Stored("autoAssignChannel"), "4");

  // Nothing left to set: no statement runs, and the result says so.
  const std::string logBefore = database_.ExceptionLog();
  EXPECT_EQ(polling_.UpdateApProperties({{"", "mac", "x"}, {"", "autoAssignChannel", "9"}}, net::kAp1), 1);
  EXPECT_EQ(polling_.UpdateApProperties({}, net::kAp1), 1);
  EXPECT_EQ(database_.ExceptionLog(), logBefore);

  // A name that is not a column fails the whole update.
  EXPECT_EQ(polling_.UpdateApProperties({{"", "crvAPssid", "c"}, {"", "crvAPssid='x'", "d"}}, net::kAp1), -1);
  EXPECT_EQ(Stored("crvAPssid"), "b");
  EXPECT_EQ(database_.Value("select mac from ap_property"), net::kAp1);
}

TEST_F(ApPropertyStoreTest, ASingleValueIsWrittenUpToItsLengthLimit) {
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac) values (?)", {net::kAp1}));
  struct Case {
    const char* name;
    std::string value;
    int result;
    bool written;
  };
  const std::string umlauts64 = [] {
    std::string text;
    for (int i = 0; i < 64; ++i) text += "ü";
    return text;
  }();
  const Case cases[] = {
      {"location", std::string(70, 'l'), 0, true},  {"crvAPssid", std::string(70, 's'), 0, false},
      {"crvAPssid", std::string(64, 's'), 0, true}, {"crvAPName", umlauts64, 0, true},  // 64 characters in 128 bytes
      {"crvAPName", umlauts64 + "ü", 0, false},     {"crvAPssid' --", "x", -1, false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(database_.Exec("update ap_property set location=NULL, crvAPssid=NULL, crvAPName=NULL"));
    const PolledProperty item{"", c.name, c.value};
    EXPECT_EQ(polling_.UpdateApProperty(&item, net::kAp1), c.result) << c.name << " " << c.value.size();
    const std::string stored = database_.Value(
        "select coalesce(location, '') || coalesce(crvAPssid, '') || coalesce(crvAPName, '') "
        "from ap_property");
    EXPECT_EQ(stored, c.written ? c.value : "") << c.name << " " << c.value.size();
  }
}

}  // namespace
