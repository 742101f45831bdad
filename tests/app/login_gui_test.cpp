// The login as a user meets it: typed into, clicked, refused and accepted; and the password change.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <chrono>
#include <thread>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "log/ui/LoginDlg.h"
#include "log/ui/ModifySysPwdDlg.h"
#include "platform/AppContext.h"
#include "support/ui/WxTestEnvironment.h"
#include "uibase/CommandIds.h"

using app_test::PumpUntil;
using app_test::RunningApp;
using app_test::TestRoot;

namespace {

void Click(wxWindow* window) {
  wxUIActionSimulator sim;
  sim.MouseMove(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
  app_test::PumpPending();
  sim.MouseClick();
}

void TypeInto(wxTextCtrl* field, const std::string& text) {
  field->SetFocus();
  PumpUntil([field] { return field->HasFocus(); });
  wxUIActionSimulator().Text(text.c_str());
  EXPECT_TRUE(PumpUntil([&] { return field->GetValue().utf8_string() == text; })) << "typed " << text;
}

// Plays the user at the login: each step runs inside the login's own loop. Message boxes are recorded and
// answered at once.
class LoginUser : public wxModalDialogHook {
 public:
  using Script = std::function<void(wxDialog&, LoginUser&)>;
  explicit LoginUser(Script script) : script_(std::move(script)) { Register(); }
  ~LoginUser() override { Unregister(); }

  std::vector<std::string> messages;

 protected:
  int Enter(wxDialog* dialog) override {
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
      messages.push_back(box->GetMessage().utf8_string());
      return wxID_OK;
    }
    if (dialog->GetId() == CLoginDlg::IDD || dialog->GetId() == CModifySysPwdDlg::IDD)
      dialog->CallAfter([this, dialog] { script_(*dialog, *this); });
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {}

 private:
  Script script_;
};

// Waits for the last click to close the dialog; one that stays open is a failure and is cancelled, so a
// missed click can never leave the test waiting in the dialog's loop.
void ExpectClosed(wxDialog& dialog) {
  if (PumpUntil([&] { return !dialog.IsModal(); })) return;
  ADD_FAILURE() << "the dialog " << dialog.GetTitle() << " stayed open";
  dialog.EndModal(wxID_CANCEL);
}

template <typename T>
T* Child(wxDialog& dialog, int id) {
  return dynamic_cast<T*>(dialog.FindWindow(id));
}

}  // namespace

TEST(LoginTest, AWrongPasswordIsRefusedAndTheRightOneOpensTheMainWindow) {
  wxImage shot;
  LoginUser user([&](wxDialog& login, LoginUser& self) {
    EXPECT_EQ(login.GetTitle(), "Aurelan Login");
    auto* password = Child<wxTextCtrl>(login, CLoginDlg::IDC_PASSWORD);
    ASSERT_NE(password, nullptr);
    EXPECT_FALSE(Child<wxWindow>(login, CLoginDlg::IDC_ACCOUNT)->IsShown()) << "the account is always admin";
    shot = testing_support::CaptureWindow(&login);

    TypeInto(password, "Admin");
    Click(login.FindWindow(wxID_OK));
    EXPECT_TRUE(PumpUntil([&] { return !self.messages.empty(); }));
    EXPECT_EQ(self.messages, std::vector<std::string>{"Password error!"});
    EXPECT_TRUE(login.IsModal()) << "the dialog stays open";
    EXPECT_EQ(password->GetValue(), "") << "and the field is emptied";

    TypeInto(password, "admin");
    Click(login.FindWindow(wxID_OK));
    ExpectClosed(login);
  });
  RunningApp app(TestRoot() / "login-right", false);
  ASSERT_TRUE(app.Started());
  EXPECT_NE(app.Frame(), nullptr);
  EXPECT_TRUE(app.Frame()->IsShown());
  EXPECT_EQ(platform::GetLoggedInUser(), "admin");

  // The banner and the password field are on screen.
  ASSERT_TRUE(shot.IsOk());
  testing_support::SaveCapture(shot, "login");
  EXPECT_GT(testing_support::CountPixels(shot, wxColour(24, 64, 120), 8), shot.GetWidth() * 20);
}

TEST(LoginTest, CancelEndsTheProgramWithoutAWindow) {
  LoginUser user([](wxDialog& login, LoginUser&) {
    Click(login.FindWindow(wxID_CANCEL));
    ExpectClosed(login);
  });
  RunningApp app(TestRoot() / "login-cancel", false);
  EXPECT_FALSE(app.Started());
  EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); }));
}

TEST(LoginTest, TheChangedPasswordIsTheOneTheNextLoginNeeds) {
  {
    RunningApp app(TestRoot() / "change");
    ASSERT_TRUE(app.Started());
    LoginUser user([](wxDialog& dialog, LoginUser& self) {
      TypeInto(Child<wxTextCtrl>(dialog, CModifySysPwdDlg::IDC_OLD), "admin");
      TypeInto(Child<wxTextCtrl>(dialog, CModifySysPwdDlg::IDC_NEW), "fresh one");
      TypeInto(Child<wxTextCtrl>(dialog, CModifySysPwdDlg::IDC_CONFIRM), "fresh one");
      Click(dialog.FindWindow(wxID_OK));
      EXPECT_TRUE(PumpUntil([&] { return !self.messages.empty(); }));
      ExpectClosed(dialog);
    });
    wxCommandEvent command(wxEVT_MENU, cmd::WxId(cmd::ID_MODIFY_SYSTEM_PASSWORD));
    app.Frame()->ProcessWindowEvent(command);
    EXPECT_EQ(user.messages, std::vector<std::string>{"Modify password successful!"});
  }
  std::vector<std::string> refused;
  {
    // The old password no longer opens the console; the new one does.
    LoginUser user([](wxDialog& login, LoginUser& self) {
      auto* password = Child<wxTextCtrl>(login, CLoginDlg::IDC_PASSWORD);
      password->SetValue("admin");
      Click(login.FindWindow(wxID_OK));
      PumpUntil([&] { return !self.messages.empty(); });
      TypeInto(password, "fresh one");
      Click(login.FindWindow(wxID_OK));
      ExpectClosed(login);
    });
    RunningApp app(TestRoot() / "change", false);
    EXPECT_TRUE(app.Started());
    refused = user.messages;
  }
  EXPECT_EQ(refused, std::vector<std::string>{"Password error!"});
}
