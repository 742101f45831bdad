#include "credentials/ui/PasswdManagerDlg.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include "credentials/ManagedDeviceList.h"
#include "credentials/ui/ModifyPwdDlg.h"

CPasswdManagerDlg::CPasswdManagerDlg(wxWindow* parent, CModifyPasswordService::MacLookup macOfIp,
                                     CModifyPasswordService::StartAll startAll)
    : wxDialog(parent, IDD, "Deivce Password Manager", wxDefaultPosition, wxSize(760, 420)),
      m_service(std::move(macOfIp), std::move(startAll)) {
  m_list = new wxListCtrl(this, IDC_LIST, wxDefaultPosition, wxSize(590, 370),
                          wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES | wxBORDER_SUNKEN);
  auto* buttons = new wxBoxSizer(wxVERTICAL);
  buttons->Add(new wxButton(this, IDC_MODIFY_SINGLE, "Modify Single"), wxSizerFlags().Expand());
  buttons->Add(new wxButton(this, IDC_MODIFY_ALL, "Modify All"), wxSizerFlags().Expand().Border(wxTOP, 6));
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_CANCEL, "&Exit"), wxSizerFlags().Expand());
  auto* layout = new wxBoxSizer(wxHORIZONTAL);
  layout->Add(m_list, wxSizerFlags(1).Expand().Border(wxALL, 10));
  layout->Add(buttons, wxSizerFlags().Expand().Border(wxTOP | wxBOTTOM | wxRIGHT, 10));
  SetSizerAndFit(layout);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnModifySingle(); }, IDC_MODIFY_SINGLE);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnModifyAll(); }, IDC_MODIFY_ALL);
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { OnModifySingle(); });
  SetupList();
  FillList();
}

void CPasswdManagerDlg::SetupList() {
  const int w = m_list->GetClientSize().x;
  m_list->InsertColumn(0, "Name", wxLIST_FORMAT_LEFT, w / 6 - 3);
  m_list->InsertColumn(1, "Type", wxLIST_FORMAT_LEFT, w / 8 - 2);
  m_list->InsertColumn(2, "IP", wxLIST_FORMAT_LEFT, w / 5 - 3);
  m_list->InsertColumn(3, "MAC", wxLIST_FORMAT_LEFT, w / 4 + 5);
  m_list->InsertColumn(4, "Password", wxLIST_FORMAT_LEFT, w / 4 - 2);
}

void CPasswdManagerDlg::FillList() {
  std::vector<PasswordManagerRow> rows;
  if (!LoadPasswordManagerRows(rows)) return;
  m_list->DeleteAllItems();
  m_passwords.clear();
  for (const PasswordManagerRow& row : rows) {
    const long item = m_list->InsertItem(m_list->GetItemCount(), wxString::FromUTF8(row.name));
    m_list->SetItem(item, 1, wxString::FromUTF8(row.typeText));
    m_list->SetItem(item, 2, wxString::FromUTF8(row.ip));
    m_list->SetItem(item, 3, wxString::FromUTF8(row.mac));
    m_list->SetItem(item, 4, "******");
    m_passwords.push_back(row.password);
  }
}

void CPasswdManagerDlg::OnModifySingle() {
  const long selected = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  std::string type, ip, password;
  if (selected >= 0) {
    type = m_list->GetItemText(selected, 1).utf8_string();
    ip = m_list->GetItemText(selected, 2).utf8_string();
    password = m_passwords[static_cast<std::size_t>(selected)];
  }
  const int kind = type == "AP"       ? CModifyPasswordService::KIND_AP
                   : type == "Switch" ? CModifyPasswordService::KIND_SWITCH
                                      : 0;
  CModifyPwdDlg dialog(this, m_service);
  dialog.SetMode(CModifyPasswordService::SINGLE_DEVICE);
  dialog.SetDevice(ip, kind, password);
  dialog.ShowModal();
  FillList();
}

void CPasswdManagerDlg::OnModifyAll() {
  CModifyPwdDlg dialog(this, m_service);
  dialog.SetMode(CModifyPasswordService::ALL_DEVICES);
  dialog.ShowModal();
}
