#pragma once
// "Select Management Host": asks which of this computer's addresses an AP should send its traps to. The
// dialog only collects the choice; the caller writes it to the AP.
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <list>
#include <optional>
#include <string>
#include <vector>

class CSetTrapHostDlg : public wxDialog {
 public:
  enum Control { kCurrentAp = 1331, kOldHost = 1330, kNewHost = 1329, kCancel = 1352 };

  explicit CSetTrapHostDlg(wxWindow* parent = nullptr);

  // Inputs, set before the dialog runs.
  std::string m_strOldHost;
  std::string m_strCurrentAp;
  std::vector<std::string> m_candidates;
  // The result after OK.
  std::string m_strChosenHost;

 private:
  void OnInit(wxInitDialogEvent& event);
  void OnOk(wxCommandEvent& event);

  wxTextCtrl* oldHost_;
  wxComboBox* hosts_;
  wxStaticText* currentAp_;
};

// The load-balance manager's host chooser over this dialog: the chosen host, or none on Cancel. Called on
// another thread it shows the dialog on the UI thread and waits for the answer.
std::optional<std::string> ChooseManagementHost(wxWindow* parent, const std::string& oldHost, const std::string& apIp,
                                                const std::list<std::string>& addresses);
