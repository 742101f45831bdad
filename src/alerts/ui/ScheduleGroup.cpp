#include "alerts/ui/ScheduleGroup.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/datetime.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/timectrl.h>

using alert_pages::ScheduleForm;

CScheduleGroup::CScheduleGroup(wxWindow* page, const char* realTimeCaption) {
  auto* group = new wxStaticBoxSizer(wxVERTICAL, page, "Time && Send Log Level Setting");
  wxWindow* box = group->GetStaticBox();
  auto* levels = new wxBoxSizer(wxHORIZONTAL);
  const std::pair<int, const char*> checks[] = {
      {IDC_CRITICAL, "Critical"}, {IDC_WARNING, "Warning"}, {IDC_INFO, "Info."}, {IDC_DEBUG, "Debug"}};
  for (int i = 0; i < 4; ++i) {
    m_levels[i] = new wxCheckBox(box, checks[i].first, checks[i].second);
    levels->Add(m_levels[i], wxSizerFlags().Border(wxRIGHT, 12));
  }
  auto* schedule = new wxBoxSizer(wxHORIZONTAL);
  auto radio = [&](int id, const char* caption, const char* type, long style = 0) {
    auto* button = new wxRadioButton(box, id, caption, wxDefaultPosition, wxDefaultSize, style);
    button->Bind(wxEVT_RADIOBUTTON, [this, type](wxCommandEvent&) { SetScheduleControls(type); });
    schedule->Add(button, wxSizerFlags().CentreVertical().Border(wxRIGHT, 6));
    return button;
  };
  // A group always has one button set: a hidden first one stands for "no type chosen yet", so that a
  // click on any visible button is a change the page hears.
  auto* unset = new wxRadioButton(box, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  unset->Hide();
  m_realTime = radio(IDC_REALTIME, realTimeCaption, send_date::kRealTime);
  m_day = radio(IDC_DAY_TYPE, "Day", send_date::kDay);
  m_week = radio(IDC_WEEK, "Week", send_date::kWeek);
  m_month = radio(IDC_MONTH, "Month", send_date::kMonth);
  m_none = radio(IDC_NONE, "None", "0");
  unset->SetValue(true);
  m_days = new wxChoice(box, alert_pages::IDC_DAY, wxDefaultPosition, wxSize(110, -1));
  m_time = new wxTimePickerCtrl(box, alert_pages::IDC_SEND_TIME);
  schedule->Add(m_days, wxSizerFlags().CentreVertical().Border(wxRIGHT, 6));
  schedule->Add(m_time, wxSizerFlags().CentreVertical());
  group->Add(levels, wxSizerFlags().Border(wxALL, 4));
  group->Add(schedule, wxSizerFlags().Border(wxALL, 4));
  m_sizer = group;
}

wxWindow* CScheduleGroup::DayList() const { return m_days; }

void CScheduleGroup::SetScheduleControls(const std::string& sendType) {
  const std::optional<alert_pages::ScheduleControls> controls = alert_pages::ScheduleControlsFor(sendType);
  if (!controls) return;
  m_sendType = sendType;
  wxRadioButton* chosen = sendType == send_date::kDay     ? m_day
                          : sendType == send_date::kWeek  ? m_week
                          : sendType == send_date::kMonth ? m_month
                          : sendType == send_date::kRealTime ? m_realTime
                                                             : m_none;
  chosen->SetValue(true);
  if (controls->days) {
    m_days->Clear();  // refilling asks for the day anew
    for (const std::string& day : *controls->days) m_days->Append(day);
  }
  m_days->Enable(controls->dayEnabled);
  m_time->Enable(controls->timeEnabled);
}

void CScheduleGroup::Load(const ScheduleForm& form) {
  SetScheduleControls(form.sendType);
  if (form.dayPosition >= 0 && form.dayPosition < static_cast<int>(m_days->GetCount()))
    m_days->SetSelection(form.dayPosition);
  m_time->SetTime(form.sendTime.hour, form.sendTime.minute, form.sendTime.second);
  for (int i = 0; i < 4; ++i) m_levels[i]->SetValue((form.levelMask & (1 << i)) != 0);
}

ScheduleForm CScheduleGroup::Read() const {
  ScheduleForm form;
  form.sendType = m_sendType;
  form.dayPosition = m_days->GetSelection();
  int hour = 0, minute = 0, second = 0;
  m_time->GetTime(&hour, &minute, &second);
  form.sendTime = DbDateTime{1899, 12, 30, hour, minute, second};
  for (int i = 0; i < 4; ++i)
    if (m_levels[i]->GetValue()) form.levelMask |= 1 << i;
  return form;
}
