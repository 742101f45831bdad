#include "config/ui/SummaryDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include <mutex>

#include "db/SummaryDb.h"
#include "settings/GlobalSettings.h"

CSummaryDlg::CSummaryDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Summary") {
  auto* outer = new wxBoxSizer(wxVERTICAL);
  auto* grid = new wxFlexGridSizer(2, wxSize(16, 6));
  AddRow(grid, "Total AP", kTotal);
  AddRow(grid, "Managment AP", kManaged);
  AddRow(grid, "New AP", kNew, 1291);
  AddRow(grid, "Load Balance Enable AP", kLoadBalance);
  AddRow(grid, "Current Client", kCurrentClient);
  AddRow(grid, "Last Polling Time:", kLastPolling);
  outer->Add(grid, 0, wxALL, 12);
  outer->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALIGN_RIGHT | wxALL, 8);
  SetSizerAndFit(outer);
  Bind(wxEVT_INIT_DIALOG, &CSummaryDlg::OnInit, this);
}

void CSummaryDlg::AddRow(wxSizer* grid, const wxString& label, int id, int labelId) {
  grid->Add(new wxStaticText(this, labelId, label));
  grid->Add(new wxStaticText(this, id, "", wxDefaultPosition, wxSize(140, -1)));
}

void CSummaryDlg::OnInit(wxInitDialogEvent& event) {
  event.Skip();
  CSummaryDb counters;
  const int managed = counters.CountManagedAps();
  const int fresh = counters.CountNewAps();
  m_strManagementAp = std::to_string(managed);
  m_strNewAp = std::to_string(fresh);
  m_strLoadBalanceAp = std::to_string(counters.CountLoadBalanceAps());
  m_strCurrentClient = std::to_string(counters.CountClients());
  // An AP both managed and found again as new is one AP.
  m_strTotalAp = std::to_string(counters.CountAllAps());
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    m_strLastPollingTime = g_RuntimeSettings.strLastPollingTime;
  }
  const std::pair<int, const std::string*> fields[] = {
      {kTotal, &m_strTotalAp},        {kManaged, &m_strManagementAp},      {kNew, &m_strNewAp},
      {kLoadBalance, &m_strLoadBalanceAp}, {kCurrentClient, &m_strCurrentClient}, {kLastPolling, &m_strLastPollingTime}};
  for (const auto& [id, text] : fields) FindWindow(id)->SetLabel(wxString::FromUTF8(*text));
}
