// Start-up, the main window, the About box and the second start (which brings the running window back,
// or is refused while the running copy has none), on a real display (Xvfb).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/dcclient.h>
#include <wx/menu.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "AppTestEnvironment.h"
#include "app/AboutDialog.h"
#include "app/MainFrm.h"
#include "app/Pellion.h"
#include "app/Resources.h"
#include "platform/AppContext.h"
#include "platform/Shutdown.h"
#include "platform/SingleInstance.h"
#include "uibase/CommandIds.h"

using app_test::App;
using app_test::ModalDialogRecorder;
using app_test::RunningApp;
using app_test::TestRoot;

namespace {

bool InstanceMarkerIsFree() {
  platform::CSingleInstanceLock probe(res::kSingleInstanceName);
  return probe.Acquire();  // released again when the probe goes
}

std::string Folder(const std::filesystem::path& path) { return std::filesystem::canonical(path).string(); }

// Starts a second copy in its own folder while the running one has no window to show, and checks that it
// is refused with the one message.
void ExpectSecondStartRefused() {
  ModalDialogRecorder boxes(wxID_OK);
  RunningApp second(TestRoot() / "second");
  EXPECT_FALSE(second.Started());
  auto shown = boxes.Dialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].message, "Application is already running!");
}

}  // namespace

TEST(AppStartTest, ShowsTheMaximisedMainWindowWithItsMenusAndExitsCleanly) {
  const std::filesystem::path start = TestRoot() / "started here";
  {
    RunningApp app(start);
    ASSERT_TRUE(app.Started());
    CMainFrame* frame = app.Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetTitle().utf8_string(), "Corvath Aurelan ");
    EXPECT_TRUE(frame->IsShown());
    EXPECT_TRUE(frame->IsMaximized());
    EXPECT_NE(frame->GetWindowId(), platform::kNoWindow);
    EXPECT_EQ(platform::GetMainWindow(), frame->GetWindowId());

    // The database lives in the directory the program was started from, not beside the executable.
    EXPECT_EQ(App().GetProgramFolder(), Folder(start));
    EXPECT_EQ(App().GetDatabasePath(), Folder(start) + "/Database.mdb");

    wxMenuBar* menus = frame->GetMenuBar();
    ASSERT_NE(menus, nullptr);
    ASSERT_NE(menus->FindItem(cmd::WxId(cmd::ID_APP_ABOUT)), nullptr);
    EXPECT_EQ(menus->FindItem(cmd::WxId(cmd::ID_APP_ABOUT))->GetItemLabel().utf8_string(), "&About CORVATH Aurelan...");
    ASSERT_NE(menus->FindItem(cmd::WxId(cmd::ID_APP_EXIT)), nullptr);
    EXPECT_EQ(menus->FindItem(cmd::WxId(cmd::ID_APP_EXIT))->GetItemLabel().utf8_string(), "E&xit");

    EXPECT_FALSE(InstanceMarkerIsFree()) << "the running copy holds the single-instance marker";
    app.Exit();
    EXPECT_TRUE(wxTopLevelWindows.IsEmpty());
    EXPECT_EQ(platform::GetMainWindow(), platform::kNoWindow);
  }
  EXPECT_TRUE(InstanceMarkerIsFree()) << "after a normal exit the next start must succeed";
}

TEST(AppStartTest, AboutCommandShowsVersionAndCaptionWithOnlyAnOkButton) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  ModalDialogRecorder dialogs(wxID_OK, ModalDialogRecorder::Mode::ShowThenPress);

  // The frame does not handle About; the command travels on to the application object.
  wxCommandEvent about(wxEVT_MENU, cmd::WxId(cmd::ID_APP_ABOUT));
  app.Frame()->ProcessWindowEvent(about);

  auto shown = dialogs.Dialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].id, 100);
  EXPECT_EQ(shown[0].title, "About Aurelan");
  EXPECT_EQ(shown[0].buttons, std::vector<int>{wxID_OK});
  const std::vector<std::pair<int, std::string>> versionText{{1328, "1.00.11 2008-06-25"}};
  EXPECT_EQ(shown[0].texts, versionText);
  EXPECT_EQ(wxTopLevelWindows.GetCount(), 1u) << "the About box is gone once OK was pressed";
}

TEST(AppStartTest, TheAboutBoxLeavesRoomForItsWholeCaption) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CAboutDialog about(app.Frame());
  testing_support::SaveCapture(testing_support::CaptureWindow(&about), "about");
  // A title bar writes the caption larger and bold, beside its buttons.
  wxClientDC dc(&about);
  dc.SetFont(about.GetFont().Bold().Scaled(1.25f));
  EXPECT_GT(about.GetSize().x, dc.GetTextExtent(about.GetTitle()).x + 90);
  about.Hide();
}

