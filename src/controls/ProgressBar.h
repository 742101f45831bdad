#pragma once
// A progress bar that places itself in one pane of the main window's status bar, after the pane's message,
// and gives the pane its text back when it goes.
#include <wx/gauge.h>
#include <wx/statusbr.h>

#include <string>

class CProgressBar : public wxGauge {
 public:
  CProgressBar() = default;
  ~CProgressBar() override;

  // False when the main window has no status bar or the bar cannot be made.
  bool AttachToStatusPane(const std::string& message, int sharePercent, int maximum, bool smooth = false,
                          int pane = 0);
  void RestorePaneText();
  void SetPaneMessage(const std::string& message);
  void SetPaneShare(int percent);
  void SetFillColour(const wxColour& colour);
  void SetBackColour(const wxColour& colour);
  void SetBarRange(int lower, int upper);
  void SetBarPos(int position);
  void OffsetBarPos(int amount);
  void SetBarStep(int step);
  void StepBar();
  void FitToPane();

  static constexpr int kStatusBarId = 59393;
  static constexpr char kReadyText[] = "Ready";

 private:
  wxStatusBar* FindStatusBar() const;
  void ShowBar();
  void OnStatusBarSize(wxSizeEvent& event);

  wxStatusBar* statusBar_ = nullptr;
  int share_ = 100;
  int pane_ = 0;
  int step_ = 1;
  int lower_ = 0;
  std::string message_;
  std::string previousText_;
  wxRect lastRect_;
};
