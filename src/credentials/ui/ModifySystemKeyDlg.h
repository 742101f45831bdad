#pragma once
// "Modify System Key": writes a typed key to every managed device on a worker thread with a progress
// bar, the switches' keys to the devices in the system-key-error state, or a typed key to one device.
// The worker never touches a window: progress and its end come back to the dialog's thread, which shows
// the result and closes. OK and Cancel stay disabled (and the dialog cannot be closed) while it runs.
#include <wx/dialog.h>

#include <functional>

#include "credentials/SystemKeyService.h"
#include "platform/WorkerThread.h"

class wxButton;
class wxChoice;
class wxComboBox;
class wxGauge;
class wxRadioButton;
class wxTextCtrl;

class CModifySystemKeyDlg : public wxDialog {
 public:
  enum { IDD = 359, IDC_ALL = 1344, IDC_KEY_ERROR = 1345, IDC_SINGLE = 1350, IDC_PROGRESS = 1400 };

  // refreshViews: the main frame's refresh of every view, after a completed mode.
  CModifySystemKeyDlg(wxWindow* parent, ISystemKeyWriter& writer, std::function<void()> refreshViews);
  ~CModifySystemKeyDlg() override;

  int Mode() const { return m_mode; }
  bool WorkerRunning() const { return m_running; }
  wxGauge* Progress() const { return m_progress; }

 private:
  void SetMode(int mode);
  CSystemKeyService::Input ReadControls() const;
  void OnOK(wxCommandEvent& event);
  void StartAllDevicesWorker(const std::string& key);
  void OnWorkerDone(int result);
  void OnClose(wxCloseEvent& event);

  CSystemKeyService m_service;
  platform::CWorkerThread m_worker;
  bool m_running = false;
  int m_mode = CSystemKeyService::ALL_DEVICES;
  wxGauge* m_progress = nullptr;
  wxComboBox* m_ip = nullptr;
  wxChoice* m_model = nullptr;
  wxTextCtrl* m_key = nullptr;
  wxTextCtrl* m_password = nullptr;
  wxTextCtrl* m_singleKey = nullptr;
};
