#include "alerts/ui/SyslogParamPage.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "alerts/ui/AlertPageFailure.h"
#include "db/SyslogParamDb.h"

using namespace alert_pages;

CSyslogParamPage::CSyslogParamPage(wxWindow* sheet, SavedHandler onSaved)
    : CApplyPropPage(sheet, "Syslog"), m_onSaved(std::move(onSaved)) {
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(new wxStaticText(this, wxID_ANY, "Syslog Server IP:"), wxSizerFlags().CentreVertical().Border(wxRIGHT, 6));
  m_server = new wxTextCtrl(this, IDC_SYSLOG_SERVER, "", wxDefaultPosition, wxSize(160, -1));
  top->Add(m_server);
  m_schedule = std::make_unique<CScheduleGroup>(this, "Realtime");
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(top, wxSizerFlags().Border(wxALL, 8));
  layout->Add(m_schedule->Sizer(), wxSizerFlags().Border(wxALL, 8));
  SetSizer(layout);
}

void CSyslogParamPage::OnInitPage() {
  if (CSyslogParamDb().GetSyslogParam(m_settings) != 0) return;
  const SyslogForm form = SyslogFormFrom(m_settings);
  m_server->ChangeValue(wxString::FromUTF8(form.serverAddress));
  m_schedule->Load(form.schedule);
}

SyslogForm CSyslogParamPage::ReadControls() const {
  return SyslogForm{m_server->GetValue().utf8_string(), m_schedule->Read()};
}

bool CSyslogParamPage::OnApply() {
  const std::optional<Failure> failure = ValidateSyslogForm(ReadControls());
  if (!failure) return true;
  ActivateInSheet();
  ShowAlertPageFailure(this, *failure);
  return false;
}

void CSyslogParamPage::OnOK() {
  m_settings = SyslogParamsFrom(ReadControls(), m_settings);
  if (CSyslogParamDb().SetSyslogParam(m_settings) == 0 && m_onSaved) m_onSaved(m_settings);
}
