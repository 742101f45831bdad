#include "AppTestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/thread.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <thread>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/MainFrm.h"
#include "app/Pellion.h"
#include "log/ui/LoginDlg.h"
#include "platform/Environment.h"
#include "support/TempDir.h"
#include "uibase/CommandIds.h"

namespace app_test {
namespace {

std::unique_ptr<testing_support::TempDir> g_root;
CPellionApp* g_app = nullptr;

// A UDP port on loopback that nothing holds now, so the main window's trap listener never meets a busy port.
int FreeUdpPort() {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

void FailOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message) {
  ADD_FAILURE_AT(file.utf8_string().c_str(), line)
      << "wxWidgets assertion in " << function << ": " << condition << " " << message;
}

class AppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    g_root = std::make_unique<testing_support::TempDir>();
    for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
      std::filesystem::path folder = g_root->Path() / variable;
      std::filesystem::create_directories(folder);
      setenv(variable, folder.c_str(), 1);
    }
    setenv("PELLION_TRAP_PORT", std::to_string(FreeUdpPort()).c_str(), 1);
    platform::ReloadOverrides();
    wxSetAssertHandler(FailOnAssert);
    testing_support::FailOnToolkitCriticals();
    g_app = new CPellionApp;
    wxApp::SetInstance(g_app);
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    ASSERT_TRUE(wxEntryStart(argc, argv)) << "no display: run the window tests under xvfb-run -a";
    // Log messages go to standard error: a log window would wait for a click that never comes.
    delete wxLog::SetActiveTarget(new wxLogStderr);
  }

  void TearDown() override {
    wxEntryCleanup();  // deletes the application object
    g_app = nullptr;
    g_root.reset();
  }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new AppEnvironment);

}  // namespace

CPellionApp& App() { return *g_app; }

const std::filesystem::path& TestRoot() { return g_root->Path(); }

RunningApp::RunningApp(const std::filesystem::path& startDirectory, bool answerLogin)
    : previousDirectory_(std::filesystem::current_path()) {
  std::filesystem::create_directories(startDirectory);
  std::filesystem::current_path(startDirectory);
  std::optional<LoginAnswer> login;
  if (answerLogin) login.emplace("admin");
  started_ = App().OnInit();
}

RunningApp::~RunningApp() {
  Exit();
  std::filesystem::current_path(previousDirectory_);
}

CMainFrame* RunningApp::Frame() const { return dynamic_cast<CMainFrame*>(App().GetTopWindow()); }

void RunningApp::Exit() {
  if (!started_) return;
  started_ = false;
  if (CMainFrame* frame = Frame()) {
    wxCommandEvent exit(wxEVT_MENU, cmd::WxId(cmd::ID_APP_EXIT));
    frame->ProcessWindowEvent(exit);
  }
  EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); })) << "a window outlived the Exit command";
  App().OnExit();
}

LoginAnswer::LoginAnswer(std::string password) : password_(std::move(password)) { Register(); }

LoginAnswer::~LoginAnswer() { Unregister(); }

int LoginAnswer::Enter(wxDialog* dialog) {
  if (dialog->GetId() != CLoginDlg::IDD) return wxID_NONE;
  ++logins_;
  dialog->CallAfter([dialog, password = password_] {
    auto* field = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(CLoginDlg::IDC_PASSWORD));
    wxWindow* ok = dialog->FindWindow(wxID_OK);
    if (!field || !ok) {
      ADD_FAILURE() << "the login has no password field or OK button";
      dialog->EndModal(wxID_CANCEL);
      return;
    }
    field->SetValue(wxString::FromUTF8(password));
    wxCommandEvent press(wxEVT_BUTTON, wxID_OK);
    press.SetEventObject(ok);
    ok->ProcessWindowEvent(press);
  });
  return wxID_NONE;
}

WithoutPolling::WithoutPolling() {
  CMainFrame::SetPollingFactory([] { return std::unique_ptr<IPollingControl>(); });
}

WithoutPolling::~WithoutPolling() { CMainFrame::SetPollingFactory({}); }

ModalDialogRecorder::ModalDialogRecorder(int button, Mode mode) : button_(button), mode_(mode) { Register(); }

ModalDialogRecorder::~ModalDialogRecorder() { Unregister(); }

std::vector<ModalDialogRecorder::Shown> ModalDialogRecorder::Dialogs() const {
  std::lock_guard lock(mutex_);
  return dialogs_;
}

int ModalDialogRecorder::Enter(wxDialog* dialog) {
  Shown shown;
  shown.id = dialog->GetId();
  shown.title = dialog->GetTitle().utf8_string();
  if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) shown.message = box->GetMessage().utf8_string();
  for (wxWindow* child : dialog->GetChildren()) {
    if (auto* button = dynamic_cast<wxButton*>(child)) shown.buttons.push_back(button->GetId());
    if (auto* text = dynamic_cast<wxStaticText*>(child))
      shown.texts.emplace_back(text->GetId(), text->GetLabel().utf8_string());
  }
  shown.onUiThread = wxThread::IsMain();
  {
    std::lock_guard lock(mutex_);
    dialogs_.push_back(std::move(shown));
  }
  if (mode_ == Mode::AnswerAtOnce) return button_;

  // Pressed from inside the dialog's own modal loop, as a user's click would be.
  dialog->CallAfter([dialog, id = button_] {
    wxWindow* button = dialog->FindWindow(id);
    if (!button) {
      ADD_FAILURE() << "the dialog has no button " << id;
      dialog->EndModal(wxID_ABORT);
      return;
    }
    wxCommandEvent press(wxEVT_BUTTON, id);
    press.SetEventObject(button);
    button->ProcessWindowEvent(press);
  });
  return wxID_NONE;
}

}  // namespace app_test
