// The main window's decisions without windows: the worker-message table, the job step counters, the alert
// schedules on a pinned clock, the output lists, the view switches and the notices.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>

#include "FakeFrameWindows.h"
#include "FakePolling.h"
#include "mainmodel/MainController.h"
#include "platform/MessageIds.h"
#include "support/LocalTime.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::LocalTm;

platform::Message Msg(std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0, std::string text = {}) {
  return platform::Message{id, wParam, lParam, std::move(text)};
}

class FakeSender : public IAlertSender {
 public:
  bool idle = true;
  int starts = 0;
  bool IsIdle() const override { return idle; }
  bool Start() override {
    ++starts;
    return true;
  }
};

struct ControllerFixture : ::testing::Test {
  FakeFrameWindows windows;
  FakePolling* polling = nullptr;
  FakeSender* mail = nullptr;
  FakeSender* syslog = nullptr;
  platform::TimePoint now{};
  std::unique_ptr<CMainController> controller;

  ControllerFixture() {
    auto pollingControl = std::make_unique<FakePolling>();
    polling = pollingControl.get();
    CMainController::Senders senders{std::make_unique<FakeSender>(), std::make_unique<FakeSender>()};
    mail = static_cast<FakeSender*>(senders.mail.get());
    syslog = static_cast<FakeSender*>(senders.syslog.get());
    controller = std::make_unique<CMainController>(windows, std::move(pollingControl), [this] { return now; },
                                                   std::move(senders));
    controller->SetNewDevicesProbe([] { return true; });
  }

  void At(int year, int month, int day, int hour, int minute, int second = 0) {
    std::tm local = LocalTm(year, month, day, hour, minute, second);
    now = std::chrono::system_clock::from_time_t(std::mktime(&local));
  }
  std::vector<std::string> Calls() {
    auto calls = windows.calls;
    windows.calls.clear();
    return calls;
  }
};

