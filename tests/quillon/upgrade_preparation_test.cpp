// The checks before an upgrade and the rediscovery after it.
#include <gtest/gtest.h>

#include "RecordingTransport.h"
#include "ReplyBuilder.h"
#include "quillon/ConsoleSession.h"
#include "quillon/Rediscovery.h"
#include "quillon/UpgradePreparation.h"
#include "support/MessageRecorder.h"

using namespace quillon;
using quillon_test::RecordingTransport;
using quillon_test::Reply;
using testing_support::MessageBoxRecorder;

namespace {

ConsoleSettings Settings() {
  ConsoleSettings s;
  s.magic = quillon_test::kMagic;
  return s;
}

void Answer(CConsoleSession& session, const std::string& mac, std::uint32_t address) {
  Reply reply;
  reply.mac = mac;
  session.HandleConsoleDatagram(reply.Bytes(), address);
}

class ManualTimer : public IConsoleTimer {
 public:
  void Start(std::chrono::milliseconds interval, bool oneShot) override {
    starts.push_back(interval);
    running = true;
    EXPECT_TRUE(oneShot);
  }
  void Stop() override { running = false; }
  std::vector<std::chrono::milliseconds> starts;
  bool running = false;
};

}  // namespace

TEST(UpgradePreparation, DuplicateAddressesAndForeignSubnetsAreRefused) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  Answer(session, "0011223344aa", 0xC0A80114);  // 192.168.1.20
  Answer(session, "0011223344bb", 0xC0A80115);
  Answer(session, "0011223344cc", 0xC0A80115);  // shares the address of bb
  const std::vector<LocalAddress> local{{0x7F000001, 0xFF000000}, {0xC0A80102, 0xFFFFFF00}};

  EXPECT_EQ(PrepareUpgrade(session, 1, local), 0);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Duplicate IP"});
  EXPECT_EQ(PrepareUpgrade(session, 0, {{0x7F000001, 0xFF000000}}), -1);
  EXPECT_EQ(boxes.Texts().back(), "The device IP and manager IP are not in the same subnet");
  EXPECT_EQ(session.UpgradeMac(), "");

  EXPECT_EQ(PrepareUpgrade(session, 0, local), 1);
  EXPECT_EQ(session.UpgradeMac(), "0011223344aa");
  EXPECT_EQ(boxes.Texts().size(), 2u);

  std::string error;
  const auto addresses = ReadLocalAddresses(error);
  ASSERT_TRUE(addresses) << error;
  EXPECT_NE(std::find_if(addresses->begin(), addresses->end(),
                         [](const LocalAddress& a) { return a.address == 0x7F000001 && a.mask == 0xFF000000; }),
            addresses->end())
      << "loopback is one of this machine's addresses";
}

TEST(Rediscovery, PassesUntilTheUpgradedSwitchAnswers) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  RecordingTransport transport;
  ManualTimer timer;
  Answer(session, "0011223344aa", 0x7F000015);
  session.SetUpgradeMac("0011223344aa");
  CRediscovery rediscovery(session, transport, timer, {std::chrono::milliseconds(12000), std::chrono::milliseconds(1000), 110});
  rediscovery.Start();
  EXPECT_EQ(timer.starts, std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(12000)});
  EXPECT_TRUE(transport.broadcasts.empty()) << "nothing is sent while the switch restarts";

  rediscovery.OnTimer();
  EXPECT_EQ(session.List().Count(), 0) << "each pass starts from an empty list";
  EXPECT_EQ(transport.broadcasts.size(), 1u);
  EXPECT_EQ(transport.multicasts.size(), 1u);
  Answer(session, "0011223344bb", 0x7F000016);  // another switch: the pass goes on
  rediscovery.OnTimer();
  EXPECT_EQ(transport.broadcasts.size(), 2u);
  Answer(session, "0011223344aa", 0x7F000015);
  rediscovery.OnTimer();
  EXPECT_FALSE(rediscovery.Running());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Upgrade successful"});
  EXPECT_EQ(boxes.Boxes()[0].caption, "information");
  EXPECT_EQ(session.List().Count(), 1) << "the list shows what answered in the last pass";
}

TEST(Rediscovery, GivesUpAfterItsPassesOrAFailedSend) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  RecordingTransport transport;
  ManualTimer timer;
  session.SetUpgradeMac("0011223344aa");
  CRediscovery rediscovery(session, transport, timer, {std::chrono::milliseconds(1), std::chrono::milliseconds(1), 3});
  rediscovery.Start();
  for (int tick = 0; tick < 10 && rediscovery.Running(); ++tick) rediscovery.OnTimer();
  EXPECT_EQ(transport.broadcasts.size(), 3u);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Upgrade fail"});
  EXPECT_EQ(boxes.Boxes()[0].style, platform::MB_ICONWARNING);

  transport.multicastWorks = false;
  rediscovery.Start();
  rediscovery.OnTimer();
  rediscovery.OnTimer();
  EXPECT_FALSE(rediscovery.Running());
  EXPECT_EQ(boxes.Texts().back(), "Multicast discovery sento fail");
  EXPECT_EQ(transport.broadcasts.size(), 4u);

  // Stopped from outside (the console closed): later ticks do nothing.
  transport.multicastWorks = true;
  rediscovery.Start();
  rediscovery.Stop();
  rediscovery.OnTimer();
  EXPECT_EQ(transport.broadcasts.size(), 4u);
  EXPECT_FALSE(timer.running);
}

TEST(UpgradeTrigger, CarriesTheSequenceTheMacAndThePasswordAndForgetsAnOldAcknowledgement) {
  MessageBoxRecorder boxes;
  CConsoleSession session(Settings());
  RecordingTransport transport;
  session.SetUpgradeMac("0011223344aa");
  Reply ack;
  ack.command = kUpgradeAck;
  session.HandleConsoleDatagram(ack.Bytes(), 0x7F000015);
  ASSERT_TRUE(session.TriggerAcknowledged());

  ASSERT_EQ(session.SendUpgradeTrigger("0011223344aa", "secret", transport), 0);
  EXPECT_FALSE(session.TriggerAcknowledged()) << "only an answer to this trigger counts";
  ASSERT_EQ(transport.broadcasts.size(), 1u);
  EXPECT_EQ(transport.multicasts, transport.broadcasts);
  const std::vector<std::uint8_t>& sent = transport.broadcasts[0];
  ASSERT_EQ(sent.size(), kHeaderSize + 4 + 6);
  const ConsoleHeader header = ConsoleHeader::Read(sent.data());
  EXPECT_EQ(header.version, 2);
  EXPECT_EQ(header.revision, 0);
  EXPECT_EQ(header.command, kUpgradeTrigger);
  EXPECT_EQ(header.sequence, 1) << "the acknowledgement above advanced the counter";
  EXPECT_EQ(MacToText(header.mac.data()), "0011223344aa");
  EXPECT_EQ(GetU16(&sent[kHeaderSize]), kPassword);
  EXPECT_EQ(std::string(sent.begin() + kHeaderSize + 4, sent.end()), "secret");

  transport.broadcastWorks = false;
  EXPECT_EQ(session.SendUpgradeTrigger("0011223344aa", "secret", transport), -1);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Upgrade trigger send error"});
}
