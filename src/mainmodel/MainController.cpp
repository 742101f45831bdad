#include "mainmodel/MainController.h"

#include <cstring>
#include <mutex>

#include "db/DeviceEventCounters.h"
#include "db/DiscoveryDb.h"
#include "db/MailAlertDb.h"
#include "db/SyslogParamDb.h"
#include "db/TopologyDBManager.h"
#include "device/DeviceNameIndex.h"
#include "log/LogDBModule.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/StatusText.h"
#include "settings/GlobalSettings.h"

namespace {

constexpr char kScanTitle[] = "Progress";
constexpr char kTemplateTitle[] = "Apply group template...";
constexpr char kTemplateBusy[] =
    "A group template is still being applied. Please apply this template again when it has ended.";
constexpr char kPasswordTitle[] = "Modify password..";

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

float FloatFromBits(std::uintptr_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  float result = 0;
  std::memcpy(&result, &bits, sizeof result);
  return result;
}

std::string Format(const char* format, auto... values) {
  char text[128];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

}  // namespace

CMainController::CMainController(IFrameWindows& windows, std::unique_ptr<IPollingControl> polling, Clock clock,
                                 Senders senders)
    : windows_(windows),
      polling_(std::move(polling)),
      clock_(std::move(clock)),
      mailSender_(senders.mail ? std::move(senders.mail) : std::make_unique<CEmailSendThread>()),
      syslogSender_(senders.syslog ? std::move(senders.syslog) : std::make_unique<CSyslogSendThread>()) {
  newDevices_ = [] { return CDiscoveryDb().HasNewDevices() > 0; };
}

CMainController::~CMainController() { StopWorkers(); }

void CMainController::StartWorkers(platform::WindowId notify, const CountryCodeLookup& countryCode) {
  trapListener_.Start(notify);
  applyTemplate_.SetOwnerWindow(notify);
  countryCode_ = countryCode;
  g_DeviceNameIndex.Reload();
  ReadStartupSettings(countryCode_);
  if (polling_) polling_->Start(notify);
  {
    std::lock_guard hold(g_csClients);
    g_bClientsRecorded = false;
  }
  clientMonitor_ = std::make_unique<CClientMonitorThread>();
  clientMonitor_->Start();
}

void CMainController::StopWorkers() {
  trapListener_.Stop();
  applyTemplate_.Cancel();
  applyTemplate_.Stop();
  if (polling_) polling_->Stop();
  clientMonitor_.reset();  // stops and joins it, then writes the clients still associated as gone
  trapListener_.Join();
  mailSender_.reset();  // a send in progress is asked to end and joined
  syslogSender_.reset();
}

void CMainController::ReadAlertSettings() {
  CMailAlertDb().GetMailAlertParam(mailSettings);
  CSyslogParamDb().GetSyslogParam(syslogSchedule);
}

void CMainController::ReloadSettings() {
  g_DeviceNameIndex.Reload();
  ReadStartupSettings(countryCode_);
  ReadAlertSettings();
  PollingIntervalChanged();
}

std::intptr_t CMainController::Dispatch(const platform::Message& m) {
  using namespace msg;
  switch (m.id) {
    case WM_NMS_SCAN_STARTED:
      if (windows_.HasProgress(JobKind::Scan)) {
        if (m.lParam == 0) {
          ShowJobText(JobKind::Scan, "Scan the network...");
          steps_[static_cast<int>(JobKind::Scan)] = 0;
        } else if (m.lParam == 1) {
          windows_.DestroyProgress(JobKind::Scan);
        }
      }
      windows_.RefreshAllViews(true);
      break;
    case WM_NMS_NEW_DEVICES:
      OnNewDevices();
      break;
    case WM_NMS_SCAN_STEP:
      if (windows_.HasProgress(JobKind::Scan)) {
        int& steps = steps_[static_cast<int>(JobKind::Scan)];
        windows_.SetProgressRange(JobKind::Scan, 0, static_cast<int>(m.wParam));
        if (steps < static_cast<int>(m.wParam)) {
          windows_.StepProgress(JobKind::Scan, false);
          ++steps;
        }
      }
      DebugTrace("%d, %d\n", static_cast<int>(m.lParam), static_cast<int>(m.wParam));
      break;
    case WM_NMS_PROGRESS_CANCEL:
      if (m.wParam == 1 && polling_) {
        polling_->EnableScanIP(false);
        polling_->Restart();
      }
      if (windows_.HasProgress(JobKind::Scan)) windows_.DestroyProgress(JobKind::Scan);
      break;
    case WM_NMS_STATUS_TEXT:
      OnStatusText(m.wParam, m.lParam);
      break;
    case WM_NMS_TEMPLATE_END:
      applyTemplate_.Cancel();
      windows_.RefreshGroupTree();
      if (windows_.HasProgress(JobKind::Template)) windows_.DestroyProgress(JobKind::Template);
      break;
    case WM_NMS_TEMPLATE_STEP:
      StepJob(JobKind::Template, m.wParam, m.lParam, true);
      break;
    case WM_NMS_TEMPLATE_STATUS:
      ShowJobText(JobKind::Template, m.text);
      break;
    case WM_NMS_APSET_CANCEL:
      // The job is aborted and joined first, so its end runs only once no SET is in flight.
      Call(hooks_.abortApSet);
      if (windows_.HasProgress(JobKind::ApSet)) {
        windows_.DestroyProgress(JobKind::ApSet);
        OnApSetJobFinished();
      }
      break;
    case WM_NMS_APSET_STEP:
      if (StepJob(JobKind::ApSet, m.wParam, m.lParam, true)) OnApSetJobFinished();
      break;
    case WM_NMS_APSET_TEXT:
      ShowJobText(JobKind::ApSet, m.text);
      break;
    case WM_NMS_APSET_DONE:
      windows_.RefreshGroupTree();
      break;
    case WM_NMS_PASSWORD_DONE:
      Call(hooks_.cancelPassword);
      if (windows_.HasProgress(JobKind::Password)) windows_.DestroyProgress(JobKind::Password);
      Call(hooks_.refillPasswordManager);
      break;
    case WM_NMS_PASSWORD_STEP:
      if (StepJob(JobKind::Password, m.wParam, m.lParam, false)) Call(hooks_.refillPasswordManager);
      break;
    case WM_NMS_PASSWORD_TEXT:
      ShowJobText(JobKind::Password, m.text);
      break;
    case WM_NMS_TRAP_PORT_BUSY:
      windows_.ShowTrapPortBusy();
      break;
    case WM_NMS_POLLING_DONE:
      windows_.RefreshAllViews(false);
      RunRealTimeSenders();
      break;
    case WM_NMS_SCAN_IP:
      ShowJobText(JobKind::Scan, Format("scan IP : %d.%d.%d.%d", static_cast<int>(m.wParam / 1000),
                                        static_cast<int>(m.wParam % 1000), static_cast<int>(m.lParam / 1000),
                                        static_cast<int>(m.lParam % 1000)));
      break;
    case WM_NMS_SCAN_DONE:
      windows_.RefreshAllViews(true);
      RunRealTimeSenders();
      break;
    case WM_NMS_CLIENTS_CHANGED:
      windows_.RefreshClientList();
      break;
    case WM_NMS_POLLING_LOCK:
      Lock();
      break;
    case WM_NMS_POLLING_RESTART:
      Restart();
      break;
    case WM_NMS_SYSLOG_LINE:
      AddLogLine(LogList::System, m.text, static_cast<int>(m.wParam));
      break;
    case WM_NMS_ACTION_LINE:
      AddLogLine(LogList::Action, m.text, static_cast<int>(m.wParam));
      break;
    case WM_NMS_SYSLOG_CLEAR:
      ClearLogLines(LogList::System);
      break;
    case WM_NMS_ACTION_CLEAR:
      ClearLogLines(LogList::Action);
      break;
    case WM_NMS_RESERVED_2AAD:
      return 1;
    default:  // 0x4C3, the firmware job's (its runner follows them) and the rest: accepted, nothing to do
      break;
  }
  return 0;
}

bool CMainController::StepJob(JobKind job, std::uintptr_t total, std::intptr_t count, bool pump) {
  if (!windows_.HasProgress(job)) return false;
  int& steps = steps_[static_cast<int>(job)];
  windows_.SetProgressRange(job, 0, static_cast<int>(total));
  for (std::intptr_t i = 0; i < count; ++i) {
    windows_.StepProgress(job, pump);
    if (++steps == static_cast<int>(total)) {
      windows_.DestroyProgress(job);
      return true;
    }
  }
  return false;
}

void CMainController::OnApSetJobFinished() {
  // A cancelled or refused job leaves the replaced AP and the recorded differences for a retry.
  if (hooks_.finishApSet && hooks_.apSetApplied && hooks_.apSetApplied()) hooks_.finishApSet(apSetTarget_);
  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_POLLING_RESTART);
  windows_.RefreshAllViews(false);
}