TEST_F(ControllerFixture, MessageTableDrivesTheWindowsAsTheWorkersReport) {
  using V = std::vector<std::string>;
  controller->StartDiscoveryScan();
  EXPECT_EQ(Calls(), (V{"create scan Progress", "text scan Wait.."}));
  EXPECT_EQ(polling->calls, (V{"scan on", "restart"}));

  struct Case {
    platform::Message message;
    V calls;
  };
  const Case cases[] = {
      {Msg(msg::WM_NMS_SCAN_STARTED, 0, 0), {"text scan Scan the network...", "refresh full"}},
      {Msg(msg::WM_NMS_SCAN_IP, 192 * 1000 + 168, 1 * 1000 + 10), {"text scan scan IP : 192.168.1.10"}},
      {Msg(msg::WM_NMS_SCAN_STEP, 2, 1), {"range scan 0..2", "step scan"}},
      {Msg(msg::WM_NMS_SCAN_STEP, 2, 1), {"range scan 0..2", "step scan"}},
      {Msg(msg::WM_NMS_SCAN_STEP, 2, 1), {"range scan 0..2"}},  // the counter is at the range already
      {Msg(msg::WM_NMS_SCAN_STARTED, 0, 1), {"destroy scan", "refresh full"}},
      {Msg(msg::WM_NMS_SCAN_STARTED, 0, 1), {"refresh full"}},  // no window any more
      {Msg(msg::WM_NMS_STATUS_TEXT, 59999, 3), {"status Remaining time to next polling: 59s"}},
      {Msg(msg::WM_NMS_STATUS_TEXT, 0, 0), {"status progress shown", "status Polling start"}},
      {Msg(msg::WM_NMS_STATUS_TEXT, 0, 2), {"status ", "status progress hidden"}},
      {Msg(msg::WM_NMS_SCAN_DONE), {"refresh full"}},
      {Msg(msg::WM_NMS_POLLING_DONE), {"refresh status"}},
      {Msg(msg::WM_NMS_CLIENTS_CHANGED), {"clients"}},
      {Msg(msg::WM_NMS_APSET_DONE), {"groups"}},
      {Msg(msg::WM_NMS_TRAP_PORT_BUSY), {"trap port busy"}},
      {Msg(msg::WM_NMS_SYSLOG_LINE, 2, 0, "[x] Discovered a new device"), {"system [x] Discovered a new device"}},
      {Msg(msg::WM_NMS_SYSLOG_LINE, 2, 0, ""), {}},  // an empty text adds no row
      {Msg(msg::WM_NMS_ACTION_LINE, 0, 0, "Login"), {"action Login"}},
      {Msg(msg::WM_NMS_SYSLOG_CLEAR), {"clear system"}},
      {Msg(msg::WM_NMS_RESERVED_4C3), {}},
      // The firmware job's messages belong to its runner, not to the frame.
      {Msg(msg::WM_NMS_FIRMWARE_PROGRESS, 1000), {}},
      {Msg(msg::WM_NMS_FIRMWARE_STOP), {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(controller->Dispatch(c.message), 0) << std::hex << c.message.id;
    EXPECT_EQ(Calls(), c.calls) << std::hex << "message 0x" << c.message.id;
  }
  EXPECT_EQ(controller->Dispatch(Msg(msg::WM_NMS_RESERVED_2AAD)), 1);
  EXPECT_EQ(controller->SystemLog().Count(), 0u);
  EXPECT_EQ(controller->ActionLog().Count(), 1u);

  polling->calls.clear();
  controller->Dispatch(Msg(msg::WM_NMS_POLLING_LOCK));
  controller->Dispatch(Msg(msg::WM_NMS_POLLING_RESTART));
  EXPECT_EQ(polling->calls, (V{"lock", "restart"}));
}

TEST_F(ControllerFixture, StatusProgressAddsTheFloatSharesOfAPass) {
  auto bits = [](float value) {
    std::uint32_t raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    return static_cast<std::uintptr_t>(raw);
  };
  controller->Dispatch(Msg(msg::WM_NMS_STATUS_TEXT, bits(1.5f), 1));
  EXPECT_TRUE(Calls().empty()) << "no progress pane before the pass starts";
  controller->Dispatch(Msg(msg::WM_NMS_STATUS_TEXT, 0, 0));
  Calls();
  controller->Dispatch(Msg(msg::WM_NMS_STATUS_TEXT, bits(12.5f), 1));
  controller->Dispatch(Msg(msg::WM_NMS_STATUS_TEXT, bits(12.75f), 1));
  auto calls = Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[1], "status pos 12");
  EXPECT_EQ(calls[3], "status pos 25");
}

TEST_F(ControllerFixture, ScanCancelStopsTheScanAndRestartsPolling) {
  controller->StartDiscoveryScan();
  polling->calls.clear();
  Calls();
  controller->Dispatch(Msg(msg::WM_NMS_PROGRESS_CANCEL, 1, 0));
  EXPECT_EQ(polling->calls, (std::vector<std::string>{"scan off", "restart"}));
  EXPECT_EQ(Calls(), (std::vector<std::string>{"destroy scan"}));
}

TEST_F(ControllerFixture, OverlappingJobsCountTheirStepsApartAndCloseAtTheirOwnTotals) {
  testing_support::MessageRecorder mainWindow;
  std::vector<ApSetTarget> finished;
  int refills = 0;
  FrameJobHooks hooks;
  hooks.apSetApplied = [] { return true; };
  hooks.finishApSet = [&](const ApSetTarget& t) { finished.push_back(t); };
  hooks.refillPasswordManager = [&] { ++refills; };
  controller->SetJobHooks(hooks);
  int launched = 0;
  controller->StartModifyDevicePassword([&] { ++launched; });
  ASSERT_TRUE(controller->StartApSetJob(3, "AP setting", {"10.0.0.5", "00:11:22:33:44:55", false}, [&] { ++launched; }));
  EXPECT_FALSE(controller->StartApSetJob(0, "none", {}, [&] { ++launched; })) << "an empty change list starts nothing";
  EXPECT_EQ(launched, 2);

  controller->Dispatch(Msg(msg::WM_NMS_APSET_STEP, 3, 1));
  controller->Dispatch(Msg(msg::WM_NMS_PASSWORD_STEP, 2, 1));
  controller->Dispatch(Msg(msg::WM_NMS_APSET_STEP, 3, 1));
  EXPECT_EQ(controller->StepsOf(JobKind::ApSet), 2);
  EXPECT_EQ(controller->StepsOf(JobKind::Password), 1);
  controller->Dispatch(Msg(msg::WM_NMS_PASSWORD_STEP, 2, 1));
  EXPECT_FALSE(windows.HasProgress(JobKind::Password));
  EXPECT_TRUE(windows.HasProgress(JobKind::ApSet)) << "the password job's end leaves the AP-set window open";
  EXPECT_EQ(refills, 1);
  controller->Dispatch(Msg(msg::WM_NMS_APSET_STEP, 3, 1));
  EXPECT_FALSE(windows.HasProgress(JobKind::ApSet));
  ASSERT_EQ(finished.size(), 1u);
  EXPECT_EQ(finished[0].mac, "00:11:22:33:44:55");
  EXPECT_EQ(mainWindow.MessagesWithId(msg::WM_NMS_POLLING_RESTART).size(), 1u);

  // A duplicated step after the close finds no window and does nothing.
  Calls();
  controller->Dispatch(Msg(msg::WM_NMS_APSET_STEP, 3, 1));
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(finished.size(), 1u);

  // Starting the template job while its window exists reuses it and resets text and counter.
  controller->StartApplyGroupTemplate([] { return true; });
  controller->Dispatch(Msg(msg::WM_NMS_TEMPLATE_STEP, 5, 2));
  controller->StartApplyGroupTemplate([] { return true; });
  EXPECT_EQ(controller->StepsOf(JobKind::Template), 0);
  auto calls = Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "create template Apply group template..."), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "step template pump"), 2);
}

