#pragma once
// "Global Setting", the first page of the Preferences sheet: polling interval, SNMP time-out, client
// monitor interval, polling threads and the recorded log levels. Opening it reloads the running log
// level from the settings row; OK applies the values to the running program, stores them and writes one
// action-log line naming what changed.
#include <wx/choice.h>

#include "controls/ApplyPropPage.h"
#include "settings/GlobalSettingsApplier.h"

class wxCheckBox;
class wxTextCtrl;

class CSnmpSettingPage : public CApplyPropPage {
 public:
  enum {
    IDC_INTERVAL = 1005,
    IDC_TIMEOUT = 1008,
    IDC_MONITOR_INTERVAL = 1177,
    IDC_MAX_THREADS = 1190,
    IDC_CRITICAL = 1037,
    IDC_WARNING = 1292,
    IDC_INFO = 1293,
    IDC_DEBUG = 1294,
    IDC_COUNTRY = 11075,
  };

  explicit CSnmpSettingPage(wxWindow* sheet);

  void OnInitPage() override;
  bool OnApply() override;
  void OnOK() override;

 private:
  GlobalSettingsValues ReadControls() const;
  wxTextCtrl* Edit(const SettingRange& range) const;

  wxChoice* m_country = nullptr;  // kept hidden: the country is the settings row's
  wxCheckBox* m_levels[4] = {};   // Critical, Warning, Info, Debug
  wxTextCtrl* m_interval = nullptr;
  wxTextCtrl* m_timeout = nullptr;
  wxTextCtrl* m_monitorInterval = nullptr;
  wxTextCtrl* m_maxThreads = nullptr;
};
