#pragma once
// What the main window's controller asks of the windows: the job progress windows, the status bar, the
// views, the output lists and the dialogs the worker messages open. The wxWidgets frame implements it;
// tests record the calls.
#include <string>

#include "mainmodel/OutputLogModel.h"

// One progress window per job.
enum class JobKind { Scan = 0, Password, ApSet, Template };
constexpr int kJobKindCount = 4;

enum class LogList { System, Action };

class IFrameWindows {
 public:
  virtual ~IFrameWindows() = default;

  virtual bool HasProgress(JobKind job) const = 0;
  // Creates the job's window with its title; the password window is modeless, the others modal.
  virtual void CreateProgress(JobKind job, const std::string& title) = 0;
  virtual void DestroyProgress(JobKind job) = 0;
  virtual void SetProgressRange(JobKind job, int lower, int upper) = 0;
  // One step; with pump the window's pending events run once after it.
  virtual void StepProgress(JobKind job, bool pump) = 0;
  virtual void SetProgressPos(JobKind job, int position) = 0;
  virtual void SetProgressText(JobKind job, const std::string& text) = 0;

  // The polling progress pane of the status bar, between a pass's start and end.
  virtual bool HasStatusProgress() const = 0;
  virtual void ShowStatusProgress() = 0;
  virtual void HideStatusProgress() = 0;
  virtual void SetStatusProgressPos(int position) = 0;
  // The message pane: index 1 while the progress pane is shown, else 0.
  virtual void SetStatusMessage(const std::string& text) = 0;

  virtual void RefreshAllViews(bool fullReload) = 0;
  virtual void RefreshGroupTree() = 0;   // only when the group view is shown
  virtual void RefreshClientList() = 0;  // only when the client view is shown

  // Repeats one append of the list's model on its window.
  virtual void ShowLogAppend(LogList list, const COutputLogModel::Append& append) = 0;
  virtual void ClearLogList(LogList list) = 0;

  virtual void ShowTrapPortBusy() = 0;
  // The "Save New Device" dialog: runs it modally (true when it ended with OK), or refills the open one.
  virtual bool RunSaveNewDevices() = 0;
  virtual void RefillSaveNewDevices() = 0;
};