TEST_F(ControllerFixture, ApSetCancelAbortsTheJobBeforeItsEndRuns) {
  testing_support::MessageRecorder mainWindow;
  std::vector<std::string> order;
  FrameJobHooks hooks;
  hooks.abortApSet = [&] { order.push_back("abort"); };
  hooks.apSetApplied = [&] {
    order.push_back("applied?");
    return true;  // the AP had taken it before the cancel arrived
  };
  hooks.finishApSet = [&](const ApSetTarget&) { order.push_back("finish"); };
  controller->SetJobHooks(hooks);
  controller->StartApSetJob(2, "t", {}, {});
  controller->Dispatch(Msg(msg::WM_NMS_APSET_CANCEL));
  EXPECT_EQ(order, (std::vector<std::string>{"abort", "applied?", "finish"}));
  EXPECT_FALSE(windows.HasProgress(JobKind::ApSet));
  controller->Dispatch(Msg(msg::WM_NMS_APSET_CANCEL));
  EXPECT_EQ(order.size(), 4u) << "a second cancel aborts again but finds no window to finish";
}

// A job the AP did not apply (cancelled, commit refused, not stored) ends without the database work.
TEST_F(ControllerFixture, AnApSetJobNotAppliedEndsWithoutItsDatabaseWork) {
  testing_support::MessageRecorder mainWindow;
  int finished = 0;
  FrameJobHooks hooks;
  hooks.apSetApplied = [] { return false; };
  hooks.finishApSet = [&](const ApSetTarget&) { ++finished; };
  controller->SetJobHooks(hooks);
  controller->StartApSetJob(1, "t", {}, {});
  controller->Dispatch(Msg(msg::WM_NMS_APSET_CANCEL));
  controller->StartApSetJob(1, "t", {}, {});
  controller->Dispatch(Msg(msg::WM_NMS_APSET_STEP, 1, 1));
  EXPECT_FALSE(windows.HasProgress(JobKind::ApSet));
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(mainWindow.MessagesWithId(msg::WM_NMS_POLLING_RESTART).size(), 2u) << "polling restarts either way";
}

// After a Cancel the first apply still waits for its APs to settle: a second apply is refused with a box
// and opens no window (the first apply's end would close it).
TEST_F(ControllerFixture, ASecondTemplateApplyWhileTheFirstEndsIsRefusedOpenly) {
  testing_support::TempDatabase database;
  testing_support::MessageBoxRecorder boxes;
  ASSERT_TRUE(controller->StartApplyGroupTemplate("default"));
  EXPECT_TRUE(windows.HasProgress(JobKind::Template));
  controller->Dispatch(Msg(msg::WM_NMS_TEMPLATE_END));  // the progress window's Cancel
  EXPECT_FALSE(windows.HasProgress(JobKind::Template));
  Calls();
  EXPECT_FALSE(controller->StartApplyGroupTemplate("other"));
  EXPECT_TRUE(Calls().empty()) << "no progress window";
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                               "A group template is still being applied. Please apply this template again when it "
                               "has ended."});
  controller.reset();  // ends the settle wait before the database goes
}

