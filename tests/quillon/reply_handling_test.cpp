#include <gtest/gtest.h>

#include "RecordingTransport.h"
#include "ReplyBuilder.h"
#include "quillon/ConsoleActions.h"
#include "quillon/ConsoleSession.h"
#include "support/MessageRecorder.h"

using namespace quillon;
using quillon_test::kMagic;
using quillon_test::RecordingTransport;
using quillon_test::Reply;
using testing_support::MessageBoxRecorder;

namespace {

constexpr std::uint32_t kSource = 0x7F000015;  // 127.0.0.21

ConsoleSettings Settings() {
  ConsoleSettings s;
  s.magic = kMagic;
  return s;
}

Reply Discovered(const std::string& mac = "0011223344aa") {
  Reply r;
  r.mac = mac;
  r.Text(kProductName, "Switch 24").Text(kSystemName, "core").Add(kIpAddress, {10, 0, 0, 7}).Add(kDhcp, {0, 1});
  r.Add(kGroupInterval, {0, 0, 0, 30});
  return r;
}

}  // namespace

TEST(ReplyHandling, DatagramsThatAreNotForTheConsoleAreDroppedSilently) {
  struct Case {
    const char* what;
    Reply reply;
  };
  Reply foreignMagic = Discovered();
  foreignMagic.magic = 0x01020304;
  Reply revision = Discovered();
  revision.revision = 2;
  Reply staleSet = Discovered();
  staleSet.command = kSetReply;
  staleSet.sequence = 5;
  Reply staleAck = Discovered();
  staleAck.command = kUpgradeAck;
  staleAck.sequence = 0xFFFF;
  for (const Case& c : {Case{"foreign magic", foreignMagic}, Case{"revision 2", revision},
                        Case{"stale set reply", staleSet}, Case{"stale upgrade ack", staleAck}}) {
    SCOPED_TRACE(c.what);
    MessageBoxRecorder boxes;
    CConsoleSession session(Settings());
    session.HandleConsoleDatagram(c.reply.Bytes(), kSource);
    EXPECT_EQ(session.List().Count(), 0);
    EXPECT_EQ(session.Sequence(), 0);
    EXPECT_TRUE(boxes.Boxes().empty());
  }
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  const std::vector<std::uint8_t> shortDatagram(39, 0);
  session.HandleConsoleDatagram(shortDatagram, kSource);
  EXPECT_EQ(session.List().Count(), 0);
}

TEST(ReplyHandling, ADiscoveryReplyFillsTheRowAndASecondOneRefreshesIt) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  session.HandleConsoleDatagram(Discovered().Bytes(), kSource);
  ASSERT_EQ(session.List().Count(), 1);
  const auto& row = session.List().Row(0);
  EXPECT_EQ(row.texts, (std::array<std::string, 11>{"0011223344aa", "10.0.0.7", "2.001.003", "Switch 24", "core",
                                                     "enable", "", "", "", "", "30"}));
  EXPECT_EQ(row.itemData, 0);

  Reply again = Discovered();
  again.elements.clear();
  again.Text(kSystemName, "renamed").Add(kGroupInterval, {0, 0, 0, 0});  // no DHCP element this time
  session.HandleConsoleDatagram(again.Bytes(), kSource);
  ASSERT_EQ(session.List().Count(), 1) << "the same switch keeps one row";
  EXPECT_EQ(session.List().Row(0).texts[4], "renamed");
  EXPECT_EQ(session.List().Row(0).texts[1], "127.0.0.21") << "without an address element the source counts";
  EXPECT_EQ(session.List().Row(0).texts[5], "enable") << "interface 3 keeps the DHCP state reported before";
  EXPECT_EQ(session.List().Row(0).texts[10], "disable");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(ReplyHandling, OldInterfaceVersionsLoseTheirDhcpStateWhenNotReported) {
  CConsoleSession session(Settings());
  Reply first = Discovered();
  first.interfaceVersion = 1;
  first.elements.clear();
  first.Add(kDhcp, {1});
  session.HandleConsoleDatagram(first.Bytes(), kSource);
  EXPECT_EQ(session.List().Row(0).texts[5], "enable");
  Reply second = first;
  second.elements.clear();
  session.HandleConsoleDatagram(second.Bytes(), kSource);
  EXPECT_EQ(session.List().Row(0).texts[5], "");
  EXPECT_EQ(session.Device(0).capabilities[0], 0x1FFu);
}

TEST(ReplyHandling, HeaderOnlySwitchesAndLoaderMode) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  Reply oldProtocol = Discovered("00000000000b");
  oldProtocol.version = 1;
  session.HandleConsoleDatagram(oldProtocol.Bytes(), kSource);
  Reply loader = Discovered("00000000000c");
  loader.command = kLoaderReply;
  session.HandleConsoleDatagram(loader.Bytes(), kSource + 1);
  ASSERT_EQ(session.List().Count(), 2);
  EXPECT_EQ(session.List().Row(0).texts, (std::array<std::string, 11>{"00000000000b", "127.0.0.21", "1.001.003"}));
  EXPECT_EQ(session.Device(1).loaderMarker, kLoaderMarker);

  // Configuration refuses the loader, the upgrade goes ahead.
  CConsoleActions actions(session);
  session.List().SelectOnly(1);
  EXPECT_EQ(actions.Configuration(), ConsoleAction::LoaderRefused);
  EXPECT_EQ(boxes.Texts().back(), "Agent is in loader mode, it can't set \n it needs firmware upgrade");
  EXPECT_EQ(actions.FirmwareUpgrade(), ConsoleAction::PrepareUpgrade);
  EXPECT_EQ(actions.SelectedDevice(), 1);
}

