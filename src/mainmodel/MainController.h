#pragma once
// What the main window decides, without windows: the start of its worker threads, the table of worker
// messages and what each does to the windows (through IFrameWindows), the job starters with one step
// counter per job, the lower pane's view number, the device-event counters and the notices they call for,
// the alert schedules on a one-second timer, and the two output-bar lists. Runs on the UI thread.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "alerts/EmailSendThread.h"
#include "alerts/ScheduledSendTrigger.h"
#include "alerts/SyslogSendThread.h"
#include "db/MailAlertSettings.h"
#include "db/ScheduleParams.h"
#include "engine/ClientMonitorThread.h"
#include "engine/TrapListener.h"
#include "groupapply/ApplyTemplateThread.h"
#include "mainmodel/FrameWindows.h"
#include "mainmodel/Notices.h"
#include "mainmodel/OutputLogModel.h"
#include "mainmodel/PollingControl.h"
#include "mainmodel/StartupSettings.h"
#include "mainmodel/ViewTable.h"
#include "platform/Clock.h"
#include "platform/Window.h"

// The AP an AP-set job works on.
struct ApSetTarget {
  std::string ip;
  std::string mac;
  bool replace = false;
};

// The job objects that belong to other parts of the console, as the messages reach them. Each may be empty.
struct FrameJobHooks {
  std::function<void()> abortApSet;            // returns once the AP-set thread has ended
  std::function<bool()> apSetApplied;          // the AP applied the job's configuration and it was stored
  std::function<void(const ApSetTarget&)> finishApSet;  // the job's own end: replaced AP, sync results
  std::function<void()> cancelPassword;        // the device-password changer
  std::function<void()> refillPasswordManager; // the list of the open password-manager dialog
};

struct EventCounts {
  int changedAp = 0, newAp = 0, replacedAp = 0, unknownDevice = 0, newSwitch = 0, managedSwitch = 0,
      managedAp = 0;
};

class CMainController {
 public:
  using Clock = std::function<platform::TimePoint()>;
  using NewDevicesProbe = std::function<bool()>;

  // The alert senders the timers start; by default the e-mail sender and the syslog forwarder.
  struct Senders {
    std::unique_ptr<IAlertSender> mail;
    std::unique_ptr<IAlertSender> syslog;
  };

  // polling may be null (no polling thread in this build or test).
  CMainController(IFrameWindows& windows, std::unique_ptr<IPollingControl> polling, Clock clock = platform::Now,
                  Senders senders = {});
  ~CMainController();
  CMainController(const CMainController&) = delete;
  CMainController& operator=(const CMainController&) = delete;

  void SetJobHooks(FrameJobHooks hooks) { hooks_ = std::move(hooks); }
  // Whether a new device waits to be saved; by default the discovery tables are asked.
  void SetNewDevicesProbe(NewDevicesProbe probe) { newDevices_ = std::move(probe); }

  // Start-up: the trap listener, the device-name numbers, the settings row, then the polling thread and
  // the client monitor. notify is the window their messages go to.
  void StartWorkers(platform::WindowId notify, const CountryCodeLookup& countryCode = {});
  // Shut-down: every thread stopped and joined; the trap listener first.
  void StopWorkers();
  // The alert settings the timers use, read from the settings row.
  void ReadAlertSettings();
  // After a restore replaced the database: the settings in use are read from it again as at start (the
  // settings row, the device-name numbers, the alert settings), and the polling countdown starts over.
  void ReloadSettings();

  // One worker message; the result for the sender (1 for 0x2AAD, else 0).
  std::intptr_t Dispatch(const platform::Message& message);

  // Job starters. A starter never waits for its job; launch starts it.
  bool StartApSetJob(std::size_t changeCount, const std::string& title, const ApSetTarget& target,
                     const std::function<void()>& launch);
  // launch returns whether the apply started; when it did not, a box says so and no window opens.
  bool StartApplyGroupTemplate(const std::function<bool()>& launch);
  // The group's template applied to its APs by the frame's apply-template thread.
  bool StartApplyGroupTemplate(const std::string& group);
  void StartModifyDevicePassword(const std::function<void()>& launch);
  // After the Discovery Wizard's OK: the scan's progress window, then the next pass scans the segments.
  void StartDiscoveryScan();
  // Toolbar "Start Polling".
  void StartPolling();
  // After Preferences ended with OK.
  void PollingIntervalChanged();

  // Steps counted for a job since its starter.
  int StepsOf(JobKind job) const { return steps_[static_cast<int>(job)]; }

  // Timers 1 (mail) and 2 (syslog); other ids are the window's own.
  void OnTimer(int id);

  // The view number now in the lower pane (0 none); the frame calls ViewShown after a switch.
  int ShownView() const { return shownView_; }
  void ViewShown(int number) { shownView_ = number; }
  ViewSwitchPlan PlanSwitch(int number) const { return PlanViewSwitch(number, shownView_); }

  // Recounts the device events; the notices that the counts call for.
  EventCounts CountEvents();
  static EventCounts CurrentCounts();

  // The Log menu's Clear Log: the system log emptied, both lists, a status refresh.
  void ClearLog();

  const COutputLogModel& SystemLog() const { return systemLog_; }
  const COutputLogModel& ActionLog() const { return actionLog_; }
  IPollingControl* Polling() const { return polling_.get(); }

  MailAlertSettings mailSettings;
  CScheduleParams syslogSchedule;

  // The file restore accepts: its name ends in ".mdb", compared case-sensitively.
  static bool IsDatabaseFileName(const std::string& path);

 private:
  bool StepJob(JobKind job, std::uintptr_t total, std::intptr_t count, bool pump);
  void OnApSetJobFinished();
  void OnStatusText(std::uintptr_t value, std::intptr_t kind);
  void OnNewDevices();
  void RunRealTimeSenders();
  void ShowJobText(JobKind job, const std::string& text);
  void AddLogLine(LogList list, const std::string& text, int level);
  void ClearLogLines(LogList list);
  void Lock();
  void Restart();

  IFrameWindows& windows_;
  std::unique_ptr<IPollingControl> polling_;
  Clock clock_;
  CountryCodeLookup countryCode_;  // as StartWorkers was given it
  FrameJobHooks hooks_;
  NewDevicesProbe newDevices_;
  std::array<int, kJobKindCount> steps_{};
  ApSetTarget apSetTarget_;
  float statusSum_ = 0;
  bool saveNewDevicesOpen_ = false;
  int shownView_ = 0;
  COutputLogModel systemLog_{kSystemLogPalette};
  COutputLogModel actionLog_{kActionLogPalette};

  CTrapListener trapListener_;
  CApplyTemplateThread applyTemplate_;
  std::unique_ptr<CClientMonitorThread> clientMonitor_;  // made when the workers start
  std::unique_ptr<IAlertSender> mailSender_;
  std::unique_ptr<IAlertSender> syslogSender_;
  CScheduledSendTrigger mailTrigger_{*mailSender_};
  CScheduledSendTrigger syslogTrigger_{*syslogSender_};
};
