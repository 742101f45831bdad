#include "SwitchSimulator.h"

#include "DatagramLoop.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace consolesim {

struct SwitchSimulator::Peer {
  SwitchConfig config;
  int socket = -1;
};

namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v >> 8);
  out[at + 1] = static_cast<std::uint8_t>(v);
}
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, static_cast<std::uint16_t>(v >> 16));
  Put16(out, at + 2, static_cast<std::uint16_t>(v));
}
std::uint16_t Get16(const std::vector<std::uint8_t>& in, std::size_t at) {
  return static_cast<std::uint16_t>(in[at] << 8 | in[at + 1]);
}
std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
  return std::uint32_t{Get16(in, at)} << 16 | Get16(in, at + 2);
}

std::string MacOf(const std::vector<std::uint8_t>& datagram) {
  char text[13];
  std::snprintf(text, sizeof text, "%02x%02x%02x%02x%02x%02x", datagram[4], datagram[5], datagram[6], datagram[7],
                datagram[8], datagram[9]);
  return text;
}

std::uint32_t Address(const std::string& text) {
  in_addr a{};
  inet_aton(text.c_str(), &a);
  return ntohl(a.s_addr);
}

std::string Dotted(std::uint32_t hostOrder) {
  in_addr a{htonl(hostOrder)};
  return inet_ntoa(a);
}

void AddElement(std::vector<std::uint8_t>& out, std::uint16_t type, const std::vector<std::uint8_t>& value) {
  const std::size_t at = out.size();
  out.resize(at + 4);
  Put16(out, at, type);
  Put16(out, at + 2, static_cast<std::uint16_t>(value.size() + 4));
  out.insert(out.end(), value.begin(), value.end());
}
std::vector<std::uint8_t> TextValue(const std::string& text) { return {text.begin(), text.end()}; }
std::vector<std::uint8_t> U32Value(std::uint32_t v) {
  std::vector<std::uint8_t> out(4);
  Put32(out, 0, v);
  return out;
}

}  // namespace

Mode ParseMode(const std::string& text) {
  if (text == "wrong-password") return Mode::WrongPassword;
  if (text == "loader") return Mode::Loader;
  if (text == "dhcp-fail") return Mode::DhcpRefreshFails;
  if (text == "silent") return Mode::Silent;
  if (text == "normal") return Mode::Normal;
  throw std::runtime_error("unknown mode " + text);
}

SwitchSimulator::SwitchSimulator(std::uint32_t magic, std::uint16_t basePort, std::string group,
                                 std::string interface, std::vector<SwitchConfig> switches)
    : magic_(magic), basePort_(basePort), group_(std::move(group)), interface_(std::move(interface)) {
  for (auto& config : switches) peers_.push_back(Peer{std::move(config)});
}

SwitchSimulator::~SwitchSimulator() { Stop(); }

