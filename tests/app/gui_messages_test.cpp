// Window messages and message boxes between worker threads and the UI thread.
#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/thread.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/StatusText.h"
#include "support/MessageRecorder.h"
#include "uibase/GuiMessageReceiver.h"
#include "uibase/UiThreadCall.h"

using app_test::ModalDialogRecorder;
using app_test::PumpUntil;
using app_test::RunningApp;
using app_test::WithoutPolling;

namespace {

// The message pane: behind the progress pane while a polling pass runs, else the first.
std::string StatusPane(CMainFrame* frame) {
  return frame->GetStatusBar()->GetStatusText(frame->HasStatusProgress() ? 1 : 0).utf8_string();
}

}  // namespace

TEST(MainFrameMessagesTest, StatusTextPostedByAWorkerShowsOnTheUiThread) {
  WithoutPolling quiet;
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();

  std::thread([] {
    platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_STATUS_TEXT, 0, 0);  // a pass starts
    PostStatusText("Polling 10.1.1.7", 2.5f);
  }).join();
  EXPECT_FALSE(frame->HasStatusProgress()) << "a posted message waits for the UI thread";
  EXPECT_TRUE(PumpUntil([&] { return StatusPane(frame) == "Polling 10.1.1.7"; }));
  EXPECT_TRUE(frame->HasStatusProgress());

  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_STATUS_TEXT, 0, 2);
  EXPECT_TRUE(PumpUntil([&] { return !frame->HasStatusProgress() && StatusPane(frame).empty(); }));

  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_STATUS_TEXT, 59999, 3);
  EXPECT_TRUE(PumpUntil([&] { return StatusPane(frame) == "Remaining time to next polling: 59s"; }));
}

TEST(MainFrameMessagesTest, SendIsHandledBeforeItReturnsOnEitherThread) {
  WithoutPolling quiet;
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();

  platform::SendMessage(platform::GetMainWindow(), msg::WM_NMS_STATUS_TEXT, 0, 0);
  SetStatusText("sent on the UI thread");
  platform::SendMessage(platform::GetMainWindow(), msg::WM_NMS_STATUS_TEXT, 0, 1);
  EXPECT_EQ(StatusPane(frame), "sent on the UI thread");

  std::atomic<bool> returned{false};
  std::thread worker([&] {
    SetStatusText("sent by a worker");
    platform::SendMessage(platform::GetMainWindow(), msg::WM_NMS_STATUS_TEXT, 0, 1);
    returned = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return returned.load(); }));
  EXPECT_EQ(StatusPane(frame), "sent by a worker");
  worker.join();
}

namespace {

// An event handler that tells when a call has been queued on it.
class ObservedHandler : public wxEvtHandler {
 public:
  void QueueEvent(wxEvent* event) override {
    wxEvtHandler::QueueEvent(event);
    std::lock_guard lock(mutex_);
    ++queued_;
    changed_.notify_all();
  }
  void WaitForQueued(int count) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return queued_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int queued_ = 0;
};

}  // namespace

TEST(GuiMessageReceiverTest, PostedMessagesArriveInOrderOnTheUiThreadWithTheirText) {
  wxEvtHandler target;
  std::vector<platform::Message> received;
  bool allOnUiThread = true;
  CGuiMessageReceiver receiver(&target, [&](const platform::Message& message) {
    received.push_back(message);
    allOnUiThread = allOnUiThread && wxThread::IsMain();
    return std::intptr_t{0};
  });

  std::thread worker([&] {
    for (int i = 0; i < 200; ++i) receiver.Post({0x4F1, static_cast<std::uintptr_t>(i), -i, "ip " + std::to_string(i)});
  });
  worker.join();
  ASSERT_TRUE(PumpUntil([&] { return received.size() == 200; }));
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(received[i].wParam, static_cast<std::uintptr_t>(i));
    EXPECT_EQ(received[i].lParam, -i);
    EXPECT_EQ(received[i].text, "ip " + std::to_string(i));
  }
  EXPECT_TRUE(allOnUiThread);
}

