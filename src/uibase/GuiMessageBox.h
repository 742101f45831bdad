#pragma once
// The platform message-box handler of the GUI: a modal message dialog on the UI thread. A worker thread
// that asks waits until the user has answered; while the UI thread joins workers or the application shuts
// down it is answered Cancel and the text goes to the debug trace.
#include <string>

class wxWindow;

class CGuiMessageBox {
 public:
  int operator()(const std::string& text, const std::string& caption, unsigned style) const;

 private:
  static int ShowModal(const std::string& text, const std::string& caption, unsigned style);
};

// While one lives, boxes open over its window (the latest shown one wins): a dialog that keeps itself
// above its parent would otherwise hide a box owned by the main window, and look frozen behind it.
class CMessageBoxOwner {
 public:
  explicit CMessageBoxOwner(wxWindow* window);
  ~CMessageBoxOwner();
  CMessageBoxOwner(const CMessageBoxOwner&) = delete;
  CMessageBoxOwner& operator=(const CMessageBoxOwner&) = delete;

 private:
  wxWindow* window_;
};
