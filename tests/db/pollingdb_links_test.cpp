// The link tables of the polling database: the links of the latest pass, their rotation into the memory
// of links, the lookups by either end and the edits of the saved links.
#include <gtest/gtest.h>

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
using Texts = std::vector<std::string>;

// The reference network's links as StoredLinks shows them.
const Texts kPassLinks{net::kSwitch + " 1>" + net::kAp1 + " 1", net::kSwitch + " 2>" + net::kAp2 + " 1",
                       net::kSwitch + " 3>" + net::kAp3 + " 1", net::kSwitch + " 4>" + net::kUnknown + " 1"};

class PollingDbLinksTest : public ::testing::Test {
 protected:
  Texts Stored(const std::string& table) { return net::StoredLinks(database_, table); }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(PollingDbLinksTest, TheLatestPassIsReadInTableOrderAndReplacedWhole) {
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
  ASSERT_TRUE(database_.Exec("insert into device_map_polling (src_mac, dest_mac, src_port) values (?, ?, 5)",
                             {net::kSwitch, "02:00:00:00:00:05"}));  // no device port: not usable

  std::vector<LinkRow> links{{"x", "y", "1", "2"}};
  EXPECT_EQ(polling_.getConnection(links), 4);
  ASSERT_EQ(links.size(), 5u);  // appended
  EXPECT_EQ(std::vector<LinkRow>(links.begin() + 1, links.end()), net::Links());

  const std::vector<LinkRow> next{{net::kSwitch, net::kAp1, "7", "1"}, {"Büro's switch", "ä\"b", "1", "2"}};
  EXPECT_EQ(polling_.updateConnection(next), 0);
  links.clear();
  EXPECT_EQ(polling_.getConnection(links), 2);
  EXPECT_EQ(links, next);  // quotes and non-ASCII texts come back exactly

  EXPECT_EQ(polling_.updateConnection({}), 0);
  EXPECT_EQ(polling_.getConnection(links), 0);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbLinksTest, AFailedRewriteOfTheLatestPassKeepsItsLinks) {
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
  ASSERT_TRUE(database_.BreakWrites("device_map_polling", "INSERT", "NEW.src_port = 2"));

  EXPECT_EQ(polling_.updateConnection({{net::kSwitch, net::kAp1, "1", "1"}, {net::kSwitch, net::kAp3, "2", "1"}}), -1);
  EXPECT_EQ(Stored("device_map_polling"), kPassLinks);
  EXPECT_NE(database_.ExceptionLog().find("pollingdb updateConnection RollBackTransact"), std::string::npos);
  EXPECT_EQ(boxes_.Texts(), Texts{"updateConnection()"});
}

TEST_F(PollingDbLinksTest, TheFirstRotationCopiesTheUsableLinksAndAnUnchangedOneWritesNothing) {
  EXPECT_EQ(polling_.backupConnectTable(), 0);  // no pass yet

  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
  ASSERT_TRUE(database_.Exec("insert into device_map_polling (src_mac, dest_mac, src_port) values (?, ?, 5)",
                             {net::kSwitch, "02:00:00:00:00:05"}));
  EXPECT_EQ(polling_.backupConnectTable(), 1);
  EXPECT_EQ(Stored("device_map_prev"), kPassLinks);

  EXPECT_EQ(polling_.backupConnectTable(), -1);
  EXPECT_EQ(Stored("device_map_prev"), kPassLinks);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbLinksTest, ARotationRemembersChangedLinksLastAndKeepsVanishedOnes) {
  ASSERT_TRUE(net::AddLinks(database_, "device_map_prev"));
  // A1 went away, A2 moved to port 5, U is reported from its own side, a new device sits on port 6.
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling",
                            {{net::kSwitch, net::kAp2, "5", "1"},
                             {net::kSwitch, net::kAp3, "3", "1"},
                             {net::kUnknown, net::kSwitch, "1", "4"},
                             {net::kSwitch, "02:66:00:00:00:09", "6", "1"}}));

  EXPECT_EQ(polling_.backupConnectTable(), 1);
  EXPECT_EQ(Stored("device_map_prev"),
            (Texts{kPassLinks[0], kPassLinks[2], kPassLinks[3], net::kSwitch + " 5>" + net::kAp2 + " 1",
                   net::kSwitch + " 6>02:66:00:00:00:09 1"}));
}

// The memory is deleted and rewritten in one transaction: a failure half-way keeps every remembered link.
TEST_F(PollingDbLinksTest, ARotationThatFailsHalfWayKeepsTheRememberedLinks) {
  ASSERT_TRUE(net::AddLinks(database_, "device_map_prev"));
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling", {{net::kSwitch, net::kAp1, "9", "1"}}));
  ASSERT_TRUE(database_.BreakWrites("device_map_prev", "INSERT", "NEW.src_port = 3"));

  EXPECT_EQ(polling_.backupConnectTable(), -1);
  EXPECT_EQ(Stored("device_map_prev"), kPassLinks);
  EXPECT_EQ(boxes_.Texts(), Texts{"backupConnectTable()4"});
  EXPECT_EQ(database_.ExceptionLog().find("pollingdb backupConnectTable"), std::string::npos);

  // The first copy reports its failure with the exception-log line.
  ASSERT_TRUE(database_.Exec("delete from device_map_prev"));
  ASSERT_TRUE(database_.Exec("delete from device_map_polling"));
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
  EXPECT_EQ(polling_.backupConnectTable(), -1);
  EXPECT_TRUE(Stored("device_map_prev").empty());
  EXPECT_EQ(boxes_.Texts(), (Texts{"backupConnectTable()4", "backupConnectTable()2"}));
  EXPECT_NE(database_.ExceptionLog().find("pollingdb backupConnectTable RollBackTransact"), std::string::npos);
}

