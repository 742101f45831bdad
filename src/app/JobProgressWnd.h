#pragma once
// The progress window of one job: Cancel hides it and tells the main window with the job's own message;
// the job's handler there stops the job and removes the window.
#include <cstdint>

#include "controls/ProgressWnd.h"

class CJobProgressWnd : public CProgressWnd {
 public:
  CJobProgressWnd(wxWindow* parent, const std::string& title, std::uint32_t cancelMessage);
  void OnCancel() override;

 private:
  std::uint32_t cancelMessage_;
};
