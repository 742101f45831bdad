#pragma once
// The platform message-box handler of the GUI: a modal message dialog on the UI thread. A worker thread
// that asks waits until the user has answered; while the application shuts down it is answered Cancel.
#include <string>

class CGuiMessageBox {
 public:
  int operator()(const std::string& text, const std::string& caption, unsigned style) const;

 private:
  static int ShowModal(const std::string& text, const std::string& caption, unsigned style);
};
