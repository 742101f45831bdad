#pragma once
// What "Modify System Key" does, without its window: which controls each mode enables, the lists it
// offers, the checks of OK in their order, the key-error and single-device modes run at once, and the
// all-devices mode run by the dialog's worker. Every outcome is shown in a message box; every completed
// mode asks for the views to be refreshed.
#include <functional>
#include <string>
#include <vector>

#include "credentials/SystemKeyWriter.h"

class CSystemKeyService {
 public:
  enum Mode { ALL_DEVICES = 0, KEY_ERROR_DEVICES = 1, SINGLE_DEVICE = 2 };
  enum Control { IDC_KEY = 1338, IDC_IP = 1351, IDC_MODEL = 1372, IDC_PASSWORD = 1373, IDC_SINGLE_KEY = 1374 };
  static constexpr std::size_t kMaxText = 20;

  struct Input {
    int mode = ALL_DEVICES;
    std::string key;  // for all managed devices
    std::string ip;
    int modelIndex = -1;
    std::string modelName;
    std::string password;
    std::string singleKey;
  };
  // What OK leads to.
  enum class Next { StayOpen, Close, StartWorker };
  struct Outcome {
    Next next = Next::StayOpen;
    int focus = 0;  // the control to focus after a failed check; 0 none
  };
  struct EnabledControls {
    bool key, ip, model, password, singleKey;
    bool operator==(const EnabledControls&) const = default;
  };

  CSystemKeyService(ISystemKeyWriter& writer, std::function<void()> refreshViews)
      : m_writer(writer), m_refreshViews(std::move(refreshViews)) {}

  static EnabledControls ControlsOf(int mode);
  // The addresses of the managed devices with a system-key error.
  static std::vector<std::string> KeyErrorDeviceIps();
  // The supported model names; a message box when none can be read.
  static std::vector<std::string> ModelNames();

  Outcome Apply(const Input& input);
  // The all-devices pass, on the worker: its result.
  int RunAllDevices(const std::string& key, const ISystemKeyWriter::Progress& progress);
  // Back on the dialog's thread: the pass's result shown and the views refreshed.
  void FinishAllDevices(int result);

 private:
  Outcome ApplyKeyErrorDevices();
  Outcome ApplySingleDevice(const Input& input);
  void Refresh() const {
    if (m_refreshViews) m_refreshViews();
  }

  ISystemKeyWriter& m_writer;
  std::function<void()> m_refreshViews;
};
