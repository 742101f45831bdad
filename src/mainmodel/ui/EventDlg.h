#pragma once
// The device-event counter pane of the navigation bar's "Status" folder: seven named counters in a
// two-column list that fills the pane, its columns as wide as their texts when it opens. It only shows
// what it is given; the frame recounts, and gives it the height of all its rows.
#include <wx/listctrl.h>
#include <wx/panel.h>

#include <string>

class CEventDlg : public wxPanel {
 public:
  enum { IDD = 195, IDC_EVENT_LIST = 1185 };
  enum Row { kUnknownDevice = 0, kNewAp, kChangedAp, kReplacedAp, kNewSwitch, kManagedSwitch, kManagedAp, kRowCount };

  // The rows start with the process-wide counters as they are now.
  explicit CEventDlg(wxWindow* parent);

  void SetUnknownDevice(const std::string& value) { SetValue(kUnknownDevice, value); }
  void SetNewAp(const std::string& value) { SetValue(kNewAp, value); }
  void SetChangedAp(const std::string& value) { SetValue(kChangedAp, value); }
  void SetReplacedAp(const std::string& value) { SetValue(kReplacedAp, value); }
  void SetNewSwitch(const std::string& value) { SetValue(kNewSwitch, value); }
  void SetManagedSwitch(const std::string& value) { SetValue(kManagedSwitch, value); }
  void SetManagedAp(const std::string& value) { SetValue(kManagedAp, value); }

  std::string ValueAt(Row row) const;
  // The pane's height that shows the header and every row whole.
  int FullHeight() const;
  wxListCtrl* List() const { return list_; }

 private:
  void SetValue(Row row, const std::string& value);
  void FitColumns();
  void OnSize(wxSizeEvent& event);

  wxListCtrl* list_ = nullptr;
};
