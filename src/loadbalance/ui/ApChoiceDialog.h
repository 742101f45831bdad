#pragma once
// A dialog that offers APs with check boxes and gives back the ticked ones: "Add AP Node" offers APs in
// no group, "Delete AP Node" the APs of groups. Nothing but the APs given is offered.
#include <wx/dialog.h>

#include <vector>

#include "controls/ReportCtrl.h"
#include "db/ApInfoRecord.h"

class CApChoiceDialog : public wxDialog {
 public:
  enum Purpose { AddAps, DeleteAps };
  enum { IDC_ADD_LIST = 1052, IDC_DELETE_LIST = 1057 };

  CApChoiceDialog(wxWindow* parent, Purpose purpose, std::vector<ApInfoRecord> aps);

  // After wxID_OK: the APs ticked, top to bottom.
  const std::vector<ApInfoRecord>& Chosen() const { return m_chosen; }
  CReportCtrl& List() { return m_list; }
  void OnOk();

 private:
  std::vector<ApInfoRecord> m_offered;
  std::vector<ApInfoRecord> m_chosen;
  CReportCtrl m_list;
};