TEST(AppStartTest, ToolsMenuOffersTheSwitchConsoleWhichDoesNothingWithoutItsLibrary) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  wxMenuBar* menus = app.Frame()->GetMenuBar();
  ASSERT_NE(menus->FindMenu("Tools"), wxNOT_FOUND);
  wxMenuItem* item = menus->FindItem(cmd::WxId(cmd::ID_SWITCH_DISCOVER_UTILITY));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetItemLabel().utf8_string(), "&Switch Discover Utility");
  // The test program has no libquillon.so beside it: the command opens nothing and returns.
  ASSERT_FALSE(std::filesystem::exists(std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libquillon.so"));
  ModalDialogRecorder dialogs(wxID_OK);
  wxCommandEvent command(wxEVT_MENU, cmd::WxId(cmd::ID_SWITCH_DISCOVER_UTILITY));
  app.Frame()->ProcessWindowEvent(command);
  EXPECT_TRUE(dialogs.Dialogs().empty());
  EXPECT_EQ(wxTopLevelWindows.GetCount(), 1u);
}

TEST(AppStartTest, ExitDeletesTheServicesThatExistInTheirOrderAfterTheMainWindow) {
  std::vector<int> deleted;
  bool windowsGone = true;
  {
    RunningApp app;
    ASSERT_TRUE(app.Started());
    // Registered out of order, as services are created on first use.
    for (auto stage : {platform::ShutdownStage::ConnectionPool, platform::ShutdownStage::GroupStore,
                       platform::ShutdownStage::LoadBalanceManager, platform::ShutdownStage::EventLog}) {
      platform::RegisterShutdown(stage, [&deleted, &windowsGone, stage] {
        deleted.push_back(static_cast<int>(stage));
        windowsGone = windowsGone && wxTopLevelWindows.IsEmpty();
      });
    }
    EXPECT_TRUE(deleted.empty());
  }
  EXPECT_EQ(deleted, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(windowsGone) << "the main window goes before the services it uses";
}

TEST(SecondStartTest, BringsTheHiddenWindowBackAndLeavesTheRunningCopyAlone) {
  RunningApp first(TestRoot() / "first");
  ASSERT_TRUE(first.Started());
  CMainFrame* frame = first.Frame();
  bool firstServiceDeleted = false;
  platform::RegisterShutdown(platform::ShutdownStage::ConnectionPool, [&] { firstServiceDeleted = true; });
  frame->Hide();  // as the close box does where a tray keeps the program (the virtual display has none)
  ASSERT_TRUE(app_test::PumpUntil([&] { return !frame->IsShown(); }));

  {
    ModalDialogRecorder boxes(wxID_OK);
    RunningApp second(TestRoot() / "second");
    EXPECT_FALSE(second.Started());
    for (const auto& shown : boxes.Dialogs())
      ADD_FAILURE() << "no message: the running copy answers by showing its window; shown: " << shown.title << ": "
                    << shown.message;
  }
  ASSERT_TRUE(app_test::PumpUntil([&] { return frame->IsShownOnScreen(); }));
  const wxImage shot = testing_support::CaptureWindow(frame);
  testing_support::SaveCapture(shot, "second_start_shows_the_window");
  EXPECT_LT(testing_support::CountPixels(shot, *wxBLACK, 0), shot.GetWidth() * shot.GetHeight() / 2)
      << "the window is drawn again";

  EXPECT_EQ(first.Frame(), frame);
  EXPECT_EQ(wxTopLevelWindows.GetCount(), 1u) << "the refused copy opens no window";
  EXPECT_EQ(platform::GetMainWindow(), frame->GetWindowId());
  EXPECT_EQ(App().GetDatabasePath(), Folder(TestRoot() / "first") + "/Database.mdb");
  EXPECT_FALSE(firstServiceDeleted);
  EXPECT_FALSE(InstanceMarkerIsFree());
  first.Exit();
  EXPECT_TRUE(firstServiceDeleted);
}

namespace {

// The real program started as a separate process; stopped and reaped when the object goes.
class ProgramProcess {
 public:
  explicit ProgramProcess(const std::filesystem::path& directory) {
    std::filesystem::create_directories(directory);
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(directory.c_str()) == 0) execl(PELLION_BINARY, "pellion", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~ProgramProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  pid_t Pid() const { return pid_; }
  bool Running() {
    if (pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) != 0) pid_ = -1;  // ended, and now reaped
    return pid_ > 0;
  }

 private:
  pid_t pid_ = -1;
};

// True when the process holds a lock on the file (read from /proc/locks, without touching the lock).
bool HoldsLock(pid_t pid, const std::string& path) {
  struct stat file {};
  if (stat(path.c_str(), &file) != 0) return false;
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, owner, device;
    fields >> number >> kind >> mode >> access >> owner >> device;
    if (kind == "->" || owner != std::to_string(pid)) continue;
    if (device.substr(device.rfind(':') + 1) == std::to_string(file.st_ino)) return true;
  }
  return false;
}

}  // namespace

TEST(SecondStartTest, IsRefusedWhileTheProgramInAnotherProcessHasNoWindowYet) {
  // The other process waits at its login, with no main window to bring back.
  ProgramProcess program(TestRoot() / "program");
  ASSERT_GT(program.Pid(), 0);
  const std::string marker = platform::CSingleInstanceLock(res::kSingleInstanceName).Path();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!HoldsLock(program.Pid(), marker)) {
    ASSERT_TRUE(program.Running()) << "the program ended before it took the single-instance marker";
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the program never took the marker";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }

  ExpectSecondStartRefused();
  EXPECT_TRUE(wxTopLevelWindows.IsEmpty());
  EXPECT_TRUE(program.Running()) << "the first copy keeps running";
  EXPECT_TRUE(HoldsLock(program.Pid(), marker));
}
