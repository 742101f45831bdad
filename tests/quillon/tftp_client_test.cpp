// The firmware transfer against a TFTP peer on loopback that misbehaves on order. The timers are ticked by
// the test, so each resend happens exactly when the test says.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include "TftpPeer.h"
#include "quillon/ConsoleProtocol.h"
#include "quillon/TftpWriteClient.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

using namespace quillon;
using consolesim::TftpMode;
using consolesim::TftpPeer;
using namespace std::chrono_literals;

namespace {

constexpr const char* kSwitch = "127.0.0.61";

// A UDP port free on loopback right now, as the kernel hands one out; a port drawn at random could be one that
// another test running in parallel holds.
std::uint16_t RandomPort() {
  const int probe = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(probe);
  return ntohs(address.sin_port);
}

class FakeTimer : public IConsoleTimer {
 public:
  void Start(std::chrono::milliseconds interval, bool oneShot) override {
    running = true;
    this->oneShot = oneShot;
    this->interval = interval;
  }
  void Stop() override { running = false; }
  bool running = false;
  bool oneShot = false;
  std::chrono::milliseconds interval{0};
};

// The peer answers on its own thread.
bool WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + 2s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::mt19937 random(static_cast<unsigned>(size));
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

class TftpTransferTest : public ::testing::Test {
 protected:
  void StartPeer(TftpMode mode) {
    serverPort_ = RandomPort();
    peer_ = std::make_unique<TftpPeer>(kSwitch, serverPort_, mode);
    peer_->Start();
  }

