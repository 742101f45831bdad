#include "TftpPeer.h"

#include "DatagramLoop.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace consolesim {
namespace {

std::vector<std::uint8_t> Ack(std::uint16_t block) {
  return {0, 4, static_cast<std::uint8_t>(block >> 8), static_cast<std::uint8_t>(block)};
}

}  // namespace

TftpPeer::TftpPeer(std::string address, std::uint16_t port, TftpMode mode)
    : address_(std::move(address)), port_(port), mode_(mode) {}

TftpPeer::~TftpPeer() { Stop(); }

void TftpPeer::Start() {
  listen_ = BoundSocket(address_, port_, false);
  answer_ = BoundSocket(address_, 0, false);
  if (::pipe2(wake_, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  thread_ = std::thread(&TftpPeer::Run, this);
}

void TftpPeer::Stop() {
  if (thread_.joinable()) {
    const char stop = 's';
    (void)::write(wake_[1], &stop, 1);
    thread_.join();
  }
  for (int* fd : {&listen_, &answer_, &wake_[0], &wake_[1]}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
}

void TftpPeer::Run() {
  RunDatagramLoop(listen_, wake_[0], [this](const std::vector<std::uint8_t>& datagram, const std::string& address,
                                            std::uint16_t port) { Handle(datagram, address, port); });
}

void TftpPeer::Handle(const std::vector<std::uint8_t>& packet, const std::string& fromAddress, std::uint16_t fromPort) {
  if (packet.size() < 4) return;
  std::lock_guard lock(mutex_);
  const int opcode = packet[0] << 8 | packet[1];
  if (opcode == 2) {
    ++requests_;
    const auto nameEnd = std::find(packet.begin() + 2, packet.end(), 0);
    name_.assign(packet.begin() + 2, nameEnd);
    if (nameEnd != packet.end()) mode_text_.assign(nameEnd + 1, std::find(nameEnd + 1, packet.end(), 0));
    if (mode_ == TftpMode::IgnoreRequest) return;
    if (mode_ == TftpMode::AnswerError) {
      std::vector<std::uint8_t> error{0, 5, 0, 3};
      error.insert(error.end(), errorText_.begin(), errorText_.end());
      error.push_back(0);
      Answer(error, fromAddress, fromPort);
      return;
    }
    file_.clear();
    expected_ = 1;
    complete_ = false;
    Answer(Ack(0), fromAddress, fromPort);
    return;
  }
  if (opcode != 3) return;
  const auto block = static_cast<std::uint16_t>(packet[2] << 8 | packet[3]);
  blocks_.push_back(block);
  if (block == expected_) {
    file_.insert(file_.end(), packet.begin() + 4, packet.end());
    ++expected_;
    if (packet.size() < 4 + 512) complete_ = true;
  }
  if (mode_ == TftpMode::NeverAck) return;
  if (mode_ == TftpMode::DropOneAck && block == droppedBlock_ && !dropped_) {
    dropped_ = true;
    return;
  }
  Answer(Ack(block), fromAddress, fromPort);
}

void TftpPeer::Answer(const std::vector<std::uint8_t>& packet, const std::string& toAddress, std::uint16_t toPort) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(toPort);
  inet_aton(toAddress.c_str(), &to.sin_addr);
  (void)::sendto(answer_, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
}

std::string TftpPeer::RequestedName() const {
  std::lock_guard lock(mutex_);
  return name_;
}
std::string TftpPeer::RequestedMode() const {
  std::lock_guard lock(mutex_);
  return mode_text_;
}
std::vector<std::uint8_t> TftpPeer::File() const {
  std::lock_guard lock(mutex_);
  return file_;
}
std::vector<std::uint16_t> TftpPeer::BlocksReceived() const {
  std::lock_guard lock(mutex_);
  return blocks_;
}
bool TftpPeer::Complete() const {
  std::lock_guard lock(mutex_);
  return complete_;
}
int TftpPeer::RequestsReceived() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

}  // namespace consolesim
