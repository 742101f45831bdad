#include "engine/NetworkEngine.h"

#include <algorithm>
#include <cstdlib>

#include "device/AP.h"
#include "device/UnknownDevice.h"
#include "platform/DebugTrace.h"
#include "platform/MessageIds.h"
#include "settings/GlobalSettings.h"

std::unique_ptr<CDevice> CNetworkEngine::MakeDevice(int kind) {
  switch (kind) {
    case kDeviceUnknown: return std::make_unique<CUnknownDevice>();
    case kDeviceSwitch: return std::make_unique<CSwitch>();
    case kDeviceAP: return std::make_unique<CAP>();
    default: return nullptr;
  }
}

CNetworkEngine::CNetworkEngine() { SetDiscoveryStopObject(&stop_); }

CNetworkEngine::~CNetworkEngine() {
  ClearDevices();
  // Only when no later engine registered itself since; every pool of this engine has been joined.
  UnregisterDiscoveryStopObject(&stop_);
}

bool CNetworkEngine::IsStopping() {
  std::lock_guard lock(stop_.lock);
  return stop_.stopFlag != 0;
}

void CNetworkEngine::EnableScanIP(bool on) {
  std::lock_guard lock(scanLock_);
  scanIp_ = on ? 1 : 0;
}

bool CNetworkEngine::IsScanIPEnabled() {
  std::lock_guard lock(scanLock_);
  return scanIp_ != 0;
}

void CNetworkEngine::Reset() {
  ClearStop();
  ClearDevices();
  newDeviceFound_ = false;
}

void CNetworkEngine::ClearDevices() {
  switches_.clear();
  newDevices_.clear();
  replaceList_.clear();
  devices_.clear();
}

CDevice* CNetworkEngine::FindDeviceByMac(const std::string& mac) {
  for (const auto& device : devices_)
    if (device->mac == mac) return device.get();
  return nullptr;
}

int CNetworkEngine::FindDeviceIndexByMac(const std::string& mac) {
  int index = 0;
  for (const auto& device : devices_) {
    if (device->mac == mac) return index;
    ++index;
  }
  return -1;
}

void CNetworkEngine::RemoveDeviceByMac(const std::string& mac) {
  const auto found = std::find_if(devices_.begin(), devices_.end(), [&](const auto& d) { return d->mac == mac; });
  if (found == devices_.end()) return;
  CDevice* device = found->get();
  std::erase_if(switches_, [&](const CSwitch* owner) { return owner == device; });
  std::erase(newDevices_, device);
  // A replacement noted for the device would otherwise point at a deleted object.
  std::erase_if(replaceList_, [&](const ReplaceRecord& r) { return r.oldDevice == device || r.newDevice == device; });
  devices_.erase(found);
}

void CNetworkEngine::NoteReplacement(CDevice* oldDevice, CDevice* newDevice, int fromPrevious) {
  replaceList_.push_back({oldDevice, newDevice, fromPrevious});
}

CDevice* CNetworkEngine::AddDevice(std::unique_ptr<CDevice> device) {
  CDevice* added = device.get();
  if (added->type == kDeviceSwitch) switches_.push_back(static_cast<CSwitch*>(added));
  devices_.push_back(std::move(device));
  return added;
}

int CNetworkEngine::LoadDevices(const std::vector<PollingDeviceRecord>& records, const std::vector<LinkRow>& links) {
  int built = 0;
  for (const PollingDeviceRecord& record : records) {
    std::unique_ptr<CDevice> device = MakeDevice(record.type);
    if (!device) continue;
    device->propertySaved = record.isPropertySave;
    device->name = record.name;
    device->ip = record.ip;
    device->mac = record.mac;
    device->online = record.online;
    device->balanceGroup = record.groupBalance;
    device->community = record.writeCommunity;
    device->isNew = record.isNew;
    device->rootOid = record.sysObjectId;
    device->status = record.status;
    AddDevice(std::move(device));
    ++built;
  }
  for (const LinkRow& link : links) {
    CDevice* source = FindDeviceByMac(link.src_mac);
    CDevice* destination = FindDeviceByMac(link.dest_mac);
    if (!source || !destination || source->type != kDeviceSwitch) continue;
    auto* owner = static_cast<CSwitch*>(source);
    LldpNeighbour entry;
    entry.localPort = std::atoi(link.src_port.c_str());
    entry.remotePort = std::atoi(link.dest_port.c_str());
    entry.mac = destination->mac;
    entry.ip = destination->ip;
    entry.owner = owner;
    entry.capabilities = 0;
    owner->neighbours.push_back(entry);
  }
  return built;
}

