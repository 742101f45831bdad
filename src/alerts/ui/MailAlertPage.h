#pragma once
// "Mail Alert", a page of the Preferences sheet: where and when the system log goes by e-mail. It loads
// the stored settings when first shown, checks them when the sheet is applied, saves them and then hands
// the saved copy to the main window, whose schedule uses it.
#include <functional>
#include <memory>

#include "alerts/AlertPageRules.h"
#include "alerts/ui/ScheduleGroup.h"
#include "controls/ApplyPropPage.h"
#include "db/MailAlertSettings.h"

class wxCheckBox;
class wxChoice;
class wxTextCtrl;

class CMailAlertPage : public CApplyPropPage {
 public:
  using SavedHandler = std::function<void(const MailAlertSettings&)>;

  // onSaved receives the settings after they were stored.
  CMailAlertPage(wxWindow* sheet, SavedHandler onSaved);

  void OnInitPage() override;
  bool OnApply() override;
  void OnOK() override;

 private:
  alert_pages::MailForm ReadControls() const;
  void OnSelchangeAuthMethod();

  SavedHandler m_onSaved;
  MailAlertSettings m_settings;
  std::unique_ptr<CScheduleGroup> m_schedule;
  wxTextCtrl* m_dest = nullptr;
  wxTextCtrl* m_server = nullptr;
  wxChoice* m_auth = nullptr;
  wxTextCtrl* m_port = nullptr;
  wxTextCtrl* m_sender = nullptr;
  wxTextCtrl* m_user = nullptr;
  wxTextCtrl* m_password = nullptr;
  wxCheckBox* m_requireTls = nullptr;
};
