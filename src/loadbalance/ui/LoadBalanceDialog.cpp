#include "loadbalance/ui/LoadBalanceDialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "loadbalance/ui/ApListFill.h"
#include "platform/MessageBox.h"

CLoadBalanceDialog::CLoadBalanceDialog(wxWindow* parent, CLoadBalanceGroupForm& form)
    : wxDialog(parent, wxID_ANY, "Add Balance Group", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_form(form) {
  const std::string presetSsid = m_form.Begin();
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* fields = new wxFlexGridSizer(2, 6, 6);
  auto* nameLabel = new wxStaticText(this, wxID_ANY, "Group Name");
  m_name = new wxTextCtrl(this, IDC_NAME, wxString::FromUTF8(m_form.name), wxDefaultPosition, wxSize(200, -1));
  auto* descriptionLabel = new wxStaticText(this, wxID_ANY, "Description");
  m_description = new wxTextCtrl(this, IDC_DESCRIPTION, wxString::FromUTF8(m_form.description));
  m_ssidLabel = new wxStaticText(this, IDC_SSID_LABEL, "Group SSID");
  m_ssid = new wxChoice(this, IDC_SSID, wxDefaultPosition, wxSize(200, -1), 0, nullptr, wxCB_SORT);
  fields->Add(nameLabel, 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(m_name);
  fields->Add(descriptionLabel, 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(m_description, 0, wxEXPAND);
  fields->Add(m_ssidLabel, 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(m_ssid);
  top->Add(fields, 0, wxALL, 8);
  auto* line = new wxStaticLine(this);
  top->Add(line, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  top->Add(new wxStaticText(this, wxID_ANY, "Current AP list"), 0, wxALL, 8);
  m_list.CreateReportList(this, IDC_LIST, nullptr, wxBORDER_SUNKEN);
  m_list.SetMinSize(wxSize(560, 240));
  top->Add(&m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* ok = new wxButton(this, IDC_OK, "Ok");
  ok->SetDefault();
  buttons->Add(ok, 0, wxRIGHT, 12);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
  top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);

  // The description is kept but not edited here; the SSID choice appears only when it is needed.
  for (wxWindow* hidden : {static_cast<wxWindow*>(descriptionLabel), static_cast<wxWindow*>(m_description),
                           static_cast<wxWindow*>(m_ssidLabel), static_cast<wxWindow*>(m_ssid)})
    hidden->Hide();
  if (m_form.AddMode())
    for (wxWindow* hidden : {static_cast<wxWindow*>(nameLabel), static_cast<wxWindow*>(m_name),
                             static_cast<wxWindow*>(line)})
      hidden->Hide();

  m_list.SetExtendedStyle(CReportCtrl::LVS_EX_GRIDLINES | CReportCtrl::LVS_EX_CHECKBOXES |
                          CReportCtrl::LVS_EX_FULLROWSELECT);
  for (const char* column : {"SSID", "IP", "MAC", "Location", "group infomation", "Ap name"})
    m_list.InsertColumn(m_list.GetColumnCount(), column, listmodel::ColumnFormat::Left, 92);
  if (!presetSsid.empty()) m_ssid->Append(wxString::FromUTF8(presetSsid));
  // The candidates end up above the APs offered ticked.
  m_rows = m_form.selectedAps;
  m_rows.insert(m_rows.end(), m_form.candidateAps.begin(), m_form.candidateAps.end());
  const std::vector<ApInfoRecord> ticked(m_rows.begin(), m_rows.begin() + m_form.selectedAps.size());
  InsertApListItems(m_list, ticked, true);
  // Candidates: their records follow the ticked ones.
  for (size_t i = 0; i < m_form.candidateAps.size(); ++i) {
    InsertApListItems(m_list, {m_form.candidateAps[i]}, false);
    m_list.SetItemData(0, ticked.size() + i);
  }

  SetSizerAndFit(top);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, IDC_OK);
  m_list.GetListView()->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) {
    event.Skip();
    OfferSsid(static_cast<int>(event.GetIndex()));
  });
  Bind(EVT_REPORT_CHECKBOX_CLICKED, [this](wxCommandEvent& event) { OfferSsid(event.GetInt()); });
}

void CLoadBalanceDialog::OfferSsid(int row) {
  if (!m_list.IsRowIndexValid(row)) return;
  const std::uintptr_t record = m_list.GetItemData(row);
  if (record >= m_rows.size()) return;
  const wxString ssid = wxString::FromUTF8(m_rows[record].ssid);
  if (m_ssid->FindString(ssid, true) == wxNOT_FOUND) m_ssid->Append(ssid);
}

std::vector<ApInfoRecord> CLoadBalanceDialog::TickedRows() const {
  return ApsOfRows(m_list, m_rows, listmodel::ROW_CHECKED);
}

void CLoadBalanceDialog::OnOk() {
  m_form.name = m_name->GetValue().utf8_string();
  const int index = m_ssid->GetSelection();
  const std::string text = index >= 0 ? m_ssid->GetString(index).utf8_string() : std::string();
  const FormAnswer answer = m_form.Ok(TickedRows(), index, text);
  switch (answer.kind) {
    case FormAnswer::Stay:
      if (answer.errorBox)
        platform::MessageBox(answer.message, "error", platform::MB_ICONWARNING);
      else if (!answer.message.empty())
        platform::MessageBox(answer.message);
      return;
    case FormAnswer::AskSsidChoice:
      if (platform::MessageBox(answer.message, {}, platform::MB_YESNO) == platform::IDYES) {
        m_form.AgreeToChooseSsid();
        m_ssidLabel->Show();
        m_ssid->Show();
        m_ssid->SetFocus();
        Layout();
        Fit();
        return;
      }
      break;
    case FormAnswer::Close:
      break;
  }
  EndModal(wxID_OK);
}
