// What the main window's controller asks of the windows: job progress windows, the status bar's polling
// progress, the output lists and the dialogs the worker messages open.
#include <wx/gauge.h>
#include <wx/settings.h>

#include "app/JobProgressWnd.h"
#include "app/MainFrm.h"
#include "app/Resources.h"
#include "config/ApSetThread.h"
#include "config/ui/SaveNewDev.h"
#include "credentials/DevicePasswordChanger.h"
#include "credentials/ui/PasswdManagerDlg.h"
#include "groupmodel/ui/GroupView.h"
#include "mainmodel/ApSetJobEnd.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "uibase/UiThreadCall.h"
#include "usage/ui/ClientView.h"

namespace {

constexpr int kStatusProgressWidth = 100;
constexpr int kIndicatorWidth = 40;

// The message each job window's Cancel posts; the scan window's is the plain progress window's own.
std::uint32_t CancelMessageOf(JobKind job) {
  switch (job) {
    case JobKind::Password:
      return msg::WM_NMS_PASSWORD_DONE;
    case JobKind::ApSet:
      return msg::WM_NMS_APSET_CANCEL;
    case JobKind::Template:
      return msg::WM_NMS_TEMPLATE_END;
    case JobKind::Scan:
      break;
  }
  return 0;
}

}  // namespace

bool CMainFrame::HasProgress(JobKind job) const { return progress_[static_cast<int>(job)] != nullptr; }

void CMainFrame::CreateProgress(JobKind job, const std::string& title) {
  CProgressWnd*& window = progress_[static_cast<int>(job)];
  if (window) return;
  window = job == JobKind::Scan ? new CProgressWnd(this, title) : new CJobProgressWnd(this, title, CancelMessageOf(job));
  if (job != JobKind::Password) window->GoModal(title);  // the password job's window leaves the frame usable
}

void CMainFrame::DestroyProgress(JobKind job) {
  CProgressWnd*& window = progress_[static_cast<int>(job)];
  if (!window) return;
  window->Hide();
  window->Destroy();
  window = nullptr;
}

void CMainFrame::SetProgressRange(JobKind job, int lower, int upper) {
  if (CProgressWnd* window = progress_[static_cast<int>(job)]) window->SetRange(lower, upper, 1);
}

void CMainFrame::StepProgress(JobKind job, bool pump) {
  CProgressWnd* window = progress_[static_cast<int>(job)];
  if (!window) return;
  window->StepIt();
  if (pump) window->PeekAndPump(false);
}

void CMainFrame::SetProgressPos(JobKind job, int position) {
  if (CProgressWnd* window = progress_[static_cast<int>(job)]) window->SetPos(position);
}

void CMainFrame::SetProgressText(JobKind job, const std::string& text) {
  if (CProgressWnd* window = progress_[static_cast<int>(job)]) window->SetMessageText("%s", text.c_str());
}

bool CMainFrame::HasStatusProgress() const { return statusProgress_ != nullptr; }

void CMainFrame::ShowStatusProgress() {
  if (statusProgress_) return;
  wxStatusBar* bar = GetStatusBar();
  const int widths[] = {kStatusProgressWidth, -1, kIndicatorWidth, kIndicatorWidth, kIndicatorWidth};
  bar->SetFieldsCount(5, widths);
  statusProgress_ = new wxGauge(bar, wxID_ANY, 100, wxDefaultPosition, wxDefaultSize, wxGA_HORIZONTAL | wxGA_SMOOTH);
  wxRect field;
  bar->GetFieldRect(0, field);
  statusProgress_->SetSize(field);
}

void CMainFrame::HideStatusProgress() {
  if (!statusProgress_) return;
  statusProgress_->Destroy();
  statusProgress_ = nullptr;
  wxStatusBar* bar = GetStatusBar();
  const wxString message = bar->GetStatusText(1);
  const int widths[] = {-1, kIndicatorWidth, kIndicatorWidth, kIndicatorWidth};
  bar->SetFieldsCount(4, widths);
  bar->SetStatusText(message, 0);
}

void CMainFrame::SetStatusProgressPos(int position) {
  if (statusProgress_) statusProgress_->SetValue(std::clamp(position, 0, statusProgress_->GetRange()));
}