  std::string WriteFirmware(const std::vector<std::uint8_t>& bytes) {
    const auto path = (folder_.Path() / "firmware image.hex").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  TftpTarget Target() {
    TftpTarget target;
    target.address = 0x7F00003D;  // 127.0.0.61
    target.addressText = kSwitch;
    target.port = serverPort_;
    target.localPort = localPort_;
    return target;
  }

  // Hands the client what arrives until the condition holds or nothing more came for a while.
  bool Pump(const std::function<bool()>& done) {
    auto quietSince = std::chrono::steady_clock::now();
    while (!done()) {
      if (!socket_.IsOpen() || std::chrono::steady_clock::now() - quietSince > 300ms) return false;
      pollfd fd{socket_.Handle(), POLLIN, 0};
      if (::poll(&fd, 1, 20) > 0) {
        client_.OnReadable();
        quietSince = std::chrono::steady_clock::now();
      }
    }
    return true;
  }
  // Runs the transfer until every block is acknowledged and the pause before the end has passed.
  bool RunToEnd() {
    if (!Pump([&] { return finish_.running; })) return false;
    EXPECT_TRUE(finish_.oneShot);
    EXPECT_FALSE(data_.running) << "no block is guarded while the switch writes its image";
    client_.OnFinishTimer();
    return finished_;
  }

  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDir folder_;
  std::unique_ptr<TftpPeer> peer_;
  std::uint16_t serverPort_ = 0;
  std::uint16_t localPort_ = RandomPort();
  FakeTimer data_, request_, finish_;
  CUdpTftpSocket socket_;
  std::vector<std::string> states_, logged_;
  bool finished_ = false, refused_ = false;
  CTftpWriteClient client_{socket_,
                           {data_, request_, finish_},
                           {[this](const std::string& t) { states_.push_back(t); },
                            [this](const std::string& t) { logged_.push_back(t); }, [this] { finished_ = true; },
                            [this] { refused_ = true; }}};
};

}  // namespace

TEST_F(TftpTransferTest, FilesOfEverySizeArriveByteForByte) {
  StartPeer(TftpMode::Accept);
  for (const std::size_t size : {std::size_t{0}, std::size_t{100}, std::size_t{512}, std::size_t{1536}, std::size_t{5000}}) {
    SCOPED_TRACE(size);
    const auto bytes = Pattern(size);
    const std::string path = WriteFirmware(bytes);
    states_.clear();
    finished_ = false;
    client_.Reset();
    ASSERT_EQ(client_.Start(Target(), path), 0);
    EXPECT_TRUE(request_.running);
    ASSERT_TRUE(RunToEnd());
    EXPECT_EQ(peer_->File(), bytes);
    EXPECT_TRUE(peer_->Complete());
    EXPECT_EQ(peer_->RequestedName(), path) << "the request names the file by its full local path";
    EXPECT_EQ(peer_->RequestedMode(), "octet");
    EXPECT_FALSE(socket_.IsOpen());
    EXPECT_FALSE(request_.running);

    // A multiple of 512 ends with an empty block; the first full block shows no text of its own.
    const std::size_t blocks = size / 512 + 1;
    std::vector<std::string> expected;
    for (std::size_t i = 2; i <= blocks - 1; ++i)
      expected.push_back("Upgrade..." + std::to_string(i * 512) + "/" + std::to_string(size) + " bytes");
    expected.push_back("Complete..." + std::to_string(size) + "/" + std::to_string(size) + " bytes");
    EXPECT_EQ(states_, expected);
  }
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_TRUE(logged_.empty());
}

TEST_F(TftpTransferTest, ALostAcknowledgementIsMadeUpByOneResendThatCountsOnce) {
  StartPeer(TftpMode::DropOneAck);
  peer_->SetDroppedBlock(2);
  const auto bytes = Pattern(2000);
  ASSERT_EQ(client_.Start(Target(), WriteFirmware(bytes)), 0);
  EXPECT_FALSE(Pump([] { return false; }));
  EXPECT_EQ(client_.CurrentBlock(), 2);
  EXPECT_TRUE(data_.running);
  client_.OnDataTimer();  // a block went out since the last tick: only noted
  EXPECT_EQ(peer_->BlocksReceived().size(), 2u);
  client_.OnDataTimer();  // nothing came back for a whole tick: resent
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(peer_->File(), bytes);
  EXPECT_EQ(peer_->BlocksReceived(), (std::vector<std::uint16_t>{1, 2, 2, 3, 4}));
  EXPECT_EQ(states_.back(), "Complete...2000/2000 bytes") << "the resent block is not counted twice";
}

TEST_F(TftpTransferTest, ASwitchThatNeverAnswersTheRequestIsNotFound) {
  StartPeer(TftpMode::IgnoreRequest);
  ASSERT_EQ(client_.Start(Target(), WriteFirmware(Pattern(700))), 0);
  client_.OnRequestTimer();  // the first tick only notes that one went out
  for (int tick = 0; tick < 4; ++tick) client_.OnRequestTimer();
  EXPECT_TRUE(states_.empty());
  client_.OnRequestTimer();
  EXPECT_EQ(states_, std::vector<std::string>{"Device not found"});
  EXPECT_FALSE(request_.running);
  EXPECT_FALSE(socket_.IsOpen());
  ASSERT_TRUE(WaitUntil([&] { return peer_->RequestsReceived() == 6; }));
}

TEST_F(TftpTransferTest, TenUnansweredResendsFailTheTransferAndAreLogged) {
  StartPeer(TftpMode::NeverAck);
  ASSERT_EQ(client_.Start(Target(), WriteFirmware(Pattern(5000))), 0);
  EXPECT_FALSE(Pump([] { return false; }));
  EXPECT_EQ(client_.CurrentBlock(), 1);
  for (int tick = 0; tick < 22 && socket_.IsOpen(); ++tick) client_.OnDataTimer();
  EXPECT_FALSE(socket_.IsOpen());
  EXPECT_FALSE(data_.running);
  EXPECT_EQ(states_, std::vector<std::string>{"Upgrade fail, translate 512/5000 bytes"});
  EXPECT_EQ(logged_, std::vector<std::string>{"Upgrade fail, translate 512/5000 bytes"});
  ASSERT_TRUE(WaitUntil([&] { return peer_->BlocksReceived().size() == 11; }));
  EXPECT_EQ(peer_->BlocksReceived(), std::vector<std::uint16_t>(11, 1));
  EXPECT_EQ(client_.BytesSent(), 0u);
}

TEST_F(TftpTransferTest, OnlyTheAcknowledgementOfTheCurrentBlockMovesOn) {
  StartPeer(TftpMode::NeverAck);
  ASSERT_EQ(client_.Start(Target(), WriteFirmware(Pattern(3000))), 0);
  EXPECT_FALSE(Pump([] { return false; }));
  // Acknowledgements forged from another port of the switch: answers count from wherever they come.
  const int forger = ::socket(AF_INET, SOCK_DGRAM, 0);
  const auto ack = [&](std::uint16_t block) {
    std::uint8_t packet[4];
    PutU16(packet, 4);
    PutU16(packet + 2, block);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(localPort_);
    to.sin_addr.s_addr = htonl(0x7F000001);
    ::sendto(forger, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    Pump([] { return false; });
  };
  ack(0);  // older than the current block
  ack(1);
  ack(1);  // a duplicate
  ack(7);  // one never sent
  ::close(forger);
  ASSERT_TRUE(WaitUntil([&] { return peer_->BlocksReceived().size() == 2; }));
  EXPECT_EQ(peer_->BlocksReceived(), (std::vector<std::uint16_t>{1, 2}));
  EXPECT_EQ(client_.CurrentBlock(), 2);
}

TEST_F(TftpTransferTest, AnErrorPacketIsShownLoggedAndCut) {
  StartPeer(TftpMode::AnswerError);
  TftpTarget target = Target();
  target.rebootsAfterError = true;
  ASSERT_EQ(client_.Start(target, WriteFirmware(Pattern(700))), 0);
  ASSERT_TRUE(Pump([&] { return refused_; }));
  EXPECT_EQ(logged_, std::vector<std::string>{"Disk full"});
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_EQ(boxes_.Boxes()[0].text, "Disk full\nThe device will reboot, please wait for a few seconds");
  EXPECT_EQ(boxes_.Boxes()[0].caption, "upgrade fail");
  EXPECT_EQ(states_, std::vector<std::string>{" "});
  EXPECT_FALSE(socket_.IsOpen());

  // A switch that keeps running after a refusal gets no note; a long text is cut.
  peer_->SetErrorText(std::string(300, 'e'));
  refused_ = false;
  ASSERT_EQ(client_.Start(Target(), WriteFirmware(Pattern(700))), 0);
  ASSERT_TRUE(Pump([&] { return refused_; }));
  EXPECT_EQ(boxes_.Boxes().back().text, std::string(tftp::kErrorTextLimit, 'e'));
}

TEST_F(TftpTransferTest, SocketAndFileFailures) {
  // The console's port is taken.
  CUdpTftpSocket other;
  ASSERT_EQ(other.Open(localPort_), ITftpSocket::OpenResult::Ok);
  EXPECT_EQ(client_.Start(Target(), WriteFirmware(Pattern(10))), -1);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Bind tftps socket error"});

  EXPECT_EQ(CTftpWriteClient::CheckFirmwareFile((folder_.Path() / "missing.hex").string()), "Firmware file not found");
  EXPECT_EQ(CTftpWriteClient::CheckFirmwareFile(folder_.Path().string()), "Firmware file not found");
  // Block numbers are 16 bits: the largest file that fits ends with block 65535.
  const auto large = folder_.Path() / "large.hex";
  std::ofstream(large).close();
  std::filesystem::resize_file(large, tftp::kLargestFile);
  EXPECT_EQ(CTftpWriteClient::CheckFirmwareFile(large.string()), "");
  std::filesystem::resize_file(large, tftp::kLargestFile + 1);
  EXPECT_EQ(CTftpWriteClient::CheckFirmwareFile(large.string()), "Firmware file is too large");
}

TEST_F(TftpTransferTest, MalformedDatagramsChangeNothingAndAnUnterminatedErrorIsCut) {
  StartPeer(TftpMode::NeverAck);
  ASSERT_EQ(client_.Start(Target(), WriteFirmware(Pattern(3000))), 0);
  EXPECT_FALSE(Pump([] { return false; }));
  const int forger = ::socket(AF_INET, SOCK_DGRAM, 0);
  const auto send = [&](const std::vector<std::uint8_t>& packet) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(localPort_);
    to.sin_addr.s_addr = htonl(0x7F000001);
    ::sendto(forger, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  };
  std::mt19937 random(11);
  std::vector<std::vector<std::uint8_t>> junk{{}, {0}, {0, 4}, {0, 4, 0}, {0, 0, 0, 1}, {0, 1, 0, 1}, {0, 3, 0, 1, 9},
                                              {0, 6, 0, 1}, {0xFF, 0xFF, 0, 1}};
  for (int i = 0; i < 50; ++i) {
    std::vector<std::uint8_t> packet(random() % 700);
    for (auto& b : packet) b = static_cast<std::uint8_t>(random());
    if (packet.size() >= 2 && (packet[1] == tftp::kAck || packet[1] == tftp::kError)) packet[1] = 7;
    junk.push_back(packet);
  }
  for (const auto& packet : junk) send(packet);
  Pump([] { return false; });
  EXPECT_EQ(client_.CurrentBlock(), 1);
  EXPECT_TRUE(socket_.IsOpen());
  EXPECT_TRUE(boxes_.Texts().empty());

  std::vector<std::uint8_t> error{0, 5, 0, 1};
  error.insert(error.end(), 600, 'x');  // no terminator, longer than a block
  send(error);
  Pump([&] { return refused_; });
  EXPECT_TRUE(refused_);
  EXPECT_EQ(logged_, std::vector<std::string>{std::string(tftp::kErrorTextLimit, 'x')});
  ::close(forger);
}
