#pragma once
// "Syslog", a page of the Preferences sheet: the server the system log is forwarded to, and when. It
// loads, checks and saves like the mail page and hands the saved copy to the main window.
#include <functional>
#include <memory>

#include "alerts/AlertPageRules.h"
#include "alerts/ui/ScheduleGroup.h"
#include "controls/ApplyPropPage.h"
#include "db/ScheduleParams.h"

class wxTextCtrl;

class CSyslogParamPage : public CApplyPropPage {
 public:
  using SavedHandler = std::function<void(const CScheduleParams&)>;

  CSyslogParamPage(wxWindow* sheet, SavedHandler onSaved);

  void OnInitPage() override;
  bool OnApply() override;
  void OnOK() override;

 private:
  alert_pages::SyslogForm ReadControls() const;

  SavedHandler m_onSaved;
  CScheduleParams m_settings;
  std::unique_ptr<CScheduleGroup> m_schedule;
  wxTextCtrl* m_server = nullptr;
};
