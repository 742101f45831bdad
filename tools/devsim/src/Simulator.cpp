#include "Simulator.h"

#include <arpa/inet.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <stdexcept>

#include "Agent.h"
#include "Notification.h"
#include "PduCodec.h"

namespace devsim {
namespace {

constexpr uint32_t kControlToken = UINT32_MAX;
constexpr size_t kMaxDatagram = 65535;
constexpr size_t kMaxAnswer = 65507;  // the largest UDP payload over IPv4
// Control lines executed per turn of the loop: a long backlog must not keep the devices from answering.
constexpr unsigned kControlLinesPerTurn = 1000;
// Datagrams taken from one socket per wake-up. The sockets are level-triggered, so a socket with more
// waiting is reported again, after the other ready devices had their turn.
constexpr unsigned kBatch = 16;

std::string Text(const sockaddr_in& address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

sockaddr_in SocketAddress(const std::string& address, int port) {
  sockaddr_in socketAddress{};
  socketAddress.sin_family = AF_INET;
  socketAddress.sin_port = htons(static_cast<uint16_t>(port));
  if (inet_pton(AF_INET, address.c_str(), &socketAddress.sin_addr) != 1)
    throw std::runtime_error("bad IPv4 address \"" + address + "\"");
  return socketAddress;
}

}  // namespace

Simulator::Simulator(std::vector<std::unique_ptr<Device>> devices)
    : devices_(std::move(devices)),
      control_(devices_, [this](Device& device, const NotificationOrder& order) { return Notify(device, order); }),
      input_(kBatch * kMaxDatagram),
      output_(kMaxDatagram) {
  std::set<std::string> addresses;
  for (const auto& device : devices_) {
    SocketAddress(device->Address(), 0);
    if (!addresses.insert(device->Address()).second)
      throw std::runtime_error("two devices on " + device->Address());
  }
  epoll_ = epoll_create1(EPOLL_CLOEXEC);
  if (epoll_ < 0) throw std::runtime_error("epoll_create1 failed");
}

Simulator::~Simulator() {
  CloseSockets();
  if (epoll_ >= 0) close(epoll_);
}

void Simulator::CloseSockets() {
  for (int socket : sockets_) close(socket);
  sockets_.clear();
}

bool Simulator::TryBind(int port) {
  const bool pick = port == 0;
  for (size_t i = 0; i < devices_.size(); ++i) {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    sockets_.push_back(fd);
    sockaddr_in address = SocketAddress(devices_[i]->Address(), port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      if (pick && errno == EADDRINUSE && i > 0) return false;  // the picked port is taken on another address
      throw std::runtime_error("cannot bind " + devices_[i]->Address() + ":" + std::to_string(port));
    }
    if (port == 0) {
      socklen_t size = sizeof address;
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
      port = ntohs(address.sin_port);
    }
  }
  return true;
}

int Simulator::Bind(int port) {
  if (devices_.empty()) throw std::runtime_error("no devices");
  for (int attempt = 0; attempt < 100; ++attempt) {
    CloseSockets();
    if (!TryBind(port)) continue;
    for (uint32_t i = 0; i < sockets_.size(); ++i) {
      epoll_event event{EPOLLIN, {.u32 = i}};
      epoll_ctl(epoll_, EPOLL_CTL_ADD, sockets_[i], &event);
    }
    sockaddr_in bound{};
    socklen_t size = sizeof bound;
    getsockname(sockets_.front(), reinterpret_cast<sockaddr*>(&bound), &size);
    return ntohs(bound.sin_port);
  }
  throw std::runtime_error("no port is free on every device address");
}

void Simulator::EnableControl(int input, std::FILE* output) {
  controlInput_ = input;
  controlOutput_ = output;
  epoll_event event{EPOLLIN, {.u32 = kControlToken}};
  if (epoll_ctl(epoll_, EPOLL_CTL_ADD, input, &event) != 0) throw std::runtime_error("cannot watch control input");
}

void Simulator::Run() {
  epoll_event events[64];
  while (!stop_) {
    const int count = epoll_wait(epoll_, events, 64, WaitMillis(Clock::now()));
    for (int i = 0; i < count; ++i) {
      if (events[i].data.u32 == kControlToken)
        ReadControl();
      else
        ServeSocket(events[i].data.u32);
    }
    SendDue(Clock::now());
    if (inform_ && Clock::now() >= inform_->deadline) FinishInform(false);
    ExecuteControlLines();
  }
}

int Simulator::WaitMillis(Clock::time_point now) const {
  constexpr int kStopCheckMillis = 200;  // a signal landing just before epoll_wait is seen this late
  std::optional<Clock::time_point> next;
  if (!pending_.empty()) next = pending_.top().due;
  if (inform_ && (!next || inform_->deadline < *next)) next = inform_->deadline;
  if (HasControlLine()) return 0;
  if (!next) return kStopCheckMillis;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - now).count();
  return static_cast<int>(std::clamp<long>(wait, 0, kStopCheckMillis));
}

// One call reads what is queued, up to a batch, and never a second time just to find the queue empty:
// with requests spread over many devices, that probe would cost one more system call per request.
void Simulator::ServeSocket(size_t index) {
  mmsghdr messages[kBatch];
  iovec buffers[kBatch];
  sockaddr_in peers[kBatch];
  for (unsigned i = 0; i < kBatch; ++i) {
    buffers[i] = {input_.data() + i * kMaxDatagram, kMaxDatagram};
    messages[i] = {};
    messages[i].msg_hdr.msg_name = &peers[i];
    messages[i].msg_hdr.msg_namelen = sizeof peers[i];
    messages[i].msg_hdr.msg_iov = &buffers[i];
    messages[i].msg_hdr.msg_iovlen = 1;
  }
  const int count = recvmmsg(sockets_[index], messages, kBatch, MSG_DONTWAIT, nullptr);
  for (int i = 0; i < count; ++i)
    Answer(index, input_.data() + i * kMaxDatagram, messages[i].msg_len, peers[i]);
}

void Simulator::Answer(size_t index, const u_char* data, size_t length, const sockaddr_in& peer) {
  if (inform_ && inform_->device == index && IsInformResponse(data, length, peer)) {
    FinishInform(true);
    return;
  }
  Device& device = *devices_[index];
  const auto now = Clock::now();
  if (device.IsSilent(now)) return;
  const auto request = PduCodec::Decode(data, length);
  if (!request) return;  // malformed: dropped
  const auto response = Agent::Answer(device, *request, now);
  if (!response) return;
  device.CountAnswer();
  u_char* out = output_.data();
  size_t size = PduCodec::Encode(*response, out, kMaxAnswer);
  if (size == 0) {
    // Too large for one datagram: tooBig, in the request's own form or, should even that not fit, without
    // its bindings.
    Pdu tooBig = Agent::ErrorResponse(*request, SNMP_ERR_TOOBIG, 0);
    size = PduCodec::Encode(tooBig, out, kMaxAnswer);
    tooBig.varbinds.clear();
    if (size == 0) size = PduCodec::Encode(tooBig, out, kMaxAnswer);
    if (size == 0) return;
  }
  if (device.Config().delay.count() > 0) {
    pending_.push({now + device.Config().delay, sockets_[index], peer, std::vector<u_char>(out, out + size)});
    return;
  }
  Send(sockets_[index], out, size, peer);
}

bool Simulator::Send(int socket, const u_char* data, size_t size, const sockaddr_in& peer) {
  if (sendto(socket, data, size, 0, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == static_cast<ssize_t>(size))
    return true;
  const int error = errno;
  sockaddr_in local{};
  socklen_t length = sizeof local;
  getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length);
  std::fprintf(stderr, "devsim: cannot send %zu bytes from %s to %s: %s\n", size, Text(local).c_str(),
               Text(peer).c_str(), std::strerror(error));
  return false;
}

void Simulator::SendDue(Clock::time_point now) {
  while (!pending_.empty() && pending_.top().due <= now) {
    const Pending& due = pending_.top();
    Send(due.socket, due.datagram.data(), due.datagram.size(), due.peer);
    pending_.pop();
  }
}

void Simulator::ReadControl() {
  char chunk[4096];
  const ssize_t received = read(controlInput_, chunk, sizeof chunk);
  if (received <= 0) {
    if (received == 0 || (errno != EAGAIN && errno != EINTR)) stop_ = true;  // the controlling test is gone
    return;
  }
  controlBuffer_.append(chunk, static_cast<size_t>(received));
}

bool Simulator::HasControlLine() const {
  return !inform_ && controlBuffer_.find('\n', controlStart_) != std::string::npos;
}

// One line at a time, in order: while an INFORM waits, the lines after it wait too. Executed lines are
// cut from the buffer only once they make up half of it, so a long backlog costs time in proportion to
// its length.
void Simulator::ExecuteControlLines() {
  for (unsigned count = 0; count < kControlLinesPerTurn && !inform_; ++count) {
    const size_t end = controlBuffer_.find('\n', controlStart_);
    if (end == std::string::npos) break;
    const std::string line = controlBuffer_.substr(controlStart_, end - controlStart_);
    controlStart_ = end + 1;
    if (const auto reply = control_.Execute(line)) Reply(*reply);
  }
  if (controlStart_ * 2 >= controlBuffer_.size()) {
    controlBuffer_.erase(0, controlStart_);
    controlStart_ = 0;
  }
}

void Simulator::Reply(const std::string& line) {
  std::fprintf(controlOutput_, "%s\n", line.c_str());
  std::fflush(controlOutput_);
}

std::optional<std::string> Simulator::Notify(Device& device, const NotificationOrder& order) {
  const auto found = std::find_if(devices_.begin(), devices_.end(), [&](const auto& d) { return d.get() == &device; });
  const size_t index = found - devices_.begin();
  if (index >= sockets_.size()) return "error not bound";
  const auto now = Clock::now();
  const long requestId = nextRequestId_++;
  const size_t size = PduCodec::Encode(Notification::Build(device, order, requestId, now), output_.data(), kMaxAnswer);
  if (size == 0 || !Send(sockets_[index], output_.data(), size, order.destination)) return "error cannot send";
  if (!order.inform) return "ok";
  inform_ = AwaitedInform{index, order.destination, requestId, now + order.wait};
  return std::nullopt;
}

bool Simulator::IsInformResponse(const u_char* data, size_t length, const sockaddr_in& peer) const {
  if (peer.sin_addr.s_addr != inform_->destination.sin_addr.s_addr || peer.sin_port != inform_->destination.sin_port)
    return false;
  const auto response = PduCodec::Decode(data, length);
  return response && response->version == SNMP_VERSION_2c && response->command == SNMP_MSG_RESPONSE &&
         response->requestId == inform_->requestId;
}

void Simulator::FinishInform(bool answered) {
  inform_.reset();
  Reply(answered ? "ok answered" : "ok unanswered");
}

}  // namespace devsim
