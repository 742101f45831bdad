#pragma once
// The "Discovery Wizard": the IP segments whose switches are to be discovered and the discovery password.
// What it checks and stores is CManageSegmentModel's; this is its window.
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "mainmodel/ManageSegmentModel.h"

class CManageSegmentDlg : public wxDialog {
 public:
  enum {
    IDD = 191,
    IDC_FROM_IP = 1040,
    IDC_TO_IP = 1044,
    IDC_ADD = 1201,
    IDC_DELETE = 1205,
    IDC_SEGMENTS = 1212,
    IDC_PASSWORD = 1177,
  };
  static constexpr int kMaxPasswordCharacters = 20;

  explicit CManageSegmentDlg(wxWindow* parent);

  const CManageSegmentModel& Model() const { return model_; }

 private:
  void FillSegments();
  void Focus(CManageSegmentModel::Field field);
  void OnAdd(wxCommandEvent& event);
  void OnDelete(wxCommandEvent& event);
  void OnPasswordChange(wxCommandEvent& event);
  void OnOK(wxCommandEvent& event);

  CManageSegmentModel model_;
  wxComboBox* from_ = nullptr;
  wxComboBox* to_ = nullptr;
  wxListCtrl* segments_ = nullptr;
  wxTextCtrl* password_ = nullptr;
  bool loading_ = true;  // the stored password entering the field is no change by the user
};