TEST(ReplyHandling, StatusCodesAreShownAndOnlyAFailedRefreshTakesTheElements) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  session.HandleConsoleDatagram(Discovered().Bytes(), kSource);
  Reply refused = Discovered();
  refused.status = 3;
  refused.elements.clear();
  refused.Text(kSystemName, "changed");
  session.HandleConsoleDatagram(refused.Bytes(), kSource);
  EXPECT_EQ(session.List().Row(0).texts[4], "core") << "a refused reply changes no row";

  Reply refreshFailed = refused;
  refreshFailed.status = 6;
  session.HandleConsoleDatagram(refreshFailed.Bytes(), kSource);
  EXPECT_EQ(session.List().Row(0).texts[4], "changed");
  EXPECT_EQ(session.List().Row(0).texts[5], "") << "the failed refresh replaces the record whole";
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Device return : command Error",
                                                      "Device return : dhcp refresh fail"}));
  EXPECT_EQ(boxes.Boxes()[0].caption, "Error");
}

TEST(ReplyHandling, ASetIsConfirmedByMacOrAddressAndAdvancesTheSequence) {
  MessageBoxRecorder boxes;
  RecordingTransport transport;
  CConsoleSession session(Settings());
  session.HandleConsoleDatagram(Discovered().Bytes(), kSource);
  ConsoleDeviceRecord record = session.Device(0);
  record.password = "secret";
  record.capabilities[0] = 0x2003FF;
  record.ipAddress = 0x0A000009;
  ASSERT_EQ(session.SendConsoleSet(record, kDhcpLeave, false, transport), 0);
  ASSERT_EQ(transport.broadcasts.size(), 1u);
  EXPECT_EQ(transport.broadcasts[0], transport.multicasts[0]);
  const auto& sent = transport.broadcasts[0];
  EXPECT_EQ(GetU16(&sent[header::kCommand]), kSet);
  EXPECT_EQ(MacToText(&sent[header::kMac]), "0011223344aa");
  EXPECT_EQ(GetU16(&sent[header::kRevision]), 0);
  EXPECT_EQ(session.BeingSetMac(), "0011223344aa");
  EXPECT_EQ(session.BeingSetAddress(), 0x0A000009u);

  Reply confirm = Discovered();
  confirm.command = kSetReply;
  confirm.sequence = 0;
  confirm.elements.clear();
  confirm.Add(kIpAddress, {10, 0, 0, 9});
  session.HandleConsoleDatagram(confirm.Bytes(), 0x0A000009);  // answered from its new address
  EXPECT_EQ(session.Sequence(), 1);
  EXPECT_EQ(session.BeingSetMac(), "");
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Set Succesful"});
  EXPECT_EQ(boxes.Boxes()[0].caption, "Information");
  session.HandleConsoleDatagram(confirm.Bytes(), 0x0A000009);
  EXPECT_EQ(session.Sequence(), 1) << "the same reply again is one behind and dropped";
  EXPECT_EQ(boxes.Texts().size(), 1u);
}

TEST(ReplyHandling, TheRefreshSetAndAFailedSend) {
  MessageBoxRecorder boxes;
  RecordingTransport transport;
  CConsoleSession session(Settings());
  ConsoleDeviceRecord record = ConsoleDeviceRecord::Received();
  record.macText = "0011223344aa";
  ASSERT_EQ(session.SendConsoleSet(record, kDhcpOn, true, transport), 0);
  EXPECT_EQ(GetU16(&transport.broadcasts[0][header::kRevision]), 1);
  EXPECT_EQ(GetU16(&transport.broadcasts[0][header::kInterfaceVersion]), 3);
  EXPECT_EQ(transport.broadcasts[0].size(), kHeaderSize) << "no capabilities: the header only";

  transport.multicastWorks = false;
  EXPECT_EQ(session.SendConsoleSet(record, kDhcpLeave, false, transport), -1);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"UDP set send error"});
}

TEST(ReplyHandling, UpgradeAcknowledgementRediscoveryAndTraps) {
  CConsoleSession session(Settings());
  session.SetUpgradeMac("0011223344aa");
  session.HandleConsoleDatagram(Discovered().Bytes(), kSource);
  EXPECT_TRUE(session.RediscoveryFound());
  Reply ack = Discovered();
  ack.command = kUpgradeAck;
  session.HandleConsoleDatagram(ack.Bytes(), kSource);
  EXPECT_TRUE(session.TriggerAcknowledged());
  EXPECT_EQ(session.Sequence(), 1);

  Reply trap;
  trap.command = kTrap;
  trap.elements = {192, 168, 1, 50};
  session.HandleConsoleDatagram(trap.Bytes(), kSource);
  EXPECT_EQ(session.LastTrapSourceText(), "192.168.1.50");
  EXPECT_EQ(session.List().Count(), 1) << "a trap adds no row";
}

