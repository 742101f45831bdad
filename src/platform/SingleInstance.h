#pragma once
// The single-instance marker: a lock file under the user's runtime directory, held while the process runs.
// The kernel releases it when the process ends, also after a crash.
#include <string>

namespace platform {

class CSingleInstanceLock {
 public:
  explicit CSingleInstanceLock(std::string name);
  ~CSingleInstanceLock();
  CSingleInstanceLock(const CSingleInstanceLock&) = delete;
  CSingleInstanceLock& operator=(const CSingleInstanceLock&) = delete;

  // True when this process now holds the marker; false when another process holds it or the lock file
  // cannot be made (then Error says why).
  bool Acquire();
  void Release();
  const std::string& Path() const { return path_; }
  // Empty when the last Acquire succeeded or met another holder; otherwise the message for the user.
  const std::string& Error() const { return error_; }

 private:
  std::string path_;
  std::string error_;
  int fd_ = -1;
};

}  // namespace platform
