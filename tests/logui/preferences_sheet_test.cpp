// The Preferences sheet as a user meets it: the global settings changed by typing and saved with OK, a
// value out of range refused with the sheet kept open, the mail page refusing an invalid address, and
// the syslog page saved and handed to the main window; each checked in a screenshot.
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "LogUiTest.h"
#include "alerts/ui/MailAlertPage.h"
#include "alerts/ui/SyslogParamPage.h"
#include "controls/ApplyPropSheet.h"
#include "log/LogLevelMask.h"
#include "log/ui/LogHelpDlg.h"
#include "log/ui/LogLevelSetting.h"
#include "log/ui/SnmpSettingPage.h"
#include "settings/GlobalSettings.h"

namespace {

using namespace logui_test;

class PreferencesSheetTest : public WindowTest {
 protected:
  void SetUp() override {
    main = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(300, 200));
    wxTheApp->SetTopWindow(main);
    main->Show();
    {  // the running values as start-up reads them from the settings row
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.nSnmpTimeout = 100;
      g_RuntimeSettings.nPollingIntervalMs = 60000;
      g_RuntimeSettings.nMonitorIntervalMs = 600000;
    }
    sheet = new CApplyPropSheet("Preferences", main);
    global = new CSnmpSettingPage(sheet);
    mail = new CMailAlertPage(sheet, [this](const MailAlertSettings& settings) { savedMail = settings; });
    syslog = new CSyslogParamPage(sheet, [this](const CScheduleParams& params) { savedSyslog = params; });
    for (CTreePropPage* page : std::initializer_list<CTreePropPage*>{global, mail, syslog}) sheet->AddPage(page);
    sheet->Show();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return sheet->IsShownOnScreen() && global->WasOpened(); }));
    Pump();
  }
  void TearDown() override {
    sheet->Destroy();
    main->Destroy();
    Pump();
    g_nLogLevelMask = 0;
    WindowTest::TearDown();
  }
  wxTextCtrl* Edit(wxWindow* page, int id) { return dynamic_cast<wxTextCtrl*>(page->FindWindow(id)); }
  void Retype(wxTextCtrl* edit, const std::string& text) {
    edit->SetFocus();
    edit->SelectAll();
    Pump(3);
    TypeInto(edit, text);
  }
  void ClickOk() { Click(sheet->FindWindow(wxID_OK)); }
  // Shows a page as a click in the tree would, and lets the display server map its controls.
  void ShowPage(int index) {
    sheet->SetActivePage(index);
    testing_support::CaptureWindow(sheet);
  }

  wxFrame* main = nullptr;
  CApplyPropSheet* sheet = nullptr;
  CSnmpSettingPage* global = nullptr;
  CMailAlertPage* mail = nullptr;
  CSyslogParamPage* syslog = nullptr;
  std::optional<MailAlertSettings> savedMail;
  std::optional<CScheduleParams> savedSyslog;
};

TEST_F(PreferencesSheetTest, GlobalSettingsTypedAndSavedWithOk) {
  EXPECT_EQ(Edit(global, CSnmpSettingPage::IDC_INTERVAL)->GetValue(), "60") << "loaded from the settings row";
  EXPECT_TRUE(dynamic_cast<wxCheckBox*>(global->FindWindow(CSnmpSettingPage::IDC_DEBUG))->GetValue());
  Retype(Edit(global, CSnmpSettingPage::IDC_TIMEOUT), "5");
  Click(global->FindWindow(CSnmpSettingPage::IDC_DEBUG));
  Click(global->FindWindow(CSnmpSettingPage::IDC_INFO));

  const wxImage shot = testing_support::CaptureWindow(sheet);
  SavePicture(shot, "preferences_global_setting");
  const wxRect timeout = Edit(global, CSnmpSettingPage::IDC_TIMEOUT)->GetScreenRect();
  const wxPoint origin = sheet->GetScreenPosition();
  EXPECT_GT(DarkPixels(shot, wxRect(timeout.GetPosition() - origin, timeout.GetSize())), 5) << "the typed 5 shows";

  ClickOk();
  EXPECT_FALSE(sheet->IsShown()) << "OK closed the sheet";
  EXPECT_EQ(database.Value("select timeout from global_setting"), "5");
  EXPECT_EQ(database.Value("select log_level from global_setting"), "3");
  EXPECT_EQ(g_RuntimeSettings.nSnmpTimeout, 500);
  EXPECT_EQ(g_nLogLevelMask, 3);
  EXPECT_EQ(database.ActionLog(),
            std::vector<std::string>{"snmp time out is setting 5 s log level is setting \"cirtical\" \"warning\" "});
  EXPECT_FALSE(savedMail) << "pages never opened save nothing";
}

