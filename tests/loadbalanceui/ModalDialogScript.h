#pragma once
// Plays a test's steps in the next modal dialog the code under test opens, once its modal loop runs.
#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <functional>

class ModalDialogScript : public wxModalDialogHook {
 public:
  using Steps = std::function<void(wxDialog&)>;

  ModalDialogScript() { Register(); }
  void Next(Steps steps) { steps_ = std::move(steps); }
  int Opened() const { return opened_; }

 protected:
  int Enter(wxDialog* dialog) override {
    ++opened_;
    if (steps_) dialog->CallAfter([dialog, steps = std::move(steps_)] { steps(*dialog); });
    steps_ = nullptr;
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {}

 private:
  Steps steps_;
  int opened_ = 0;
};
