#pragma once
// The running copy's doorbell: a datagram socket beside the single-instance lock file. A second start
// rings it to have the running copy show its window again (it may be hidden in the tray) instead of
// refusing with a message the user cannot act on.
#include <string>

namespace platform {

// The socket's path for a lock file's path: the same name with ".door" for ".lock".
std::string DoorbellPathFor(const std::string& lockPath);

class CInstanceDoorbell {
 public:
  explicit CInstanceDoorbell(std::string path);
  ~CInstanceDoorbell();
  CInstanceDoorbell(const CInstanceDoorbell&) = delete;
  CInstanceDoorbell& operator=(const CInstanceDoorbell&) = delete;

  // Only the holder of the lock opens it; a socket file a crashed copy left is replaced. False when the
  // socket cannot be made (the name is too long, the folder is not writable): then nobody can ring.
  bool Open();
  // -1 until opened; becomes readable when someone rang.
  int Fd() const { return fd_; }
  // Reads what is waiting without blocking; true when one of the datagrams was a ring. Anything else
  // (another sender's bytes, of any length) is dropped.
  bool TakeRings();

  // From a second start: true when a running copy's doorbell took the ring.
  static bool Ring(const std::string& path);

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace platform