TEST_F(PreferencesSheetTest, AValueOutOfRangeKeepsTheSheetOpen) {
  Retype(Edit(global, CSnmpSettingPage::IDC_MAX_THREADS), "21");
  ClickOk();
  EXPECT_TRUE(sheet->IsShown());
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please enter an integer between 5 and 20."});
  EXPECT_TRUE(Edit(global, CSnmpSettingPage::IDC_MAX_THREADS)->HasFocus());
  Edit(global, CSnmpSettingPage::IDC_TIMEOUT)->SetValue("");
  ClickOk();
  EXPECT_TRUE(sheet->IsShown());
  EXPECT_EQ(boxes.Texts().back(), "Please enter an integer.") << "an empty field is no number";
  EXPECT_EQ(database.Value("select threadno from global_setting"), "5");
  EXPECT_TRUE(database.ActionLog().empty());
}

TEST_F(PreferencesSheetTest, MailPageRefusesAnInvalidAddressAndSyslogPageSaves) {
  ShowPage(1);
  ASSERT_TRUE(mail->WasOpened());
  Click(mail->FindWindow(CScheduleGroup::IDC_REALTIME));
  TypeInto(Edit(mail, alert_pages::IDC_DEST_ADDRESS), "admin.example.org");
  ShowPage(2);
  Click(syslog->FindWindow(CScheduleGroup::IDC_REALTIME));
  TypeInto(Edit(syslog, alert_pages::IDC_SYSLOG_SERVER), "127.0.0.1");
  const wxImage shot = testing_support::CaptureWindow(sheet);
  SavePicture(shot, "preferences_syslog");
  const wxRect server = Edit(syslog, alert_pages::IDC_SYSLOG_SERVER)->GetScreenRect();
  EXPECT_GT(DarkPixels(shot, wxRect(server.GetPosition() - sheet->GetScreenPosition(), server.GetSize())), 20);

  ClickOk();
  EXPECT_TRUE(sheet->IsShown());
  EXPECT_EQ(sheet->GetActiveIndex(), 1) << "the refusing page is shown";
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Destination mail address is invalid!"});
  EXPECT_FALSE(savedSyslog) << "nothing is saved while a page refuses";

  Edit(mail, alert_pages::IDC_DEST_ADDRESS)->SetValue("admin@example.org");
  Edit(mail, alert_pages::IDC_SMTP_SERVER)->SetValue("mail.example.org");
  Edit(mail, alert_pages::IDC_SENDER_ADDRESS)->SetValue("console@example.org");
  Edit(mail, alert_pages::IDC_USER_NAME)->SetValue("bob");
  Edit(mail, alert_pages::IDC_PASSWORD)->SetValue("pw");
  ClickOk();
  EXPECT_FALSE(sheet->IsShown());
  ASSERT_TRUE(savedSyslog);
  EXPECT_EQ(savedSyslog->serverAddress, "127.0.0.1");
  EXPECT_EQ(savedSyslog->schedule.dateType, "4");
  ASSERT_TRUE(savedMail);
  EXPECT_EQ(database.Value("select syslog_server_ip from global_setting"), "127.0.0.1");
  EXPECT_EQ(database.Value("select dest_mail_address from global_setting"), "admin@example.org");
  const auto log = database.ActionLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "modify global syslog server IP to 127.0.0.1"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "modify global SMTP auth password to xxxxxx"), log.end());
}