TEST(GuiMessageReceiverTest, SendFromAWorkerReturnsTheHandlersResult) {
  wxEvtHandler target;
  CGuiMessageReceiver receiver(&target, [](const platform::Message& message) {
    return static_cast<std::intptr_t>(message.wParam * 2 + (wxThread::IsMain() ? 1 : 0));
  });
  std::atomic<std::intptr_t> result{-1};
  std::thread worker([&] { result = receiver.Send({0x500, 20, 0, {}}); });
  EXPECT_TRUE(PumpUntil([&] { return result != -1; }));
  worker.join();
  EXPECT_EQ(result, 41) << "handled on the UI thread";
}

TEST(GuiMessageReceiverTest, AWindowThatGoesDropsItsMessagesAndReleasesAWaitingSender) {
  auto* target = new ObservedHandler;
  int handled = 0;
  CGuiMessageReceiver receiver(target, [&](const platform::Message&) {
    ++handled;
    return std::intptr_t{7};
  });

  receiver.Post({0x500, 0, 0, {}});
  std::intptr_t result = -1;
  std::thread sender([&] { result = receiver.Send({0x501, 0, 0, {}}); });
  target->WaitForQueued(2);

  // As the window does when it is destroyed: first stop delivery, then the handler goes with its queue.
  receiver.Detach();
  delete target;
  sender.join();
  EXPECT_EQ(result, 0);

  receiver.Post({0x502, 0, 0, {}});
  EXPECT_EQ(receiver.Send({0x503, 0, 0, {}}), 0);
  app_test::PumpPending();
  EXPECT_EQ(handled, 0);
}

TEST(GuiMessageBoxTest, ShowsADialogWithTheStyleAndReturnsTheAnswer) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  struct Case {
    unsigned style;
    int pressed;
    int answer;
    long dialogStyle;
  };
  const Case cases[] = {
      {platform::MB_OK, wxID_OK, platform::IDOK, wxOK | wxICON_NONE},
      {platform::MB_OKCANCEL | platform::MB_ICONWARNING, wxID_CANCEL, platform::IDCANCEL,
       wxOK | wxCANCEL | wxICON_WARNING},
      {platform::MB_YESNO | platform::MB_ICONQUESTION, wxID_NO, platform::IDNO, wxYES_NO | wxICON_QUESTION},
      {platform::MB_YESNOCANCEL | platform::MB_ICONERROR, wxID_YES, platform::IDYES,
       wxYES_NO | wxCANCEL | wxICON_ERROR},
      {platform::MB_OK | platform::MB_ICONINFORMATION, wxID_OK, platform::IDOK, wxOK | wxICON_INFORMATION},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    long dialogStyle = 0;
    struct StyleReader : ModalDialogRecorder {
      StyleReader(int pressed, long& style) : ModalDialogRecorder(pressed), style_(style) {}
      int Enter(wxDialog* dialog) override {
        style_ = dynamic_cast<wxMessageDialogBase&>(*dialog).GetMessageDialogStyle();
        return ModalDialogRecorder::Enter(dialog);
      }
      long& style_;
    } boxes(c.pressed, dialogStyle);

    EXPECT_EQ(platform::MessageBox("Delete the selected device?", "Devices", c.style), c.answer);
    auto shown = boxes.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].message, "Delete the selected device?");
    EXPECT_EQ(shown[0].title, "Devices");
    EXPECT_EQ(dialogStyle & (wxOK | wxCANCEL | wxYES_NO | wxICON_MASK), c.dialogStyle);
  }
}

TEST(GuiMessageReceiverTest, ASendFromAWorkerDuringShutDownGivesUpInsteadOfWaitingForTheUiThread) {
  wxEvtHandler target;
  CGuiMessageReceiver receiver(&target, [](const platform::Message&) { return std::intptr_t{7}; });
  // The UI thread joins the worker here without pumping events, as a service's deleter would.
  CUiThreadCall::SetShuttingDown(true);
  std::intptr_t result = -1;
  std::thread worker([&] { result = receiver.Send({0x500, 0, 0, {}}); });
  worker.join();
  CUiThreadCall::SetShuttingDown(false);
  EXPECT_EQ(result, 0);
}

