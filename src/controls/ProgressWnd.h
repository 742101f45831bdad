#pragma once
// The small window that stays on top while a long job runs: the job's title with its percentage, a message
// of up to four lines, a bar and a Cancel button. Cancel stops nothing by itself: it tells the main window
// with a posted message, and whoever drives the job decides what to stop. The window comes back where the
// user left it last time.
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include "controlmodel/ProgressModel.h"

class CProgressWnd : public wxFrame {
 public:
  enum { IDC_CANCEL = 10, IDC_TEXT = 11, IDC_PROGRESS = 12 };

  // Only the defaults; Create or GoModal makes the window.
  CProgressWnd();
  // parent null: the main window.
  CProgressWnd(wxWindow* parent, const std::string& title, bool smooth = false);
  // Stores the position and enables the window that GoModal disabled.
  ~CProgressWnd() override;

  bool Create(wxWindow* parent, const std::string& title, bool smooth = false);
  // Makes the window when needed and disables the main window while this one stays usable.
  bool GoModal(const std::string& title = "Progress", bool smooth = false);

  void SetRange(int lower, int upper, int step = 1);
  int SetPos(int position);
  int OffsetPos(int amount);
  int StepIt();
  void SetStep(int step);
  void SetMessageText(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Makes the window large enough for the message it shows now, up to kMaxMessageLines lines and the
  // screen's width; it never shrinks, so it does not jump while the text changes.
  void GrowToMessage();
  void ClearProgress();
  void HideProgress();
  void ShowProgress();
  // Runs the events waiting for the UI thread; with the flag, Escape counts as Cancel meanwhile.
  void PeekAndPump(bool cancelOnEscape = true);

  // Stores the position and posts the cancel message to the main window; jobs override it to stop.
  virtual void OnCancel();

  bool IsModal() const { return modal_; }
  bool IsCancelled() const { return cancelled_; }
  const CProgressModel& Progress() const { return progress_; }
  void RememberPosition(bool remember) { rememberPosition_ = remember; }

  static constexpr int kMaxMessageLines = 12;
  static constexpr char kSettingsSection[] = "Settings";
  static constexpr char kXKey[] = "X";
  static constexpr char kYKey[] = "Y";

 private:
  bool Exists() const { return created_; }
  void LayoutControls(int lines, int width);
  void RestorePosition();
  void StorePosition() const;
  void MoveBar();
  void OnCancelButton(wxCommandEvent& event);
  void OnCharHook(wxKeyEvent& event);

  wxWindow* reenable_ = nullptr;
  bool cancelled_ = false;
  bool modal_ = false;
  bool rememberPosition_ = true;
  bool created_ = false;
  bool pumping_ = false;
  bool cancelOnEscape_ = false;
  CProgressModel progress_;
  int textLines_ = 4;
  int textWidth_ = 0;  // of the message area; the default width until the window is made
  wxStaticText* text_ = nullptr;
  wxGauge* bar_ = nullptr;
  wxButton* cancel_ = nullptr;
  std::string title_ = "Progress";
  std::string cancelLabel_ = " Cancel ";
};
