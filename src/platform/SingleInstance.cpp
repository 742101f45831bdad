#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

std::string RuntimeDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return std::string(runtime) + "/pellion";
  return "/tmp/pellion-" + std::to_string(getuid());
}

}  // namespace

CSingleInstanceLock::CSingleInstanceLock(std::string name) : path_(RuntimeDirectory() + "/" + name + ".lock") {}

CSingleInstanceLock::~CSingleInstanceLock() { Release(); }

bool CSingleInstanceLock::Acquire() {
  error_.clear();
  if (fd_ >= 0) return true;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // flock belongs to the open file, so a second lock in this process is refused too.
  if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    fd_ = fd;
    return true;
  }
  // Only a lock held elsewhere means another copy runs; any other failure leaves that unknown.
  if (fd < 0 || errno != EWOULDBLOCK)
    error_ = "Cannot create the lock file " + path_ + ": " + std::strerror(errno) +
             ". The program cannot tell whether another copy of it is running.";
  if (fd >= 0) ::close(fd);
  return false;
}

void CSingleInstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing drops the lock; the file stays, which is harmless
  fd_ = -1;
}

}  // namespace platform
