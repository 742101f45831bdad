#include "engine/DiscoveryThread.h"

#include <vector>

#include "db/pollingdb.h"
#include "platform/MessageIds.h"

CDiscoveryThread::~CDiscoveryThread() {
  RequestStop();
  Stop(true);
}

bool CDiscoveryThread::IsBusy() {
  std::lock_guard lock(busyLock_);
  return busy_;
}

void CDiscoveryThread::SetBusy(bool busy) {
  std::lock_guard lock(busyLock_);
  busy_ = busy;
}

void CDiscoveryThread::RequestStop() {
  if (IsBusy()) engine_.RequestStop();
}

void CDiscoveryThread::SaveDeviceMap() {
  std::vector<LinkRow> links;
  engine_.CollectLinks(links);
  discoveryDb_.ClearDeviceMap();
  discoveryDb_.setDevRelationship(links);
}

std::uint32_t CDiscoveryThread::Run(void*) { return static_cast<std::uint32_t>(Discover()); }

int CDiscoveryThread::Discover() {
  if (IsBusy()) return 0;
  engine_.ClearStop();
  SetBusy(true);
  std::vector<CManagementSegment> segments;
  discoveryDb_.getManagementSegment(segments);
  if (segments.empty()) {
    SetBusy(false);
    return 0;
  }
  engine_.SetNotifyWnd(notifyWindow_);
  std::vector<PollingDeviceRecord> devices;
  CPollingDb().GetPollingDevList(devices);
  engine_.ClearStop();
  engine_.ClearDevices();
  engine_.LoadDevices(devices, {});
  if (engine_.ScanSegments(segments) < 1) {
    SetBusy(false);
    return -1;
  }
  engine_.MarkConfigurationChanges();
  platform::PostMessage(notifyWindow_, msg::WM_NMS_SCAN_STARTED, 0, 0);
  if (engine_.ReadNewDeviceProperties() > 0) platform::PostMessage(notifyWindow_, msg::WM_NMS_NEW_DEVICES, 0, 0);
  SetBusy(false);
  return 1;
}
