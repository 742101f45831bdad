#include "config/SaveNewDevWorker.h"

#include "config/DefaultParamsPush.h"
#include "db/TopologyDBManager.h"
#include "platform/MessageIds.h"
#include "platform/Window.h"

SaveNewDevSteps SaveNewDevSteps::Database(std::function<void(int)> progress) {
  SaveNewDevSteps steps;
  steps.moveToManaged = [](const std::string& mac) { return TopologyDBManager().SetNewDeviceToManaged(mac, false); };
  steps.pushDefaults = [](const std::string& mac) { return CDefaultParamsPush().ApplyDefaultParamsToAp(mac); };
  steps.progress = std::move(progress);
  return steps;
}

void SaveNewDevices(const SaveNewDevTask& task, const SaveNewDevSteps& steps) {
  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_POLLING_LOCK);
  if (steps.progress) steps.progress(0);
  const int total = static_cast<int>(task.devices.size());
  int apsHandled = 0;
  for (const NewDeviceEntry& device : task.devices) {
    if (device.type == "1") {
      steps.moveToManaged(device.mac);
    } else {
      const bool ticked = apsHandled < static_cast<int>(task.apTicked.size()) && task.apTicked[apsHandled];
      steps.moveToManaged(device.mac);
      if (ticked) steps.pushDefaults(device.mac);  // a failure is told by the push's own action-log line
      ++apsHandled;
    }
    if (steps.progress) steps.progress(apsHandled * 100 / total);
  }
  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_POLLING_RESTART);
}

CSaveNewDevWorker::CSaveNewDevWorker(SaveNewDevSteps steps, std::function<void()> done)
    : steps_(std::move(steps)), done_(std::move(done)) {}

CSaveNewDevWorker::~CSaveNewDevWorker() { Stop(false); }  // a save in progress runs to its end

bool CSaveNewDevWorker::StartSave(SaveNewDevTask task) {
  if (HasThread() && ExitCode() == kExitCodeRunning) return false;
  Stop(false);  // joins the previous, finished run
  task_ = std::move(task);
  return StartNoParam();
}

std::uint32_t CSaveNewDevWorker::Run(void*) {
  SaveNewDevices(task_, steps_);
  if (done_) done_();
  return 0;
}
