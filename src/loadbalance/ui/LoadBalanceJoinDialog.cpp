#include "loadbalance/ui/LoadBalanceJoinDialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "lbmodel/LoadBalanceForms.h"
#include "platform/MessageBox.h"

CLoadBalanceJoinDialog::CLoadBalanceJoinDialog(wxWindow* parent, const std::vector<std::string>& groupNames)
    : wxDialog(parent, wxID_ANY, "Join  Into Current Grop") {
  auto* box = new wxStaticBoxSizer(wxVERTICAL, this);
  box->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY, "Please Select Current Group Name"), 0, wxALL, 6);
  m_group = new wxChoice(box->GetStaticBox(), IDC_GROUP, wxDefaultPosition, wxSize(200, -1), 0, nullptr, wxCB_SORT);
  for (const std::string& name : groupNames) m_group->Append(wxString::FromUTF8(name));
  box->Add(m_group, 0, wxEXPAND | wxALL, 6);
  box->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 6);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(box, 1, wxEXPAND | wxALL, 8);
  SetSizerAndFit(top);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

void CLoadBalanceJoinDialog::OnOk() {
  const int index = m_group->GetSelection();
  m_groupName = index >= 0 ? m_group->GetString(index).utf8_string() : std::string();
  const std::string refusal = CheckJoinChoice(index, m_groupName);
  if (!refusal.empty()) {
    m_groupName.clear();
    platform::MessageBox(refusal);
    return;
  }
  EndModal(wxID_OK);
}