void CMainController::OnStatusText(std::uintptr_t value, std::intptr_t kind) {
  switch (kind) {
    case 0:
      windows_.ShowStatusProgress();
      statusSum_ = 0;
      windows_.SetStatusMessage("Polling start");
      break;
    case 1:
      if (!windows_.HasStatusProgress()) break;
      windows_.SetStatusMessage(GetStatusText());
      statusSum_ += FloatFromBits(value);
      windows_.SetStatusProgressPos(static_cast<int>(statusSum_));
      break;
    case 2:
      windows_.SetStatusMessage("");
      windows_.HideStatusProgress();
      break;
    case 3:
      windows_.SetStatusMessage(Format("Remaining time to next polling: %ds", static_cast<int>(value / 1000)));
      break;
  }
}

void CMainController::OnNewDevices() {
  windows_.RefreshAllViews(false);
  if (!newDevices_ || !newDevices_()) return;
  if (saveNewDevicesOpen_) {
    windows_.RefillSaveNewDevices();
    return;
  }
  saveNewDevicesOpen_ = true;
  const bool saved = windows_.RunSaveNewDevices();
  saveNewDevicesOpen_ = false;
  if (saved) windows_.RefreshAllViews(false);
}

void CMainController::RunRealTimeSenders() {
  if (!mailSender_) return;
  mailTrigger_.OnScanDone(mailSettings.schedule);
  syslogTrigger_.OnScanDone(syslogSchedule.schedule);
}