TEST_F(PollingDbLinksTest, LookupsFindEitherEndOfTheFirstLink) {
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
  ASSERT_TRUE(net::AddLinks(database_, "device_map_polling", {{"02:44:71:00:00:02", net::kAp1, "8", "1"}}));
  ASSERT_TRUE(net::AddLinks(database_, "device_map_prev", {{"02:44:71:00:00:02", net::kAp1, "3", "1"}}));
  ASSERT_TRUE(net::AddLinks(database_, "device_map", {{net::kSwitch, "Büro's 'AP'", "2", "1"}}));

  EXPECT_EQ(polling_.GetPrevPeerMacByPort(3, "02:44:71:00:00:02"), net::kAp1);
  EXPECT_EQ(polling_.GetPrevPeerMacByPort(3, net::kSwitch), "");
  EXPECT_EQ(polling_.GetSavedPeerMacByPort(2, net::kSwitch), "Büro's 'AP'");
  EXPECT_EQ(polling_.GetSavedPeerMacByPort(1, net::kSwitch), "");
  EXPECT_EQ(polling_.GetSrcMacByDestMac(net::kAp1, true), net::kSwitch);  // the first of two rows
  EXPECT_EQ(polling_.GetSrcMacByDestMac(net::kAp1, false), "02:44:71:00:00:02");
  EXPECT_EQ(polling_.GetSrcMacByDestMac(net::kAp2, false), "");
  EXPECT_EQ(polling_.GetSavedSrcMacByDestMac("Büro's 'AP'"), net::kSwitch);
  EXPECT_EQ(polling_.GetSavedSrcMacByDestMac("Büro's 'AP"), "");
  EXPECT_EQ(polling_.GetPollingSrcPortByDestMac(net::kAp3), "3");
  EXPECT_EQ(polling_.GetPollingSrcPortByDestMac(net::kSwitch), "");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbLinksTest, DeletingASavedLinkRemovesEveryDeviceOfThatPort) {
  ASSERT_TRUE(net::AddLinks(database_, "device_map",
                            {{net::kSwitch, net::kAp1, "7", "1"},
                             {net::kSwitch, net::kAp2, "7", "1"},
                             {net::kSwitch, net::kAp3, "17", "1"},
                             {"02:44:71:00:00:02", net::kAp1, "7", "1"}}));
  EXPECT_EQ(polling_.DeleteDeviceMapLink(net::kSwitch, "7"), 1);
  EXPECT_EQ(Stored("device_map"),
            (Texts{net::kSwitch + " 17>" + net::kAp3 + " 1", "02:44:71:00:00:02 7>" + net::kAp1 + " 1"}));

  ASSERT_TRUE(database_.BreakWrites("device_map", "DELETE"));
  EXPECT_EQ(polling_.DeleteDeviceMapLink(net::kSwitch, "17"), 0);
  EXPECT_EQ(Stored("device_map").size(), 2u);
}

TEST_F(PollingDbLinksTest, AReplacedDevicesRememberedLinksAreSavedUnlessItIsSavedOnThatSwitch) {
  const std::string replaced = "02:44:71:00:01:09", other = "02:44:71:00:00:02";
  ASSERT_TRUE(net::AddLinks(
      database_, "device_map_prev",
      {{net::kSwitch, replaced, "3", "1"}, {other, replaced, "2", "1"}, {net::kSwitch, net::kAp1, "1", "1"}}));

  EXPECT_EQ(polling_.KeepReplacedDeviceLinks(net::kAp2, net::kSwitch), 0);  // nothing remembered
  EXPECT_TRUE(Stored("device_map").empty());

  EXPECT_EQ(polling_.KeepReplacedDeviceLinks(replaced, net::kSwitch), 0);
  const Texts saved{net::kSwitch + " 3>" + replaced + " 1", other + " 2>" + replaced + " 1"};
  EXPECT_EQ(Stored("device_map"), saved);

  EXPECT_EQ(polling_.KeepReplacedDeviceLinks(replaced, net::kSwitch), 0);  // already saved there
  EXPECT_EQ(Stored("device_map"), saved);
  EXPECT_TRUE(boxes_.Texts().empty());

  ASSERT_TRUE(database_.Exec("delete from device_map"));
  ASSERT_TRUE(database_.BreakWrites("device_map", "INSERT", "NEW.src_port = 2"));
  EXPECT_EQ(polling_.KeepReplacedDeviceLinks(replaced, net::kSwitch), -1);
  EXPECT_TRUE(Stored("device_map").empty());
  EXPECT_EQ(boxes_.Texts(), Texts{"backupConnectTable()2"});
  EXPECT_EQ(database_.ExceptionLog().find("pollingdb"), std::string::npos);
}

}  // namespace
