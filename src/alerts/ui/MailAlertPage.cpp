#include "alerts/ui/MailAlertPage.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "alerts/ui/AlertPageFailure.h"
#include "db/MailAlertDb.h"

using namespace alert_pages;

CMailAlertPage::CMailAlertPage(wxWindow* sheet, SavedHandler onSaved)
    : CApplyPropPage(sheet, "Mail Alert"), m_onSaved(std::move(onSaved)) {
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(new wxStaticText(this, wxID_ANY, "Destination Email :"), wxSizerFlags().CentreVertical().Border(wxRIGHT, 6));
  m_dest = new wxTextCtrl(this, IDC_DEST_ADDRESS, "", wxDefaultPosition, wxSize(220, -1));
  top->Add(m_dest);

  auto* smtp = new wxStaticBoxSizer(wxVERTICAL, this, "SMTP Server Setting");
  wxWindow* box = smtp->GetStaticBox();
  auto* grid = new wxFlexGridSizer(2, wxSize(8, 4));
  auto add = [&](const char* label, wxWindow* control) {
    grid->Add(new wxStaticText(box, wxID_ANY, label), wxSizerFlags().CentreVertical());
    grid->Add(control);
  };
  m_server = new wxTextCtrl(box, IDC_SMTP_SERVER, "", wxDefaultPosition, wxSize(170, -1));
  add("SMTP Server Address:", m_server);
  const wxString methods[] = {"None", "AUTH_LOGIN"};
  m_auth = new wxChoice(box, IDC_AUTH_METHOD, wxDefaultPosition, wxSize(170, -1), 2, methods);
  add("Authentication Method:", m_auth);
  m_port = new wxTextCtrl(box, IDC_SMTP_PORT, "", wxDefaultPosition, wxSize(60, -1), 0, wxTextValidator(wxFILTER_DIGITS));
  add("Port:", m_port);
  m_sender = new wxTextCtrl(box, IDC_SENDER_ADDRESS, "", wxDefaultPosition, wxSize(170, -1));
  add("Send Mail Address:", m_sender);
  m_user = new wxTextCtrl(box, IDC_USER_NAME, "", wxDefaultPosition, wxSize(110, -1));
  add("User Name:", m_user);
  m_password = new wxTextCtrl(box, IDC_PASSWORD, "", wxDefaultPosition, wxSize(110, -1), wxTE_PASSWORD);
  add("Password:", m_password);
  smtp->Add(grid, wxSizerFlags().Border(wxALL, 6));
  m_requireTls = new wxCheckBox(box, IDC_REQUIRE_TLS, "Send only over a secure connection (STARTTLS)");
  smtp->Add(m_requireTls, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxBOTTOM, 6));

  m_schedule = std::make_unique<CScheduleGroup>(this, "Real-time");
  m_auth->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangeAuthMethod(); });

  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(top, wxSizerFlags().Border(wxALL, 8));
  layout->Add(smtp, wxSizerFlags().Border(wxLEFT | wxRIGHT, 8));
  layout->Add(m_schedule->Sizer(), wxSizerFlags().Border(wxALL, 8));
  SetSizer(layout);
}

void CMailAlertPage::OnInitPage() {
  if (CMailAlertDb().GetMailAlertParam(m_settings) != 0) return;  // opens empty, nothing chosen
  const MailForm form = MailFormFrom(m_settings);
  m_dest->ChangeValue(wxString::FromUTF8(form.destAddress));
  m_server->ChangeValue(wxString::FromUTF8(form.smtpServer));
  m_port->ChangeValue(wxString::FromUTF8(form.port));
  m_sender->ChangeValue(wxString::FromUTF8(form.senderAddress));
  m_user->ChangeValue(wxString::FromUTF8(form.userName));
  m_password->ChangeValue(wxString::FromUTF8(form.password));
  m_auth->SetSelection(form.authPosition);
  m_requireTls->SetValue(form.requireTls);
  m_schedule->Load(form.schedule);
  OnSelchangeAuthMethod();
}

void CMailAlertPage::OnSelchangeAuthMethod() {
  const bool login = m_auth->GetSelection() != 0;
  m_user->Enable(login);
  m_password->Enable(login);
}

MailForm CMailAlertPage::ReadControls() const {
  MailForm form;
  form.destAddress = m_dest->GetValue().utf8_string();
  form.smtpServer = m_server->GetValue().utf8_string();
  form.port = m_port->GetValue().utf8_string();
  form.senderAddress = m_sender->GetValue().utf8_string();
  form.userName = m_user->GetValue().utf8_string();
  form.password = m_password->GetValue().utf8_string();
  form.authPosition = m_auth->GetSelection();
  form.requireTls = m_requireTls->GetValue();
  form.schedule = m_schedule->Read();
  return form;
}

bool CMailAlertPage::OnApply() {
  const std::optional<Failure> failure = ValidateMailForm(ReadControls());
  if (!failure) return true;
  ActivateInSheet();
  ShowAlertPageFailure(this, *failure);
  return false;
}

void CMailAlertPage::OnOK() {
  m_settings = MailSettingsFrom(ReadControls(), m_settings);
  if (CMailAlertDb().SetMailAlertParam(m_settings) == 0 && m_onSaved) m_onSaved(m_settings);
}
