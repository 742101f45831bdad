#include "quillon/ui/ConsoleDhcpDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/MessageBox.h"
#include "quillon/ConsoleConfigSet.h"
#include "quillon/ConsoleSession.h"

namespace quillon::ui {

CConsoleDhcpDlg::CConsoleDhcpDlg(wxWindow* parent, CConsoleSession& session, IConsoleTransport& transport,
                                 int selectedDevice)
    : wxDialog(parent, wxID_ANY, "DHCP Refresh"), session_(session), transport_(transport), selectedDevice_(selectedDevice) {
  password_ = new wxTextCtrl(this, dhcp_id::kPassword, wxString(), wxDefaultPosition, wxSize(160, -1), wxTE_PASSWORD);
  password_->SetMaxLength(field::kPassword);
  auto* apply = new wxButton(this, dhcp_id::kApply, "Apply");
  apply->SetDefault();
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "Password"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  row->Add(password_, 1);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(apply, 0, wxALL, 4);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 4);
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(row, 0, wxEXPAND | wxALL, 8);
  layout->Add(buttons, 0, wxALIGN_RIGHT);
  SetSizerAndFit(layout);
  Bind(wxEVT_BUTTON, &CConsoleDhcpDlg::OnApply, this, dhcp_id::kApply);
}

void CConsoleDhcpDlg::OnApply(wxCommandEvent&) {
  const std::string password = password_->GetValue().utf8_string();
  if (!IsPasswordLengthAllowed(password)) {
    platform::MessageBox("Password lengths between 1-20", "Error", platform::MB_ICONERROR);
    return;
  }
  transport_.RejoinMulticastGroup();
  ConsoleDeviceRecord record = session_.Device(selectedDevice_);
  record.password = password;
  session_.SendConsoleSet(record, kDhcpOn, true, transport_);
  EndModal(wxID_OK);
}

}  // namespace quillon::ui
