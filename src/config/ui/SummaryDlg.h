#pragma once
// "Summary": how many APs there are, managed, new and balancing load, how many wireless clients are
// connected and when the last polling pass started; computed once, when the dialog opens.
#include <wx/dialog.h>
#include <wx/stattext.h>

#include <string>

class CSummaryDlg : public wxDialog {
 public:
  enum Control { kCurrentClient = 1281, kLastPolling = 1279, kLoadBalance = 1283, kManaged = 1287, kNew = 1285,
                 kTotal = 1289 };

  explicit CSummaryDlg(wxWindow* parent = nullptr);

  std::string m_strCurrentClient, m_strLastPollingTime, m_strLoadBalanceAp, m_strManagementAp, m_strNewAp,
      m_strTotalAp;

 private:
  void OnInit(wxInitDialogEvent& event);
  void AddRow(wxSizer* grid, const wxString& label, int id, int labelId = wxID_ANY);
};
