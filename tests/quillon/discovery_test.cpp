// The console against simulated switches over real UDP sockets on loopback: broadcasts to 127.255.255.255
// and the multicast group joined on 127.0.0.1, so nothing leaves the machine.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <random>

#include "ReplyBuilder.h"
#include "SwitchSimulator.h"
#include "quillon/ConsoleSession.h"
#include "quillon/ConsoleTransport.h"
#include "support/MessageRecorder.h"

using namespace quillon;
using namespace std::chrono_literals;

namespace {

constexpr const char* kGroup = "239.255.42.99";

std::uint16_t PickBasePort() {
  std::random_device seed;
  return static_cast<std::uint16_t>(20000 + seed() % 30000);
}

consolesim::SwitchConfig Switch(const std::string& address, const std::string& mac, const std::string& name) {
  consolesim::SwitchConfig c;
  c.address = address;
  c.mac = mac;
  c.systemName = name;
  c.password = "secret";
  return c;
}

// The console's side: its two sockets and a session, with the loop that the window runs on readiness.
class Console {
 public:
  explicit Console(std::uint16_t basePort) : transport_(Endpoints(basePort)), session_(Settings(basePort)) {
    transport_.CreateBroadcastSocket();
    ready_ = transport_.BroadcastSocket() >= 0 && transport_.CreateMulticastSocket();
  }

  static ConsoleEndpoints Endpoints(std::uint16_t basePort) {
    ConsoleEndpoints e;
    e.broadcastAddress = "127.255.255.255";
    e.multicastGroup = kGroup;
    e.multicastInterface = "127.0.0.1";
    e.basePort = basePort;
    return e;
  }
  static ConsoleSettings Settings(std::uint16_t basePort) {
    ConsoleSettings s;
    s.magic = quillon_test::kMagic;
    s.basePort = basePort;
    s.multicastGroup = kGroup;
    return s;
  }

  // Handles what arrives until the condition holds or two seconds pass.
  bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      pollfd fds[2] = {{transport_.BroadcastSocket(), POLLIN, 0}, {transport_.MulticastSocket(), POLLIN, 0}};
      ::poll(fds, 2, 20);
      for (const pollfd& fd : fds)
        while (auto datagram = CUdpConsoleTransport::Receive(fd.fd))
          session_.HandleConsoleDatagram(datagram->bytes, datagram->source);
    }
    return true;
  }

  bool ready_ = false;
  CUdpConsoleTransport transport_;
  CConsoleSession session_;
};

}  // namespace

TEST(ConsoleOnLoopback, DiscoversThreeSwitchesAndSetsOne) {
  testing_support::MessageBoxRecorder boxes;
  const std::uint16_t base = PickBasePort();
  consolesim::SwitchSimulator switches(quillon_test::kMagic, base, kGroup, "127.0.0.1",
                                       {Switch("127.0.0.41", "00c0ffee0001", "edge-1"),
                                        Switch("127.0.0.42", "00c0ffee0002", "edge-2"),
                                        Switch("127.0.0.43", "00c0ffee0003", "core")});
  switches.Start();
  Console console(base);
  ASSERT_TRUE(console.ready_) << "sockets on port " << base;

  console.session_.Discovery(console.transport_);
  ASSERT_TRUE(console.PumpUntil([&] { return console.session_.List().Count() == 3; }));
  // Each switch heard the request twice (broadcast and group) and still has one row.
  console.PumpUntil([] { return false; });
  EXPECT_EQ(console.session_.List().Count(), 3);
  std::map<std::string, std::string> addressByMac;
  for (const auto& row : console.session_.List().Rows()) addressByMac[row.texts[0]] = row.texts[1];
  EXPECT_EQ(addressByMac, (std::map<std::string, std::string>{
                              {"00c0ffee0001", "127.0.0.41"}, {"00c0ffee0002", "127.0.0.42"}, {"00c0ffee0003", "127.0.0.43"}}));
  EXPECT_EQ(switches.ReceivedDatagrams().size(), 6u);

  const int row = console.session_.List().FindByMac("00c0ffee0002");
  ConsoleDeviceRecord record = console.session_.Device(console.session_.List().Row(row).itemData);
  record.password = "secret";
  record.location = "hall 3";
  ASSERT_EQ(console.session_.SendConsoleSet(record, kDhcpLeave, false, console.transport_), 0);
  ASSERT_TRUE(console.PumpUntil([&] { return !boxes.Texts().empty(); }));
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Set Succesful"});
  EXPECT_EQ(switches.Switch("00c0ffee0002").location, "hall 3");
  EXPECT_EQ(console.session_.List().Row(console.session_.List().FindByMac("00c0ffee0002")).texts[6], "hall 3");
  EXPECT_EQ(console.session_.Sequence(), 1) << "one set reply with the current number; the second copy is dropped";

  switches.SetMode("00c0ffee0003", consolesim::Mode::WrongPassword);
  ConsoleDeviceRecord core = console.session_.Device(
      console.session_.List().Row(console.session_.List().FindByMac("00c0ffee0003")).itemData);
  core.password = "wrong";
  ASSERT_EQ(console.session_.SendConsoleSet(core, kDhcpLeave, false, console.transport_), 0);
  ASSERT_TRUE(console.PumpUntil([&] { return boxes.Texts().size() >= 2; }));
  EXPECT_EQ(boxes.Texts()[1], "Device return : password error");
  EXPECT_EQ(console.session_.BeingSetMac(), "00c0ffee0003") << "a refused set stays pending";
}

TEST(ConsoleOnLoopback, LoaderAndSilentSwitchesAndATrap) {
  testing_support::MessageBoxRecorder boxes;
  const std::uint16_t base = PickBasePort();
  auto loader = Switch("127.0.0.44", "00c0ffee0004", "loader");
  loader.mode = consolesim::Mode::Loader;
  auto silent = Switch("127.0.0.45", "00c0ffee0005", "silent");
  silent.mode = consolesim::Mode::Silent;
  consolesim::SwitchSimulator switches(quillon_test::kMagic, base, kGroup, "127.0.0.1", {loader, silent});
  switches.Start();
  Console console(base);
  ASSERT_TRUE(console.ready_);
  console.session_.Discovery(console.transport_);
  ASSERT_TRUE(console.PumpUntil([&] { return console.session_.List().Count() == 1; }));
  console.PumpUntil([] { return false; });
  EXPECT_EQ(console.session_.List().Count(), 1) << "the silent switch never answers";
  EXPECT_EQ(console.session_.Device(0).loaderMarker, kLoaderMarker);

  switches.SendTrap("00c0ffee0004", {"127.0.0.1", base}, "10.1.2.3");
  ASSERT_TRUE(console.PumpUntil([&] { return console.session_.LastTrapSourceText() == "10.1.2.3"; }));
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(ConsoleOnLoopback, ATakenMulticastPortClosesTheConsole) {
  testing_support::MessageBoxRecorder boxes;
  ConsoleEndpoints endpoints = Console::Endpoints(PickBasePort());
  endpoints.multicastGroup = "not-an-address";
  CUdpConsoleTransport transport(endpoints);
  EXPECT_FALSE(transport.CreateMulticastSocket());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please check you network connection.\nUtility will close."});
}
