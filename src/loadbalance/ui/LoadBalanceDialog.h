#pragma once
// The group dialog "Add Balance Group": a new group's name and its APs (create mode), or more APs for a
// group (add mode, when the form comes with the group's name). When the ticked APs have different SSIDs
// the user may pick the group's SSID from the SSIDs of the rows clicked.
#include <wx/dialog.h>

#include "controls/ReportCtrl.h"
#include "lbmodel/LoadBalanceForms.h"

class wxChoice;
class wxStaticText;
class wxTextCtrl;

class CLoadBalanceDialog : public wxDialog {
 public:
  enum { IDC_NAME = 1048, IDC_DESCRIPTION = 1181, IDC_SSID = 1308, IDC_SSID_LABEL = 1071, IDC_LIST = 1045,
         IDC_OK = 1041 };

  // The form's inputs are preset by the caller; after wxID_OK it holds the outputs.
  CLoadBalanceDialog(wxWindow* parent, CLoadBalanceGroupForm& form);

  CReportCtrl& List() { return m_list; }
  wxChoice* SsidChoice() const { return m_ssid; }
  wxTextCtrl* NameBox() const { return m_name; }
  // The Ok button's work, also for tests.
  void OnOk();

 private:
  // Offers the row's SSID in the list of SSIDs unless it is there.
  void OfferSsid(int row);
  std::vector<ApInfoRecord> TickedRows() const;

  CLoadBalanceGroupForm& m_form;
  std::vector<ApInfoRecord> m_rows;  // the records behind the list's rows
  wxTextCtrl* m_name = nullptr;
  wxTextCtrl* m_description = nullptr;
  wxStaticText* m_ssidLabel = nullptr;
  wxChoice* m_ssid = nullptr;
  CReportCtrl m_list;
};