TEST(GuiMessageBoxTest, AWorkerWaitsForTheAnswerGivenOnTheUiThread) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  ModalDialogRecorder boxes(wxID_NO);

  std::atomic<int> answer{-1};
  std::thread worker([&] {
    answer = platform::MessageBox("SNMP trap port is in use, please stop the other SNMP application", "",
                                  platform::MB_YESNO);
  });
  EXPECT_TRUE(PumpUntil([&] { return answer != -1; }));
  worker.join();

  EXPECT_EQ(answer, platform::IDNO);
  auto shown = boxes.Dialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].onUiThread);
  EXPECT_EQ(shown[0].message, "SNMP trap port is in use, please stop the other SNMP application");
  EXPECT_EQ(shown[0].title, "Aurelan") << "a box without a caption carries the application title";
}

TEST(GuiMessageBoxTest, AWorkerAskingDuringShutDownIsAnsweredCancelWithoutADialog) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  ModalDialogRecorder boxes(wxID_OK);
  // The UI thread is busy deleting services (here: blocked in join) and cannot show anything.
  CUiThreadCall::SetShuttingDown(true);
  int answer = -1;
  std::thread worker([&] { answer = platform::MessageBox("Save failed", "", platform::MB_OK); });
  worker.join();
  CUiThreadCall::SetShuttingDown(false);
  EXPECT_EQ(answer, platform::IDCANCEL);
  EXPECT_TRUE(boxes.Dialogs().empty());
}

namespace {

// A polling thread that, once told to stop, hits a database error and asks for a message box before it
// ends. Its Stop joins it, as the real thread's does, but gives up after a while so that a fault shows
// as a failed test instead of a frozen program.
class BoxAskingPolling : public IPollingControl {
 public:
  struct Run {
    std::atomic<bool> stopAsked{false};
    std::atomic<int> answer{-100};
    std::atomic<bool> joinedInTime{false};
    std::thread thread;
  };
  explicit BoxAskingPolling(std::shared_ptr<Run> run) : run_(std::move(run)) {}

  bool Start(platform::WindowId) override {
    run_->thread = std::thread([run = run_] {
      while (!run->stopAsked) std::this_thread::sleep_for(std::chrono::milliseconds(5));
      run->answer = platform::MessageBox("database is locked", "", platform::MB_OK);
    });
    return true;
  }
  void Stop() override {
    if (!run_->thread.joinable() || run_->stopAsked) return;
    run_->stopAsked = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (run_->answer == -100 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    run_->joinedInTime = run_->answer != -100;
    if (run_->joinedInTime) run_->thread.join();
  }
  void Lock() override {}
  void Restart() override {}
  bool WaitIdle(std::chrono::milliseconds) override { return true; }
  void EnableScanIP(bool) override {}
  void ResetCountdown() override {}

 private:
  std::shared_ptr<Run> run_;
};

}  // namespace

TEST(GuiMessageBoxTest, AWorkerAskingWhileTheWindowStopsItIsNotWaitedForAndNoBoxComesLater) {
  auto run = std::make_shared<BoxAskingPolling::Run>();
  CMainFrame::SetPollingFactory([run] { return std::make_unique<BoxAskingPolling>(run); });
  std::optional<ModalDialogRecorder> boxes;
  {
    RunningApp app;
    ASSERT_TRUE(app.Started());
    boxes.emplace(wxID_OK);
    app.Exit();  // the window joins the worker while the worker asks for its box
  }
  CMainFrame::SetPollingFactory({});
  EXPECT_TRUE(run->joinedInTime) << "the window waited for the worker, the worker for the window";
  if (run->thread.joinable()) run->thread.join();
  EXPECT_EQ(run->answer, platform::IDCANCEL);
  app_test::PumpPending();
  EXPECT_TRUE(boxes->Dialogs().empty()) << "the box nobody waits for any more is not shown";
}

TEST(GuiMessageBoxTest, TheHandlerBeforeTheApplicationIsBackAfterItsExit) {
  testing_support::MessageBoxRecorder recorder;
  {
    RunningApp app;
    ASSERT_TRUE(app.Started());
    ModalDialogRecorder boxes(wxID_OK);
    platform::MessageBox("while running");
    EXPECT_EQ(boxes.Dialogs().size(), 1u);
  }
  platform::MessageBox("after exit");
  EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"after exit"});
}
