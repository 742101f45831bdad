#pragma once
// The worker of the "Save New Device" dialog: with polling paused, moves each listed new device into the
// managed list and pushes the default AP parameters to the APs whose box was ticked. The ticks are taken
// on the UI thread before the start; progress and the end reach the dialog through its callbacks, which
// must hand them to the UI thread.
#include <functional>
#include <string>
#include <vector>

#include "db/DiscoveryDb.h"
#include "platform/WorkerThread.h"

struct SaveNewDevTask {
  std::vector<NewDeviceEntry> devices;  // in list order; type "1" switch, anything else an AP
  std::vector<bool> apTicked;           // per AP, in the order of the APs among the devices
};

// The steps of one run, replaceable for tests.
struct SaveNewDevSteps {
  std::function<bool(const std::string& mac)> moveToManaged;   // SetNewDeviceToManaged by MAC
  std::function<int(const std::string& mac)> pushDefaults;     // the defaults to one saved AP
  std::function<void(int percent)> progress;                   // APs handled x 100 / devices, after each
  static SaveNewDevSteps Database(std::function<void(int)> progress);
};

// One run on the calling thread, between the polling lock and restart posted to the main window. A failed
// move or push does not stop the run.
void SaveNewDevices(const SaveNewDevTask& task, const SaveNewDevSteps& steps);

class CSaveNewDevWorker : public platform::CWorkerThread {
 public:
  // done runs on the worker's thread after the polling restart was posted.
  CSaveNewDevWorker(SaveNewDevSteps steps, std::function<void()> done);
  ~CSaveNewDevWorker() override;

  // False when a run is still in progress.
  bool StartSave(SaveNewDevTask task);

 protected:
  std::uint32_t Run(void* param) override;

 private:
  SaveNewDevSteps steps_;
  std::function<void()> done_;
  SaveNewDevTask task_;
};
