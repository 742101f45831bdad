#pragma once
// What the window tests share: one application object for the test program, its own folders in place of
// the user's, event pumping, and a recorder for modal dialogs.
#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "support/ui/WxTestEnvironment.h"

class CPellionApp;
class CMainFrame;

namespace app_test {

// The application object, created with the toolkit before the first test and cleaned up after the last.
CPellionApp& App();
// The test program's own folder; XDG_RUNTIME_DIR, XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_CACHE_HOME
// point below it, so no test touches the user's home or a running console's lock.
const std::filesystem::path& TestRoot();

// Event pumping as every window test does it.
using testing_support::PumpPending;
using testing_support::PumpUntil;

// Answers the login when it appears: types the password into its field and presses OK from inside the
// dialog's own loop, as a user would.
class LoginAnswer : public wxModalDialogHook {
 public:
  explicit LoginAnswer(std::string password);
  ~LoginAnswer() override;
  int Logins() const { return logins_; }

 protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog*) override {}

 private:
  std::string password_;
  int logins_ = 0;
};

// Starts the application (OnInit) in a start directory of its own, logged in as the first account, and
// ends it again (Exit command, then OnExit) unless the test ended it; no window is left behind.
class RunningApp {
 public:
  explicit RunningApp(const std::filesystem::path& startDirectory = TestRoot() / "start", bool answerLogin = true);
  ~RunningApp();
  RunningApp(const RunningApp&) = delete;
  RunningApp& operator=(const RunningApp&) = delete;

  bool Started() const { return started_; }
  CMainFrame* Frame() const;
  // Chooses Exit from the menu, waits until every top-level window is gone, then runs OnExit.
  void Exit();

 private:
  std::filesystem::path previousDirectory_;
  bool started_ = false;
};

// The main window of the next start runs without a polling thread, whose own status messages and device
// judgements would mix with the test's.
class WithoutPolling {
 public:
  WithoutPolling();
  ~WithoutPolling();
  WithoutPolling(const WithoutPolling&) = delete;
  WithoutPolling& operator=(const WithoutPolling&) = delete;
};

// Sees every modal dialog before it is shown. It either answers at once (the dialog never appears) or
// lets the dialog run and presses one of its buttons from the dialog's own event loop.
class ModalDialogRecorder : public wxModalDialogHook {
 public:
  struct Shown {
    int id = 0;
    std::string title;
    std::string message;  // message dialogs only
    std::vector<int> buttons;
    std::vector<std::pair<int, std::string>> texts;  // static texts: id and label
    bool onUiThread = false;
  };
  enum class Mode { AnswerAtOnce, ShowThenPress };

  explicit ModalDialogRecorder(int button, Mode mode = Mode::AnswerAtOnce);
  ~ModalDialogRecorder() override;

  std::vector<Shown> Dialogs() const;

 protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog*) override {}

 private:
  int button_;
  Mode mode_;
  mutable std::mutex mutex_;
  std::vector<Shown> dialogs_;
};

}  // namespace app_test