void CMainController::ShowJobText(JobKind job, const std::string& text) {
  if (windows_.HasProgress(job)) windows_.SetProgressText(job, text);
}

void CMainController::AddLogLine(LogList list, const std::string& text, int level) {
  COutputLogModel& model = list == LogList::System ? systemLog_ : actionLog_;
  const COutputLogModel::Append append = model.AddLine(text, level);
  if (append.added) windows_.ShowLogAppend(list, append);
}

void CMainController::ClearLogLines(LogList list) {
  (list == LogList::System ? systemLog_ : actionLog_).Clear();
  windows_.ClearLogList(list);
}

void CMainController::Lock() {
  if (polling_) polling_->Lock();
}

void CMainController::Restart() {
  DebugTrace("before ReStart");
  if (polling_) polling_->Restart();
  DebugTrace("after ReStart");
}

bool CMainController::StartApSetJob(std::size_t changeCount, const std::string& title, const ApSetTarget& target,
                                    const std::function<void()>& launch) {
  if (changeCount == 0) return false;
  if (!windows_.HasProgress(JobKind::ApSet)) windows_.CreateProgress(JobKind::ApSet, title);
  steps_[static_cast<int>(JobKind::ApSet)] = 0;
  apSetTarget_ = target;
  Call(launch);
  return true;
}

bool CMainController::StartApplyGroupTemplate(const std::function<bool()>& launch) {
  // The apply before may still be running (its settle wait goes on after a cancel): its end message
  // would close a new window, so none is opened and the user is told.
  if (!launch()) {
    platform::MessageBox(kTemplateBusy, {}, platform::MB_ICONINFORMATION);
    return false;
  }
  if (!windows_.HasProgress(JobKind::Template)) windows_.CreateProgress(JobKind::Template, kTemplateTitle);
  windows_.SetProgressText(JobKind::Template, kTemplateTitle);
  steps_[static_cast<int>(JobKind::Template)] = 0;
  return true;
}

bool CMainController::StartApplyGroupTemplate(const std::string& group) {
  return StartApplyGroupTemplate([this, group] { return applyTemplate_.StartApply(group); });
}

void CMainController::StartModifyDevicePassword(const std::function<void()>& launch) {
  steps_[static_cast<int>(JobKind::Password)] = 0;
  if (!windows_.HasProgress(JobKind::Password)) windows_.CreateProgress(JobKind::Password, kPasswordTitle);
  Call(launch);
}

void CMainController::StartDiscoveryScan() {
  windows_.CreateProgress(JobKind::Scan, kScanTitle);
  windows_.SetProgressText(JobKind::Scan, "Wait..");
  DebugTrace("EnableScanIP");
  if (polling_) polling_->EnableScanIP(true);
  DebugTrace("Restart");
  if (polling_) polling_->Restart();
}

void CMainController::StartPolling() {
  if (polling_) polling_->Restart();
}

void CMainController::PollingIntervalChanged() {
  if (polling_) polling_->ResetCountdown();
}

void CMainController::OnTimer(int id) {
  if (!mailSender_) return;  // the workers have stopped
  if (id == 1) mailTrigger_.OnTimerTick(mailSettings.schedule, clock_());
  if (id == 2) syslogTrigger_.OnTimerTick(syslogSchedule.schedule, clock_());
}

EventCounts CMainController::CountEvents() {
  TopologyDBManager().GetDeviceCounts();
  return CurrentCounts();
}

EventCounts CMainController::CurrentCounts() {
  const DeviceEventCounterBlock& c = DeviceEventCounters;
  return EventCounts{c.nChangedAp, c.nNewAp, c.nReplacedAp, c.nUnknownDevice, c.nNewSwitch, c.nManagedSwitch,
                     c.nManagedAp};
}

void CMainController::ClearLog() {
  GetLogDBModule()->ClearSystemLog();
  ClearLogLines(LogList::System);
  ClearLogLines(LogList::Action);
  windows_.RefreshAllViews(false);
}

bool CMainController::IsDatabaseFileName(const std::string& path) {
  return path.size() >= 4 && path.compare(path.size() - 4, 4, ".mdb") == 0;
}
