#pragma once
// A pop-up notice in the screen's corner: a pale yellow card with a bold title, a body text and a close
// button. The user may drag it elsewhere; the frame learns the new place and the close.
#include <wx/frame.h>

#include <functional>

#include "mainmodel/Notices.h"

class CNoticePopup : public wxFrame {
 public:
  struct Events {
    std::function<void(const wxPoint&)> moved;
    std::function<void()> closed;  // the popup destroys itself after this
  };

  CNoticePopup(wxWindow* owner, NoticeKind kind, Events events);
  // Shows it where the user left the last notice, or in the lower right corner of the screen.
  void ShowAt(const wxPoint& remembered);
  NoticeKind Kind() const { return kind_; }

 private:
  void OnLeftDown(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnCloseButton(wxCommandEvent& event);

  NoticeKind kind_;
  Events events_;
  wxPoint dragOffset_;
  bool dragging_ = false;
};