void CMainFrame::SetStatusMessage(const std::string& text) {
  if (wxStatusBar* bar = GetStatusBar()) bar->SetStatusText(wxString::FromUTF8(text), statusProgress_ ? 1 : 0);
}

void CMainFrame::ShowLogAppend(LogList list, const COutputLogModel::Append& append) {
  wxListCtrl* window = list == LogList::System ? systemLog_ : actionLog_;
  if (!window) return;
  window->Freeze();
  if (append.droppedFirst && window->GetItemCount() > 0) window->DeleteItem(0);
  const long row = window->InsertItem(window->GetItemCount(), wxString::FromUTF8(append.row.text));
  window->SetItemTextColour(row, wxColour(append.row.colour.red, append.row.colour.green, append.row.colour.blue));
  window->SetItemBackgroundColour(row, wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  // The column widens to the longest line, so no line is cut at the column's first width.
  if (window->GetColumnWidth(0) < window->GetTextExtent(window->GetItemText(row)).x + 16)
    window->SetColumnWidth(0, window->GetTextExtent(window->GetItemText(row)).x + 16);
  window->EnsureVisible(row);
  window->Thaw();
}

void CMainFrame::ClearLogList(LogList list) {
  wxListCtrl* window = list == LogList::System ? systemLog_ : actionLog_;
  if (window) window->DeleteAllItems();
}

void CMainFrame::ShowTrapPortBusy() {
  platform::MessageBox(res::kTrapPortBusy, "", platform::MB_OK | platform::MB_ICONERROR);
}

bool CMainFrame::RunSaveNewDevices() {
  CSaveNewDevDlg dialog(this);
  saveNewDevDlg_ = &dialog;
  const int result = dialog.ShowModal();
  saveNewDevDlg_ = nullptr;
  return result == wxID_OK;
}

void CMainFrame::RefillSaveNewDevices() {
  if (saveNewDevDlg_) saveNewDevDlg_->FillLists();
}

void CMainFrame::RefreshGroupTree() {
  if (auto* groups = dynamic_cast<CGroupView*>(view_)) groups->RefreshGroupTree();
}

void CMainFrame::ReloadGroupView() {
  if (auto* groups = dynamic_cast<CGroupView*>(view_)) platform::PostMessage(groups->GetWindowId(), msg::WM_GROUP_RELOAD);
}

void CMainFrame::RefreshClientList() {
  if (auto* clients = dynamic_cast<CClientView*>(view_)) clients->RefreshList();
}

void CMainFrame::WireJobs() {
  apSetThread_ = std::make_unique<CApSetThread>(windowId_);
  passwordChanger_ = std::make_unique<CDevicePasswordChanger>();
  passwordChanger_->SetOwnerWindow(windowId_);
  FrameJobHooks hooks;
  hooks.abortApSet = [this] {
    apSetThread_->Abort();
    CUiThreadJoining joining;  // a box the job asks for meanwhile is not waited for
    apSetThread_->Stop(false);  // the entry in flight ends; nothing after it is sent
  };
  hooks.apSetApplied = [this] { return apSetThread_->AppliedAndStored(); };
  hooks.finishApSet = FinishApSetJob;
  hooks.cancelPassword = [this] { passwordChanger_->Cancel(); };
  hooks.refillPasswordManager = [this] {
    if (passwordManager_) passwordManager_->FillList();
  };
  controller_->SetJobHooks(std::move(hooks));
}

void CMainFrame::StartApSetJob(const CApSetTask& task, const std::string& caption) {
  controller_->StartApSetJob(task.entries.size(), caption, {task.ip, task.mac, task.replacement}, [this, task] {
    apSetThread_->SetTask(task);
    if (apSetThread_->StartJob()) return;
    // No thread, no step: the modal progress window would never close.
    DebugTrace("Failed to start the AP-set job\n");
    DestroyProgress(JobKind::ApSet);
  });
}

void CMainFrame::StartModifyDevicePassword(const std::string& newPassword) {
  controller_->StartModifyDevicePassword([this, newPassword] {
    if (!passwordChanger_->Start(newPassword)) DebugTrace("A password change is still running\n");
  });
}