TEST_F(ControllerFixture, NewDevicesWhileTheSaveDialogRunsOnlyRefillIt) {
  windows.whileSaveNewDevicesRuns = [&] { controller->Dispatch(Msg(msg::WM_NMS_NEW_DEVICES)); };
  controller->Dispatch(Msg(msg::WM_NMS_NEW_DEVICES));
  EXPECT_EQ(Calls(), (std::vector<std::string>{"refresh status", "save new devices", "refresh status",
                                               "refill new devices", "refresh status"}));
  controller->SetNewDevicesProbe([] { return false; });
  controller->Dispatch(Msg(msg::WM_NMS_NEW_DEVICES));
  EXPECT_EQ(Calls(), (std::vector<std::string>{"refresh status"}));
}

TEST_F(ControllerFixture, WeeklyScheduleStartsOnceInItsMinuteAndSkipsABusySender) {
  controller->mailSettings.schedule.dateType = "2";
  controller->mailSettings.schedule.dateSubValue = "1";  // Sunday
  controller->mailSettings.schedule.sendTime.hour = 8;
  controller->mailSettings.schedule.sendTime.minute = 30;
  for (int second = 0; second < 60; ++second) {
    At(2026, 12, 13, 8, 30, second);  // a Sunday
    controller->OnTimer(1);
  }
  EXPECT_EQ(mail->starts, 1);
  At(2026, 12, 14, 8, 30);  // Monday
  controller->OnTimer(1);
  EXPECT_EQ(mail->starts, 1);
  mail->idle = false;
  At(2026, 12, 20, 8, 30);
  controller->OnTimer(1);
  mail->idle = true;
  At(2026, 12, 20, 8, 30, 30);
  controller->OnTimer(1);
  EXPECT_EQ(mail->starts, 1) << "a sender busy at its minute is not started again that day";
  EXPECT_EQ(syslog->starts, 0);
}

TEST_F(ControllerFixture, SchedulesAcrossMidnightAndMonthEnds) {
  AlertSchedule& daily = controller->syslogSchedule.schedule;
  daily.dateType = "1";
  daily.sendTime.hour = 0;
  daily.sendTime.minute = 0;
  At(2026, 12, 31, 23, 59, 59);
  controller->OnTimer(2);
  At(2027, 1, 1, 0, 0, 0);  // midnight of a new year
  controller->OnTimer(2);
  At(2027, 1, 1, 0, 0, 59);
  controller->OnTimer(2);
  EXPECT_EQ(syslog->starts, 1);
  At(2027, 1, 1, 0, 1, 0);  // the timer ticks every second, so the minute after clears the latch
  controller->OnTimer(2);
  At(2027, 1, 2, 0, 0, 1);
  controller->OnTimer(2);
  EXPECT_EQ(syslog->starts, 2) << "the next midnight starts it again";

  AlertSchedule& monthly = controller->mailSettings.schedule;
  monthly.dateType = "3";
  monthly.dateSubValue = "31";
  monthly.sendTime.hour = 23;
  monthly.sendTime.minute = 59;
  At(2027, 1, 31, 23, 59);
  controller->OnTimer(1);
  At(2027, 2, 1, 0, 0);
  controller->OnTimer(1);
  At(2027, 2, 28, 23, 59);  // February has no 31st
  controller->OnTimer(1);
  At(2027, 3, 31, 23, 59, 30);
  controller->OnTimer(1);
  EXPECT_EQ(mail->starts, 2);

  monthly.dateType = "4";  // real time: only after a polling round
  controller->OnTimer(1);
  EXPECT_EQ(mail->starts, 2);
  controller->Dispatch(Msg(msg::WM_NMS_SCAN_DONE));
  EXPECT_EQ(mail->starts, 3);
}

