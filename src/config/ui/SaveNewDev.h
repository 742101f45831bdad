#pragma once
// The "Save New Device" dialog: the APs and switches found but not yet managed, a box per AP asking for
// the default AP parameters, and Save, which moves them all into the managed list on a worker thread and
// closes the dialog with OK when it is done.
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>

#include <memory>
#include <vector>

#include "config/SaveNewDevWorker.h"

class CSaveNewDevDlg : public wxDialog {
 public:
  enum { IDD = 383, IDC_AP_LIST = 1364, IDC_SWITCH_LIST = 1365, IDC_PROGRESS = 1399 };

  explicit CSaveNewDevDlg(wxWindow* parent);
  ~CSaveNewDevDlg() override;

  // (Re)reads the new devices and the defaults and refills both lists.
  void FillLists();

  wxListCtrl* ApList() const { return apList_; }
  wxListCtrl* SwitchList() const { return switchList_; }
  wxGauge* Progress() const { return progress_; }
  const std::vector<NewDeviceEntry>& NewDevices() const { return newDevices_; }

 private:
  void OnSave(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  // The worker's end: buttons back on, the dialog ends with OK.
  void DestroyDlg();
  void EnableButtons(bool enable);

  wxListCtrl* apList_ = nullptr;
  wxListCtrl* switchList_ = nullptr;
  wxGauge* progress_ = nullptr;
  std::vector<NewDeviceEntry> newDevices_;
  bool saving_ = false;
  std::unique_ptr<CSaveNewDevWorker> worker_;  // declared last: joined before the controls go
};
