#pragma once
// The "Time & Send Log Level Setting" group that both alert pages show: the levels to send, the send
// type's radio buttons, the day list and the send time, kept consistent with the chosen type. Its
// controls are the page's children; the page keeps this object.
#include <string>

#include "alerts/AlertPageRules.h"

class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxSizer;
class wxTimePickerCtrl;
class wxWindow;

class CScheduleGroup {
 public:
  enum {
    IDC_REALTIME = 1369,
    IDC_DAY_TYPE = 1302,
    IDC_WEEK = 1306,
    IDC_MONTH = 1309,
    IDC_NONE = 1365,
    IDC_CRITICAL = 1238,
    IDC_WARNING = 1243,
    IDC_INFO = 1240,
    IDC_DEBUG = 1242,
  };

  // realTimeCaption: "Real-time" on the mail page, "Realtime" on the syslog page.
  CScheduleGroup(wxWindow* page, const char* realTimeCaption);

  wxSizer* Sizer() const { return m_sizer; }
  // Shows a loaded schedule.
  void Load(const alert_pages::ScheduleForm& form);
  alert_pages::ScheduleForm Read() const;
  // Sets the send type and the controls it asks for; an unknown type changes nothing.
  void SetScheduleControls(const std::string& sendType);
  wxWindow* DayList() const;

 private:
  wxSizer* m_sizer = nullptr;
  wxCheckBox* m_levels[4] = {};  // Critical, Warning, Info, Debug
  wxRadioButton* m_realTime = nullptr;
  wxRadioButton* m_day = nullptr;
  wxRadioButton* m_week = nullptr;
  wxRadioButton* m_month = nullptr;
  wxRadioButton* m_none = nullptr;
  wxChoice* m_days = nullptr;
  wxTimePickerCtrl* m_time = nullptr;
  std::string m_sendType;  // follows the last clicked radio button, or the loaded type
};