TEST(ReplyHandling, The257thSwitchIsRefused) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  char mac[13];
  for (int i = 0; i < 257; ++i) {
    std::snprintf(mac, sizeof mac, "0000000%05x", i);
    session.HandleConsoleDatagram(Discovered(mac).Bytes(), kSource);
  }
  EXPECT_EQ(session.List().Count(), 256);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Add fail, out of 256 devices"});
}

TEST(ConsoleActions, SelectionVersionsAndDhcpButton) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  CConsoleActions actions(session);
  EXPECT_EQ(actions.Configuration(), ConsoleAction::SelectionRefused);
  Reply v2 = Discovered("0000000000a2");
  v2.interfaceVersion = 2;
  session.HandleConsoleDatagram(Discovered().Bytes(), kSource);
  session.HandleConsoleDatagram(v2.Bytes(), kSource + 1);
  session.List().Select(0);
  session.List().Select(1);
  EXPECT_EQ(actions.DhcpRefresh(), ConsoleAction::SelectionRefused);
  EXPECT_EQ(actions.DhcpRefreshEnabled(), std::nullopt);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Please select one device", "Only one device can be selected"}));

  session.List().SelectOnly(1);
  int index = -1;
  EXPECT_EQ(actions.CheckDeviceVersions(index), 7);
  EXPECT_EQ(actions.Configuration(), ConsoleAction::Nothing) << "refused without a message";
  EXPECT_EQ(actions.DhcpRefreshEnabled(), false);
  EXPECT_EQ(boxes.Texts().size(), 2u);
  session.List().SelectOnly(0);
  EXPECT_EQ(actions.Configuration(), ConsoleAction::OpenConfiguration);
  EXPECT_EQ(actions.ListCount(), 2);
  EXPECT_EQ(actions.DhcpRefresh(), ConsoleAction::OpenDhcpRefresh);
  EXPECT_EQ(actions.DhcpRefreshEnabled(), true);
}

TEST(ConsoleActions, HeaderClicksSortDescendingFirstAndColumnTenOnlyTurnsTheDirection) {
  CConsoleSession session(Settings());
  const char* names[] = {"beta", "alpha", "Gamma"};
  for (int i = 0; i < 3; ++i) {
    Reply r = Discovered("00000000000" + std::to_string(i));
    r.elements.clear();
    r.Text(kSystemName, names[i]);
    session.HandleConsoleDatagram(r.Bytes(), kSource + static_cast<std::uint32_t>(i));
  }
  CConsoleActions actions(session);
  auto column4 = [&] {
    std::vector<std::string> texts;
    for (const auto& row : session.List().Rows()) texts.push_back(row.texts[4]);
    return texts;
  };
  actions.Sort(4);
  EXPECT_EQ(column4(), (std::vector<std::string>{"beta", "alpha", "Gamma"})) << "byte order, descending";
  actions.Sort(10);
  EXPECT_EQ(column4(), (std::vector<std::string>{"beta", "alpha", "Gamma"}));
  actions.Sort(4);
  EXPECT_EQ(column4(), (std::vector<std::string>{"beta", "alpha", "Gamma"})) << "two toggles: descending again";
  actions.Sort(4);
  EXPECT_EQ(column4(), (std::vector<std::string>{"Gamma", "alpha", "beta"}));
  EXPECT_TRUE(actions.Ascending());
  // Sorting reorders rows only; each row still finds its own record by MAC.
  session.List().SelectOnly(0);
  int index = -1;
  actions.CheckDeviceVersions(index);
  EXPECT_EQ(session.Device(index).systemName, "Gamma");
}

TEST(ConsoleDiscovery, SendsOneRequestEachWayAndReportsAFailedSend) {
  MessageBoxRecorder boxes;
  RecordingTransport transport;
  CConsoleSession session(Settings());
  session.HandleConsoleDatagram(Discovered().Bytes(), kSource);
  session.Discovery(transport);
  EXPECT_EQ(session.List().Count(), 0);
  EXPECT_EQ(transport.rejoins, 1);
  ASSERT_EQ(transport.broadcasts.size(), 1u);
  ASSERT_EQ(transport.multicasts.size(), 1u);
  EXPECT_EQ(transport.broadcasts[0].size(), 40u);
  EXPECT_EQ(GetU16(&transport.broadcasts[0][header::kCommand]), kDiscovery);

  transport.broadcastWorks = false;
  session.Discovery(transport);
  EXPECT_EQ(transport.multicasts.size(), 1u) << "the multicast request is not sent after a failed broadcast";
  transport.broadcastWorks = true;
  transport.multicastWorks = false;
  session.Discovery(transport);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Broadcast discovery sento fail", "Multicast discovery sento fail"}));
}