void CNetworkEngine::Post(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
  platform::PostMessage(notifyWindow_, id, wParam, lParam);
}

int CNetworkEngine::PollOnce() {
  ClearStop();
  return RunPass();
}

int CNetworkEngine::RunPass() {
  ClearDevices();
  newDeviceFound_ = false;

  CPollingDb polling;
  std::vector<PollingDeviceRecord> records;
  std::vector<LinkRow> links;
  polling.GetPollingDevList(records);
  polling.getConnection(links);
  LoadDevices(records, links);

  bool scan = false;
  {
    std::lock_guard lock(scanLock_);
    scan = scanIp_ != 0;
    scanIp_ = 0;
  }
  if (scan) {
    std::vector<CManagementSegment> segments;
    CDiscoveryDb().getManagementSegment(segments);
    int scanned = 0;
    if (!segments.empty()) {
      Post(msg::WM_NMS_SCAN_STARTED, 0, 0);
      scanned = ScanSegments(segments);
    }
    Post(msg::WM_NMS_SCAN_STARTED, 0, 1);
    if (scanned == kDiscoveryStopped) return kDiscoveryStopped;
    for (CDevice* found : newDevices_) {
      found->CollectDetails();
      found->isNew = 0;
    }
  }

  if (UpdateSwitchesAndDevices() == kDiscoveryStopped) return kDiscoveryStopped;
  if (SaveConnections() == kDiscoveryStopped) return kDiscoveryStopped;
  if (DetectReplacedDevices() > 0) DebugTrace("replaced devices reported");
  if (MarkConfigurationChanges() == kDiscoveryStopped) return kDiscoveryStopped;

  Post(msg::WM_NMS_SCAN_DONE, 0, 0);
  if (newDeviceFound_) Post(msg::WM_NMS_NEW_DEVICES, 0, 0);
  return 1;
}

int CNetworkEngine::SaveConnections() {
  if (IsStopping()) return kDiscoveryStopped;
  CPollingDb polling;
  polling.backupConnectTable();
  std::vector<LinkRow> links;
  CollectLinks(links);
  polling.updateConnection(links);
  return 0;
}

int CNetworkEngine::CollectLinks(std::vector<LinkRow>& links) {
  int appended = 0;
  for (CSwitch* owner : switches_) {
    for (const LldpNeighbour& entry : owner->neighbours) {
      links.push_back({owner->mac, entry.mac, std::to_string(entry.localPort), std::to_string(entry.remotePort)});
      ++appended;
    }
  }
  return appended;
}

void CNetworkEngine::FillDeviceRow(const CDevice& device, DeviceListRow& row) {
  row = CDeviceEventLog::RowOf(device, device.isNew);
}

void CNetworkEngine::CollectDeviceRows(std::vector<DeviceListRow>& rows) {
  for (const auto& device : devices_) {
    DeviceListRow row;
    FillDeviceRow(*device, row);
    rows.push_back(row);
  }
}

int CNetworkEngine::ReadNewDeviceProperties() {
  CPollingDb polling;
  std::vector<CDevice*> unread;
  for (const auto& device : devices_) {
    if (device->online != 1) continue;
    if ((device->type == kDeviceAP && polling.HasApProperty(device->mac) != 1) ||
        (device->type == kDeviceSwitch && polling.HasSwitchProperty(device->mac) != 1))
      unread.push_back(device.get());
  }
  int read = 0;
  for (CDevice* device : unread) {
    if (IsStopping()) return kDiscoveryStopped;
    const int result = device->CollectDetails();
    if (result == kDiscoveryStopped) return read;
    if (result > 0) ++read;
  }
  return read;
}

std::string CNetworkEngine::DefaultWriteCommunity() {
  std::lock_guard lock(g_RuntimeSettings.csSettings);
  return g_RuntimeSettings.strWriteCommunity;
}

int CNetworkEngine::PollingThreadCount() {
  constexpr int kDefaultPollingThreads = 5;
  const int configured = g_RuntimeSettings.nPollingThreads.load();
  return configured > 0 ? configured : kDefaultPollingThreads;
}
