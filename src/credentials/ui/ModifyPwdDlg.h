#pragma once
// "Modify Password": a new password for one device (its address, type and current password given or
// typed), or, in the all-devices mode, only the new password, which the changer of every managed device
// takes over. OK checks and acts through CModifyPasswordService.
#include <wx/dialog.h>

#include <string>

#include "credentials/ModifyPasswordService.h"

class wxChoice;
class wxStaticText;
class wxTextCtrl;

class CModifyPwdDlg : public wxDialog {
 public:
  enum { IDD = 313, IDC_NOTICE = 1332, IDC_IP_LABEL = 1333, IDC_TYPE_LABEL = 1335, IDC_CURRENT_LABEL = 1337 };

  CModifyPwdDlg(wxWindow* parent, CModifyPasswordService& service);

  void SetMode(int mode) { m_mode = mode; }
  // kind: 1 AP, 2 switch (any other: no type chosen).
  void SetDevice(const std::string& ip, int kind, const std::string& currentPassword);
  int Mode() const { return m_mode; }
  bool ByModel() const { return m_byModel; }

 private:
  void OnInitDialog(wxInitDialogEvent& event);
  void ApplyMode();
  void FillModelCombo();
  void OnOK(wxCommandEvent& event);

  CModifyPasswordService& m_service;
  int m_mode = CModifyPasswordService::SINGLE_DEVICE;
  std::string m_ip;
  int m_deviceType = CModifyPasswordService::TYPE_NONE;
  std::string m_currentPassword;
  bool m_byModel = false;

  wxTextCtrl* m_address = nullptr;
  wxChoice* m_type = nullptr;
  wxTextCtrl* m_current = nullptr;
  wxTextCtrl* m_new = nullptr;
  wxStaticText* m_notice = nullptr;
};
