#pragma once
// The platform message-box handler of the GUI: a modal message dialog on the UI thread. A worker thread
// that asks waits until the user has answered.
#include <string>

class CGuiMessageBox {
 public:
  int operator()(const std::string& text, const std::string& caption, unsigned style) const;

  // While shutting down a worker's box is answered Cancel at once: the UI thread is deleting services and
  // may be joining that very worker, so it would never show the box.
  static void SetShuttingDown(bool shuttingDown);

 private:
  static int ShowModal(const std::string& text, const std::string& caption, unsigned style);
};
