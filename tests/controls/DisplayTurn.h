#pragma once
// Window tests of this folder that click, type or read the screen run in separate processes on one shared
// virtual display: each holds this lock on the display while its windows are up, so no other test's window
// covers them or takes their mouse and keyboard input.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class DisplayTurn {
 public:
  DisplayTurn() {
    const char* display = std::getenv("DISPLAY");
    std::string name = display ? display : "none";
    for (char& c : name)
      if (c == ':' || c == '/') c = '_';
    m_fd = ::open(("/tmp/pellion-display" + name + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd >= 0) ::flock(m_fd, LOCK_EX);
  }
  ~DisplayTurn() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  }
  DisplayTurn(const DisplayTurn&) = delete;
  DisplayTurn& operator=(const DisplayTurn&) = delete;

 private:
  int m_fd = -1;
};
