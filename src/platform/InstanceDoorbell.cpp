#include "platform/InstanceDoorbell.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>

namespace platform {
namespace {

constexpr char kRing[] = "show";

std::optional<sockaddr_un> AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return std::nullopt;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

}  // namespace

std::string DoorbellPathFor(const std::string& lockPath) {
  const std::string suffix = ".lock";
  const bool locked = lockPath.ends_with(suffix);
  return (locked ? lockPath.substr(0, lockPath.size() - suffix.size()) : lockPath) + ".door";
}

CInstanceDoorbell::CInstanceDoorbell(std::string path) : path_(std::move(path)) {}

CInstanceDoorbell::~CInstanceDoorbell() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(path_.c_str());
}

bool CInstanceDoorbell::Open() {
  if (fd_ >= 0) return true;
  const auto address = AddressOf(path_);
  if (!address) return false;
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  ::unlink(path_.c_str());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool CInstanceDoorbell::TakeRings() {
  bool rang = false;
  char buffer[sizeof(kRing)];
  for (;;) {
    // MSG_TRUNC returns the datagram's real length, so a longer one that starts alike is no ring.
    const ssize_t length = ::recv(fd_, buffer, sizeof(buffer), MSG_TRUNC);
    if (length < 0) return rang;
    if (static_cast<std::size_t>(length) == sizeof(kRing) - 1 && std::memcmp(buffer, kRing, sizeof(kRing) - 1) == 0)
      rang = true;
  }
}

bool CInstanceDoorbell::Ring(const std::string& path) {
  const auto address = AddressOf(path);
  if (!address) return false;
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const ssize_t sent = ::sendto(fd, kRing, sizeof(kRing) - 1, MSG_DONTWAIT,
                                reinterpret_cast<const sockaddr*>(&*address), sizeof(*address));
  ::close(fd);
  return sent == static_cast<ssize_t>(sizeof(kRing) - 1);
}

}  // namespace platform
