#pragma once
// A switch's TFTP side for tests: takes a write request and the data blocks on one port and answers from
// another, as a TFTP server does, reassembling the file. Its modes make it misbehave on purpose.
// Written from RFC 1350, independently of the console's client.
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace consolesim {

enum class TftpMode {
  Accept,         // acknowledges the request and every block
  IgnoreRequest,  // never answers the write request
  DropOneAck,     // leaves the acknowledgement of one block out, once
  NeverAck,       // acknowledges the request, never a block
  AnswerError,    // answers the request with an error packet
};

class TftpPeer {
 public:
  // Listens on the address and port; answers from an ephemeral port of the same address.
  TftpPeer(std::string address, std::uint16_t port, TftpMode mode = TftpMode::Accept);
  ~TftpPeer();
  TftpPeer(const TftpPeer&) = delete;
  TftpPeer& operator=(const TftpPeer&) = delete;

  // Throws std::runtime_error when a socket cannot be set up.
  void Start();
  void Stop();

  void SetDroppedBlock(std::uint16_t block) { droppedBlock_ = block; }
  void SetErrorText(std::string text) { errorText_ = std::move(text); }

  std::string RequestedName() const;
  std::string RequestedMode() const;
  std::vector<std::uint8_t> File() const;
  // Every data block number in the order it arrived, resends included.
  std::vector<std::uint16_t> BlocksReceived() const;
  bool Complete() const;
  int RequestsReceived() const;

 private:
  void Run();
  void Handle(const std::vector<std::uint8_t>& packet, const std::string& fromAddress, std::uint16_t fromPort);
  void Answer(const std::vector<std::uint8_t>& packet, const std::string& toAddress, std::uint16_t toPort);

  std::string address_;
  std::uint16_t port_;
  TftpMode mode_;
  std::uint16_t droppedBlock_ = 2;
  bool dropped_ = false;
  std::string errorText_ = "Disk full";
  mutable std::mutex mutex_;
  std::string name_, mode_text_;
  std::vector<std::uint8_t> file_;
  std::vector<std::uint16_t> blocks_;
  std::uint16_t expected_ = 1;
  bool complete_ = false;
  int requests_ = 0;
  int listen_ = -1;
  int answer_ = -1;
  int wake_[2] = {-1, -1};
  std::thread thread_;
};

}  // namespace consolesim
