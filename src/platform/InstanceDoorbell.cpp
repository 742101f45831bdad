#include "platform/InstanceDoorbell.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace platform {
namespace {

constexpr char kRing[] = "show";

// A socket's address. sun_path holds at most 107 bytes, less than a runtime folder below a deep home or
// build folder may need; a longer path is reached through its folder opened here, as /proc/self/fd/N/name.
class SocketAddress {
 public:
  explicit SocketAddress(const std::string& path) {
    if (path.empty()) return;
    if (Fits(path)) {
      Set(path);
      return;
    }
    const std::filesystem::path full(path);
    folder_ = ::open(full.parent_path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) return;
    const std::string viaFolder = "/proc/self/fd/" + std::to_string(folder_) + "/" + full.filename().string();
    if (Fits(viaFolder)) Set(viaFolder);
  }
  ~SocketAddress() {
    if (folder_ >= 0) ::close(folder_);
  }
  SocketAddress(const SocketAddress&) = delete;
  SocketAddress& operator=(const SocketAddress&) = delete;

  bool Valid() const { return valid_; }
  const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&address_); }
  socklen_t Size() const { return sizeof(address_); }

 private:
  static bool Fits(const std::string& path) { return path.size() < sizeof(sockaddr_un::sun_path); }
  void Set(const std::string& path) {
    address_.sun_family = AF_UNIX;
    std::memcpy(address_.sun_path, path.c_str(), path.size() + 1);
    valid_ = true;
  }

  sockaddr_un address_{};
  int folder_ = -1;
  bool valid_ = false;
};

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
  const SocketAddress address(path_);
  if (!address.Valid()) return false;
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  ::unlink(path_.c_str());
  if (::bind(fd, address.Get(), address.Size()) != 0) {
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
  const SocketAddress address(path);
  if (!address.Valid()) return false;
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const ssize_t sent = ::sendto(fd, kRing, sizeof(kRing) - 1, MSG_DONTWAIT,
                                address.Get(), address.Size());
  ::close(fd);
  return sent == static_cast<ssize_t>(sizeof(kRing) - 1);
}

}  // namespace platform
