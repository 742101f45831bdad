#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
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
  if (fd_ >= 0) return true;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  // flock belongs to the open file, so a second lock in this process is refused too.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void CSingleInstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_);  // closing drops the lock; the file stays, which is harmless
  fd_ = -1;
}

}  // namespace platform
