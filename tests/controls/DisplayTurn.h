#pragma once
// Window tests of this folder that click, type or read the screen run in separate processes on one shared
// virtual display: each holds this lock on the display while its windows are up, so no other test's window
// covers them or takes their mouse and keyboard input.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <wx/toplevel.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "support/ui/WxTestEnvironment.h"

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

// Window tests of other folders do not take turns: a window of theirs may come up over ours while we read
// the screen. The capture is taken again (at most five times) while `shows` finds the picture not ours.
inline wxImage CaptureUncovered(wxTopLevelWindow* frame, wxWindow* window,
                                const std::function<bool(const wxImage&)>& shows) {
  wxImage shot;
  for (int attempt = 0; attempt < 5; ++attempt) {
    frame->Raise();
    shot = testing_support::CaptureWindow(window);
    if (shows(shot)) break;
  }
  return shot;
}
