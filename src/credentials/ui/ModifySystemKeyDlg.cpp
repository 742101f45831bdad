#include "credentials/ui/ModifySystemKeyDlg.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/gauge.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"

using Service = CSystemKeyService;

CModifySystemKeyDlg::CModifySystemKeyDlg(wxWindow* parent, ISystemKeyWriter& writer,
                                         std::function<void()> refreshViews)
    : wxDialog(parent, IDD, "Modify System Key"), m_service(writer, std::move(refreshViews)) {
  auto* layout = new wxBoxSizer(wxVERTICAL);
  auto radio = [&](int id, const char* caption, int mode, long style = 0) {
    auto* button = new wxRadioButton(this, id, caption, wxDefaultPosition, wxDefaultSize, style);
    button->Bind(wxEVT_RADIOBUTTON, [this, mode](wxCommandEvent&) { SetMode(mode); });
    layout->Add(button, wxSizerFlags().Border(wxLEFT | wxTOP, 10));
    return button;
  };
  auto row = [&](wxSizer* grid, const char* label, wxWindow* control) {
    grid->Add(new wxStaticText(this, wxID_ANY, label), wxSizerFlags().CentreVertical());
    grid->Add(control, wxSizerFlags().Expand());
  };
  radio(IDC_ALL, "All Managed Device", Service::ALL_DEVICES, wxRB_GROUP)->SetValue(true);
  auto* keyGrid = new wxFlexGridSizer(2, wxSize(8, 6));
  m_key = new wxTextCtrl(this, Service::IDC_KEY, "", wxDefaultPosition, wxSize(190, -1));
  row(keyGrid, "System Key", m_key);
  layout->AddSpacer(6);
  layout->Add(keyGrid, wxSizerFlags().Border(wxLEFT, 34));
  radio(IDC_KEY_ERROR, "All  Managed System Key Error Device", Service::KEY_ERROR_DEVICES);
  radio(IDC_SINGLE, "Single Device", Service::SINGLE_DEVICE);
  auto* singleGrid = new wxFlexGridSizer(2, wxSize(8, 6));
  m_ip = new wxComboBox(this, Service::IDC_IP, "", wxDefaultPosition, wxSize(190, -1), 0, nullptr,
                        wxCB_DROPDOWN | wxCB_SORT);
  row(singleGrid, "IP Address", m_ip);
  m_model = new wxChoice(this, Service::IDC_MODEL, wxDefaultPosition, wxSize(190, -1), 0, nullptr, wxCB_SORT);
  row(singleGrid, "Device Model", m_model);
  m_password = new wxTextCtrl(this, Service::IDC_PASSWORD, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
  row(singleGrid, "Password", m_password);
  m_singleKey = new wxTextCtrl(this, Service::IDC_SINGLE_KEY);
  row(singleGrid, "System Key", m_singleKey);
  layout->AddSpacer(6);
  layout->Add(singleGrid, wxSizerFlags().Border(wxLEFT, 34));
  layout->Add(new wxStaticLine(this), wxSizerFlags().Expand().Border(wxALL, 10));
  m_progress = new wxGauge(this, IDC_PROGRESS, 100, wxDefaultPosition, wxSize(330, 20));
  layout->Add(m_progress, wxSizerFlags().Centre().Border(wxBOTTOM, 10));
  layout->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border(wxALL, 10));
  SetSizerAndFit(layout);

  for (const std::string& ip : Service::KeyErrorDeviceIps()) m_ip->Append(wxString::FromUTF8(ip));
  SetMode(Service::ALL_DEVICES);
  for (const std::string& name : Service::ModelNames()) m_model->Append(wxString::FromUTF8(name));

  Bind(wxEVT_BUTTON, &CModifySystemKeyDlg::OnOK, this, wxID_OK);
  Bind(wxEVT_CLOSE_WINDOW, &CModifySystemKeyDlg::OnClose, this);
}

CModifySystemKeyDlg::~CModifySystemKeyDlg() { m_worker.Stop(false); }

void CModifySystemKeyDlg::SetMode(int mode) {
  m_mode = mode;
  const Service::EnabledControls enabled = Service::ControlsOf(mode);
  m_key->Enable(enabled.key);
  m_ip->Enable(enabled.ip);
  m_model->Enable(enabled.model);
  m_password->Enable(enabled.password);
  m_singleKey->Enable(enabled.singleKey);
}

Service::Input CModifySystemKeyDlg::ReadControls() const {
  Service::Input input;
  input.mode = m_mode;
  input.key = m_key->GetValue().utf8_string();
  input.ip = m_ip->GetValue().utf8_string();
  input.modelIndex = m_model->GetSelection();
  input.modelName = m_model->GetStringSelection().utf8_string();
  input.password = m_password->GetValue().utf8_string();
  input.singleKey = m_singleKey->GetValue().utf8_string();
  return input;
}

void CModifySystemKeyDlg::OnOK(wxCommandEvent&) {
  const Service::Input input = ReadControls();
  const Service::Outcome outcome = m_service.Apply(input);
  switch (outcome.next) {
    case Service::Next::StartWorker: StartAllDevicesWorker(input.key); break;
    case Service::Next::Close: EndModal(wxID_OK); break;
    case Service::Next::StayOpen:
      if (wxWindow* field = FindWindow(outcome.focus)) field->SetFocus();
      break;
  }
}

void CModifySystemKeyDlg::StartAllDevicesWorker(const std::string& key) {
  FindWindow(wxID_OK)->Disable();
  FindWindow(wxID_CANCEL)->Disable();
  m_running = true;
  m_worker.SetThreadProc([this, key](platform::CWorkerThread&) {
    const int result = m_service.RunAllDevices(key, [this](int percent) {
      CallAfter([this, percent] { m_progress->SetValue(std::clamp(percent, 0, 100)); });
    });
    CallAfter([this, result] { OnWorkerDone(result); });
  });
  if (m_worker.StartNoParam()) return;
  // Without a worker nothing would ever close the dialog: give the buttons back.
  m_running = false;
  FindWindow(wxID_OK)->Enable();
  FindWindow(wxID_CANCEL)->Enable();
  platform::MessageBox("Modify system key failed, maybe network error", "fail", platform::MB_ICONWARNING);
}

void CModifySystemKeyDlg::OnWorkerDone(int result) {
  m_worker.Stop(false);
  m_running = false;
  m_service.FinishAllDevices(result);
  DebugTrace("DestroyDlg");
  EndModal(wxID_OK);
  DebugTrace("DestroyDlg");
}

void CModifySystemKeyDlg::OnClose(wxCloseEvent& event) {
  if (m_running && event.CanVeto()) {
    event.Veto();
    return;
  }
  event.Skip();
}