TEST_F(PreferencesSheetTest, AFreshDatabaseSavesAfterTheAlertPagesWereViewed) {
  ShowPage(1);
  ShowPage(2);
  const wxImage shot = testing_support::CaptureWindow(sheet);
  SavePicture(shot, "preferences_fresh_syslog");
  for (wxWindow* page : std::initializer_list<wxWindow*>{mail, syslog})
    EXPECT_TRUE(dynamic_cast<wxRadioButton*>(page->FindWindow(CScheduleGroup::IDC_NONE))->GetValue())
        << "a new database sends nothing";
  ClickOk();
  EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts().front();
  EXPECT_FALSE(sheet->IsShown());
  ASSERT_TRUE(savedSyslog);
  EXPECT_EQ(savedSyslog->schedule.dateType, "0");
  EXPECT_EQ(database.Value("select send_date_type from global_setting"), "0");
}

TEST_F(PreferencesSheetTest, TheSendTypeSetsTheDayListAndTheTime) {
  ShowPage(2);
  auto* days = dynamic_cast<wxChoice*>(syslog->FindWindow(alert_pages::IDC_DAY));
  wxWindow* time = syslog->FindWindow(alert_pages::IDC_SEND_TIME);
  Click(syslog->FindWindow(CScheduleGroup::IDC_WEEK));
  ASSERT_EQ(days->GetCount(), 7u);
  EXPECT_TRUE(days->IsEnabled());
  EXPECT_TRUE(time->IsEnabled());
  days->SetSelection(1);  // Monday
  Click(syslog->FindWindow(CScheduleGroup::IDC_REALTIME));
  EXPECT_FALSE(days->IsEnabled());
  EXPECT_FALSE(time->IsEnabled());
  EXPECT_EQ(days->GetSelection(), 1) << "real time keeps the list";
  Click(syslog->FindWindow(CScheduleGroup::IDC_MONTH));
  ASSERT_EQ(days->GetCount(), 30u);
  EXPECT_EQ(days->GetString(29), "30th");
  EXPECT_EQ(days->GetSelection(), wxNOT_FOUND) << "a refilled list asks for the day anew";
  Click(syslog->FindWindow(CScheduleGroup::IDC_DAY_TYPE));
  EXPECT_EQ(days->GetCount(), 0u);
  EXPECT_FALSE(days->IsEnabled());
  EXPECT_TRUE(time->IsEnabled());
}

TEST_F(PreferencesSheetTest, TheLogLevelPageAndTheLevelTips) {
  auto* levels = new CLogLevelSetting(sheet);
  sheet->AddPage(levels);
  sheet->SetActivePage(3);
  Pump();
  for (int id : {CLogLevelSetting::IDC_CRITICAL, CLogLevelSetting::IDC_WARNING, CLogLevelSetting::IDC_INFO,
                 CLogLevelSetting::IDC_DEBUG})
    EXPECT_FALSE(dynamic_cast<wxCheckBox*>(levels->FindWindow(id))->GetValue()) << "opens with every box clear";
  EXPECT_EQ(levels->FindWindow(CLogLevelSetting::IDC_CRITICAL)->GetLabel(), "Cirtical");
  Click(levels->FindWindow(CLogLevelSetting::IDC_WARNING));
  ClickOk();
  EXPECT_EQ(g_nLogLevelMask, 2);
  EXPECT_EQ(database.Value("select log_level from global_setting"), "15") << "the global page stored its own boxes";

  auto* tips = new CLogHelpDlg(main);
  tips->Show();
  const wxImage shot = testing_support::CaptureWindow(tips);
  SavePicture(shot, "log_level_tips");
  EXPECT_GT(DarkPixels(shot, wxRect(wxPoint(0, 0), shot.GetSize())), 200);
}

}  // namespace