TEST(OutputLogModelTest, KeepsTheLatestFiveHundredLinesInTheirLevelColours) {
  COutputLogModel model(kSystemLogPalette);
  for (int i = 1; i <= 500; ++i) EXPECT_FALSE(model.AddLine("line " + std::to_string(i), 3).droppedFirst);
  COutputLogModel::Append last = model.AddLine("line 501", 1);
  EXPECT_TRUE(last.added);
  EXPECT_TRUE(last.droppedFirst);
  EXPECT_EQ(model.Count(), 500u);
  EXPECT_EQ(model.RowAt(0).text, "line 2");
  EXPECT_EQ(model.RowAt(499).text, "line 501");
  EXPECT_EQ(model.RowAt(499).colour, (Rgb{176, 28, 36}));
  EXPECT_FALSE(model.AddLine("", 1).added);
  EXPECT_EQ(model.Count(), 500u);

  const std::pair<int, Rgb> systemColours[] = {{1, {176, 28, 36}}, {2, {69, 129, 43}}, {3, {0, 82, 136}},
                                               {4, {0, 0, 0}}, {0, {0, 0, 0}}};
  for (auto [level, colour] : systemColours) EXPECT_EQ(kSystemLogPalette.ColourOf(level), colour) << level;
  const std::pair<int, Rgb> actionColours[] = {{1, {255, 0, 0}}, {2, {0, 0, 255}}, {3, {0, 255, 0}}, {0, {0, 0, 0}}};
  for (auto [level, colour] : actionColours) EXPECT_EQ(kActionLogPalette.ColourOf(level), colour) << level;
}

TEST(ViewTableTest, SwitchPlansFollowTheViewTable) {
  ViewSwitchPlan same = PlanViewSwitch(view::kDeviceList, view::kDeviceList);
  EXPECT_TRUE(same.layoutOnly) << "choosing AP while the list is shown does not recreate it";
  ViewSwitchPlan firmware = PlanViewSwitch(view::kFirmwareAps, view::kDeviceList);
  EXPECT_FALSE(firmware.layoutOnly) << "views 1 and 9 share a class but not a place";
  EXPECT_EQ(firmware.layout.headerHeight, 33);
  ViewSwitchPlan plot = PlanViewSwitch(view::kUtilizationPlot, view::kUtilizationPlot);
  EXPECT_FALSE(plot.layoutOnly) << "the plot is recreated on every switch";
  EXPECT_TRUE(plot.thinInnerBars);
  EXPECT_TRUE(plot.lockOuterAgain);
  EXPECT_TRUE(plot.layout.thinBars);
  for (int number : {0, 7, 8, 13, 99}) EXPECT_TRUE(PlanViewSwitch(number, 1).layoutOnly) << number;
  EXPECT_EQ(FindViewLayout(view::kDeviceList)->headerHeight, 65);
  EXPECT_STREQ(FindViewLayout(view::kClients)->className, "CClientView");

  EXPECT_EQ(FindNavigationAction(5624)->plotMode, 2);
  EXPECT_EQ(FindNavigationAction(5625)->plotMode, 1);
  EXPECT_EQ(FindNavigationAction(5622)->view, view::kFirmwareAps);
  EXPECT_TRUE(FindNavigationAction(5617)->runSummary);
  EXPECT_TRUE(FindNavigationAction(5619)->loadBalanceFlag);
  EXPECT_FALSE(FindNavigationAction(5621).has_value());
}

TEST(NoticesTest, CountersChooseOneNoticeAtMost) {
  using A = std::array<bool, kNoticeCount>;
  EXPECT_EQ(DecideNotices(2, 0), (A{false, true, false}));
  EXPECT_EQ(DecideNotices(2, 1), (A{true, false, false}));
  EXPECT_EQ(DecideNotices(0, 1), (A{false, false, true}));
  EXPECT_EQ(DecideNotices(0, 0), (A{false, false, false}));
  EXPECT_STREQ(NoticeTextOf(NoticeKind::Change).title, "Discover : AP changed");
  EXPECT_EQ(NoticeTextOf(NoticeKind::Replace).height, 275);
}

TEST(RestoreFileTest, OnlyALowerCaseMdbEndingIsADatabaseFile) {
  EXPECT_TRUE(CMainController::IsDatabaseFileName("/backups/Database_20261211_070000.mdb"));
  EXPECT_FALSE(CMainController::IsDatabaseFileName("/backups/OLD.MDB"));
  EXPECT_FALSE(CMainController::IsDatabaseFileName("mdb"));
}

}  // namespace