void SwitchSimulator::Start() {
  listen_ = BoundSocket("0.0.0.0", static_cast<std::uint16_t>(basePort_ + 2), true);
  ip_mreq membership{};
  inet_aton(group_.c_str(), &membership.imr_multiaddr);
  inet_aton(interface_.c_str(), &membership.imr_interface);
  if (::setsockopt(listen_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) != 0)
    throw std::runtime_error("cannot join " + group_ + " on " + interface_);
  for (Peer& peer : peers_) peer.socket = BoundSocket(peer.config.address, 0, false);
  if (::pipe2(wake_, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  thread_ = std::thread(&SwitchSimulator::Run, this);
}

void SwitchSimulator::Stop() {
  if (thread_.joinable()) {
    const char stop = 's';
    (void)::write(wake_[1], &stop, 1);
    thread_.join();
  }
  for (int* fd : {&listen_, &wake_[0], &wake_[1]}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
  for (Peer& peer : peers_) {
    if (peer.socket >= 0) ::close(peer.socket);
    peer.socket = -1;
  }
}

void SwitchSimulator::Run() {
  RunDatagramLoop(listen_, wake_[0], [this](const std::vector<std::uint8_t>& datagram, const std::string& address,
                                            std::uint16_t port) { Handle(datagram, {address, port}); });
}

SwitchSimulator::Peer* SwitchSimulator::Find(const std::string& mac) {
  for (Peer& peer : peers_)
    if (peer.config.mac == mac) return &peer;
  return nullptr;
}

void SwitchSimulator::Handle(const std::vector<std::uint8_t>& datagram, const Endpoint& from) {
  if (datagram.size() < 40 || Get32(datagram, 16) != magic_) return;
  std::lock_guard lock(mutex_);
  const std::string target = MacOf(datagram);
  const std::uint16_t command = Get16(datagram, 12);
  const std::uint16_t sequence = Get16(datagram, 26);
  for (Peer& peer : peers_) {
    const bool discovery = command == 1 && target == "000000000000";
    if (!discovery && target != peer.config.mac) continue;
    received_.push_back({peer.config.mac, command, sequence, datagram});
    const Mode mode = peer.config.mode;
    if (mode == Mode::Silent) continue;
    if (command == 1) {
      if (mode == Mode::Loader)
        Reply(peer, 12, 0, 0, false, from);
      else
        Reply(peer, 2, 0, 0, true, from);
      continue;
    }
    // Sets and upgrade triggers start with the password element.
    std::string password;
    std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> elements;
    for (std::size_t at = 40; at + 4 <= datagram.size();) {
      const std::uint16_t type = Get16(datagram, at), length = Get16(datagram, at + 2);
      if (length < 4 || at + length > datagram.size()) break;
      elements.emplace_back(type, std::vector<std::uint8_t>(datagram.begin() + at + 4, datagram.begin() + at + length));
      if (type == 9) password.assign(datagram.begin() + at + 4, datagram.begin() + at + length);
      at += length;
    }
    const bool passwordOk = mode != Mode::WrongPassword && password == peer.config.password;
    if (command == 10) {
      Reply(peer, 11, passwordOk ? 0 : 2, sequence, false, from);
      continue;
    }
    if (command != 3) continue;
    if (!passwordOk) {
      Reply(peer, 4, 2, sequence, false, from);
      continue;
    }
    const bool refresh = Get16(datagram, 2) == 1;
    if (refresh && mode == Mode::DhcpRefreshFails) {
      Reply(peer, 4, 6, sequence, true, from);
      continue;
    }
    SwitchConfig& c = peer.config;
    for (const auto& [type, value] : elements) {
      const std::string text(value.begin(), value.end());
      switch (type) {
        case 2: c.systemName = text; break;
        case 3: c.location = text; break;
        case 4: if (value.size() >= 4 && Get32(value, 0) != 0) c.address = Dotted(Get32(value, 0)); break;
        case 5: if (value.size() >= 4) c.mask = Dotted(Get32(value, 0)); break;
        case 6: if (value.size() >= 4) c.gateway = Dotted(Get32(value, 0)); break;
        case 7: if (value.size() >= 4) c.trapAddress = Dotted(Get32(value, 0)); break;
        case 10: c.dhcp = value.size() == 1 ? value[0] : value.size() >= 2 ? Get16(value, 0) : c.dhcp; break;
        case 22: if (value.size() >= 4) c.groupInterval = static_cast<int>(Get32(value, 0)); break;
        default: break;
      }
    }
    Reply(peer, 4, 0, sequence, true, from);
  }
}

void SwitchSimulator::Reply(Peer& peer, std::uint16_t command, std::uint16_t status, std::uint16_t sequence,
                            bool elements, const Endpoint& to, const std::vector<std::uint8_t>& payload) {
  const SwitchConfig& c = peer.config;
  std::vector<std::uint8_t> out(40, 0);
  Put16(out, 0, 2);
  Put16(out, 2, 1);
  for (int i = 0; i < 6; ++i) out[4 + i] = static_cast<std::uint8_t>(std::stoul(c.mac.substr(2 * i, 2), nullptr, 16));
  Put16(out, 10, c.interfaceVersion);
  Put16(out, 12, command);
  Put16(out, 14, status);
  Put32(out, 16, magic_);
  Put16(out, 26, sequence);
  out.insert(out.end(), payload.begin(), payload.end());
  if (elements) {
    AddElement(out, 1, TextValue(c.productName));
    AddElement(out, 2, TextValue(c.systemName));
    AddElement(out, 3, TextValue(c.location));
    AddElement(out, 4, U32Value(Address(c.address)));
    AddElement(out, 5, U32Value(Address(c.mask)));
    AddElement(out, 6, U32Value(Address(c.gateway)));
    AddElement(out, 7, U32Value(Address(c.trapAddress)));
    if (c.dhcp >= 0) {
      if (c.interfaceVersion == 1)
        AddElement(out, 10, {static_cast<std::uint8_t>(c.dhcp)});
      else
        AddElement(out, 10, {0, static_cast<std::uint8_t>(c.dhcp)});
    }
    if (c.groupInterval >= 0) AddElement(out, 22, U32Value(static_cast<std::uint32_t>(c.groupInterval)));
    if (c.interfaceVersion >= 3) {
      std::vector<std::uint8_t> words(16, 0);
      Put32(words, 0, c.capabilityMask);
      AddElement(out, 129, words);
    }
  }
  sockaddr_in dest{};
  dest.sin_family = AF_INET;
  dest.sin_port = htons(to.port);
  inet_aton(to.address.c_str(), &dest.sin_addr);
  (void)::sendto(peer.socket, out.data(), out.size(), 0, reinterpret_cast<sockaddr*>(&dest), sizeof dest);
}

void SwitchSimulator::SetMode(const std::string& mac, Mode mode) {
  std::lock_guard lock(mutex_);
  if (Peer* peer = Find(mac)) peer->config.mode = mode;
}

SwitchConfig SwitchSimulator::Switch(const std::string& mac) const {
  std::lock_guard lock(mutex_);
  for (const Peer& peer : peers_)
    if (peer.config.mac == mac) return peer.config;
  return {};
}

std::vector<Received> SwitchSimulator::ReceivedDatagrams() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void SwitchSimulator::SendTrap(const std::string& mac, const Endpoint& to, const std::string& trapSource) {
  std::lock_guard lock(mutex_);
  Peer* peer = Find(mac);
  if (!peer) return;
  // A trap is a header and the four bytes of the address it reports.
  Reply(*peer, 9, 0, 0, false, to, U32Value(Address(trapSource)));
}

void SwitchSimulator::SendUpgradeAck(const std::string& mac, const Endpoint& to, std::uint16_t sequence) {
  std::lock_guard lock(mutex_);
  if (Peer* peer = Find(mac)) Reply(*peer, 11, 0, sequence, false, to);
}

}  // namespace consolesim
