#include "credentials/ui/ModifyPwdDlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using Service = CModifyPasswordService;

CModifyPwdDlg::CModifyPwdDlg(wxWindow* parent, CModifyPasswordService& service)
    : wxDialog(parent, IDD, "Modify Password"), m_service(service) {
  m_notice = new wxStaticText(this, IDC_NOTICE,
                              "  Modify All Management Devices Password!\n  NMS Will Use Saved Device Password  To Do "
                              "Authentication And Modify To New Password Automatically!",
                              wxDefaultPosition, wxSize(300, -1));
  m_notice->Wrap(300);
  m_notice->Hide();
  auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
  auto add = [&](int labelId, const char* label, wxWindow* control) {
    grid->Add(new wxStaticText(this, labelId, label), wxSizerFlags().CentreVertical());
    grid->Add(control, wxSizerFlags().Expand());
  };
  m_address = new wxTextCtrl(this, Service::IDC_IP, "", wxDefaultPosition, wxSize(170, -1));
  add(IDC_IP_LABEL, "IP Address", m_address);
  const wxString kinds[] = {"AP", "Switch"};
  m_type = new wxChoice(this, Service::IDC_DEVICE_TYPE, wxDefaultPosition, wxDefaultSize, 2, kinds, wxCB_SORT);
  add(IDC_TYPE_LABEL, "Device Type", m_type);
  m_current = new wxTextCtrl(this, Service::IDC_CURRENT, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
  add(IDC_CURRENT_LABEL, "Current Password", m_current);
  m_new = new wxTextCtrl(this, Service::IDC_NEW, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
  add(wxID_ANY, "New Password", m_new);

  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(m_notice, wxSizerFlags().Border(wxALL, 8));
  layout->Add(grid, wxSizerFlags().Expand().Border(wxALL, 10));
  layout->Add(new wxStaticLine(this), wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 10));
  layout->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border(wxALL, 10));
  SetSizer(layout);
  Bind(wxEVT_INIT_DIALOG, &CModifyPwdDlg::OnInitDialog, this);
  Bind(wxEVT_BUTTON, &CModifyPwdDlg::OnOK, this, wxID_OK);
}

void CModifyPwdDlg::SetDevice(const std::string& ip, int kind, const std::string& currentPassword) {
  m_ip = ip;
  m_deviceType = Service::DeviceTypeOfKind(kind);
  m_currentPassword = currentPassword;
}

void CModifyPwdDlg::OnInitDialog(wxInitDialogEvent& event) {
  event.Skip();
  ApplyMode();
}

void CModifyPwdDlg::ApplyMode() {
  if (m_mode == Service::ALL_DEVICES) {
    m_notice->Show();
    for (int id : {int(IDC_IP_LABEL), int(IDC_TYPE_LABEL), int(IDC_CURRENT_LABEL), int(Service::IDC_IP),
                   int(Service::IDC_DEVICE_TYPE), int(Service::IDC_CURRENT)})
      FindWindow(id)->Hide();
    SetTitle("Modify all devices password");
  } else {
    m_address->ChangeValue(wxString::FromUTF8(m_ip));
    FillModelCombo();
    m_type->SetSelection(m_deviceType);
    m_current->ChangeValue(wxString::FromUTF8(m_currentPassword));
  }
  GetSizer()->SetSizeHints(this);
  Layout();
}

void CModifyPwdDlg::FillModelCombo() {
  if (!m_ip.empty()) return;
  // Without a device the list offers the supported models, which tell the kind and the root object.
  m_byModel = true;
  m_type->Clear();
  for (const std::string& name : Service::ModelNames()) m_type->Append(wxString::FromUTF8(name));
}

void CModifyPwdDlg::OnOK(wxCommandEvent&) {
  Service::Input input;
  input.ip = m_address->GetValue().utf8_string();
  input.deviceType = m_type->GetSelection() == wxNOT_FOUND ? Service::TYPE_NONE : m_type->GetSelection();
  input.byModel = m_byModel;
  input.modelName = m_type->GetStringSelection().utf8_string();
  input.currentPassword = m_current->GetValue().utf8_string();
  input.newPassword = m_new->GetValue().utf8_string();
  const Service::Outcome outcome =
      m_service.Apply(static_cast<Service::Mode>(m_mode), input);
  if (outcome.close) {
    EndModal(wxID_OK);
    return;
  }
  if (wxWindow* field = FindWindow(outcome.focus)) field->SetFocus();
}
