#include "loadbalance/ui/ApChoiceDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "lbmodel/ApListRows.h"
#include "loadbalance/ui/ApListFill.h"

CApChoiceDialog::CApChoiceDialog(wxWindow* parent, Purpose purpose, std::vector<ApInfoRecord> aps)
    : wxDialog(parent, wxID_ANY, purpose == AddAps ? "Add AP Node" : "Delete AP Node"), m_offered(std::move(aps)) {
  FilterApListByGroup(m_offered, purpose == AddAps);
  auto* box = new wxStaticBoxSizer(wxVERTICAL, this);
  box->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY,
                            purpose == AddAps ? "Current Unload_Balance AP  Please  Select"
                                              : "Loaded Balance AP Node In  Pointed Group"),
           0, wxALL, 6);
  m_list.CreateReportList(box->GetStaticBox(), purpose == AddAps ? IDC_ADD_LIST : IDC_DELETE_LIST, nullptr,
                          wxBORDER_SUNKEN);
  m_list.SetMinSize(wxSize(420, 260));
  m_list.SetExtendedStyle(CReportCtrl::LVS_EX_GRIDLINES | CReportCtrl::LVS_EX_CHECKBOXES |
                          CReportCtrl::LVS_EX_FULLROWSELECT);
  for (const char* column : {"SSID", "IP", "MAC", "group information"})
    m_list.InsertColumn(m_list.GetColumnCount(), column, listmodel::ColumnFormat::Left, 104);
  InsertApListItems(m_list, m_offered, false);
  box->Add(&m_list, 1, wxEXPAND | wxALL, 6);
  box->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 6);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(box, 1, wxEXPAND | wxALL, 8);
  SetSizerAndFit(top);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
}

void CApChoiceDialog::OnOk() {
  m_chosen = ApsOfRows(m_list, m_offered, listmodel::ROW_CHECKED);
  EndModal(wxID_OK);
}
