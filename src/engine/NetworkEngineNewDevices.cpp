// What a polling pass reports beyond the state of each device: devices found behind switch ports,
// devices that took the port of another, and configuration changes made outside the console.
#include <list>
#include <string>

#include "device/AP.h"
#include "device/AntiRoguePort.h"
#include "device/DeviceFactory.h"
#include "device/DeviceNameIndex.h"
#include "device/UnknownDevice.h"
#include "engine/MultiTask.h"
#include "engine/NetworkEngine.h"
#include "log/LogDBModule.h"
#include "log/LogLevels.h"
#include "platform/DebugTrace.h"
#include "settings/GlobalSettings.h"

namespace {

constexpr int kCapabilityAccessPoint = 8;
constexpr int kCapabilityBridge = 4;
constexpr size_t kMacTextLength = 17;
const char kFilterChange[] = "ap_filter_mac";
const char kPropertyChange[] = "ap_property";

// A device that does not answer SNMP, of the kind its LLDP capabilities suggest, with its next free name.
std::unique_ptr<CDevice> DeviceFromCapabilities(int capabilities) {
  std::unique_ptr<CDevice> device;
  const char* prefix;
  int kind;
  if (capabilities & kCapabilityAccessPoint) {
    device = std::make_unique<CAP>();
    prefix = "AP_";
    kind = kDeviceAP;
  } else if (capabilities & kCapabilityBridge) {
    device = std::make_unique<CSwitch>();
    prefix = "SW_";
    kind = kDeviceSwitch;
  } else {
    device = std::make_unique<CUnknownDevice>();
    prefix = "UNKNOWN_";
    kind = kDeviceUnknown;
  }
  device->name = prefix + std::to_string(g_DeviceNameIndex.Allocate(kind));
  return device;
}

}  // namespace

void CNetworkEngine::SwitchMacOfNewAp(int taskIndex, NewDeviceTask* task) {
  CNetworkEngine& engine = *task->engine;
  const LldpNeighbour& neighbour = *task->neighbour;
  CSwitch* owner = neighbour.owner;
  const std::string community = DefaultWriteCommunity();

  std::unique_ptr<CDevice> device;
  if (neighbour.ip != "0.0.0.0") device = CreateDevice(neighbour.ip, community);
  if (!device) {
    DebugTrace("found an unknown device on switch[%s]-port%d, its IP is %s", owner->ip.c_str(), neighbour.localPort,
               neighbour.ip.c_str());
    int status = kStatusNotAvailable;
    if (owner->status == kStatusNormal && CheckAntiRoguePort(*owner, neighbour.localPort) > 0) {
      status = kStatusSystemKeyError;
      DebugTrace("the new device is blocked by anti-rogue");
    } else if (!IsUsableDeviceIp(neighbour.ip)) {
      status = kStatusDhcpFailed;
      DebugTrace("the new device's DHCP failed");
    }
    DebugTrace("device remote capability 0x%x", static_cast<unsigned>(neighbour.capabilities));
    device = DeviceFromCapabilities(neighbour.capabilities);
    device->ip = neighbour.ip;
    device->status = status;
    device->portCount = -1;
  }
  // A stopped pass stores nothing more: neither when its pool is being stopped nor when the device reads
  // above were cut short by the stop (they would have left a device that merely did not answer).
  if (CMultiTask::IsStopping() || engine.IsStopping()) {
    DebugTrace("new device task%d stop", taskIndex);
    return;
  }
  device->mac = neighbour.mac;
  device->online = 1;
  device->isNew = 1;

  CDevice* added;
  {
    std::lock_guard lock(*task->taskLock);
    added = engine.AddDevice(std::move(device));
    engine.newDevices_.push_back(added);
    engine.eventLog_.LogNewDevice(*added);
  }
  DebugTrace("found a new device %s[%s:%s]", added->name.c_str(), added->mac.c_str(), added->ip.c_str());

  CPollingDb polling;
  const std::string previousPeer = polling.GetPrevPeerMacByPort(neighbour.localPort, owner->mac);
  const std::string savedPeer = polling.GetSavedPeerMacByPort(neighbour.localPort, owner->mac);
  DebugTrace("SwitchMacOfNewAp: %s   Replace Pre Mac: %s", owner->mac.c_str(), previousPeer.c_str());

  if (added->status == kStatusNormal && added->type != kDeviceUnknown && added->CollectDetails() == -1) {
    GetLogDBModule()->WriteSystemLog(
        LOG_LEVEL_DEBUG, "Get AP Property Failed [" + added->name + "]_[" + added->mac + "]_" + added->ip + "]");
    engine.eventLog_.SetStatus(*added, kStatusNotAvailable);
  }

  if (added->type != kDeviceAP) return;
  const auto noteReplacement = [&](const std::string& oldMac, int fromPrevious) {
    DebugTrace("new AP %s on the port of %s", neighbour.mac.c_str(), oldMac.c_str());
    std::lock_guard lock(*task->taskLock);
    if (CDevice* old = engine.FindDeviceByMac(oldMac)) engine.NoteReplacement(old, added, fromPrevious);
  };
  if (!previousPeer.empty() && previousPeer != neighbour.mac)
    noteReplacement(previousPeer, 1);
  else if (!savedPeer.empty() && savedPeer != neighbour.mac)
    noteReplacement(savedPeer, 0);
}

int CNetworkEngine::DetectReplacedDevices() {
  CPollingDb polling;
  int reported = 0;
  for (const ReplaceRecord& record : replaceList_) {
    const std::string newSwitch = polling.GetSrcMacByDestMac(record.newDevice->mac, true);
    const std::string previousSwitch = record.fromPrevious == 1
                                           ? polling.GetSrcMacByDestMac(record.oldDevice->mac, false)
                                           : polling.GetSavedSrcMacByDestMac(record.oldDevice->mac);
    DebugTrace("New Switch:%s  Pre Switch:%s.........New Mac:%s  Pre Mac:%s", newSwitch.c_str(),
               previousSwitch.c_str(), record.newDevice->mac.c_str(), record.oldDevice->mac.c_str());
    if (newSwitch.empty() || newSwitch != previousSwitch) continue;
    if (record.fromPrevious == 1) polling.KeepReplacedDeviceLinks(record.oldDevice->mac, newSwitch);
    eventLog_.LogReplaced(*record.newDevice, *record.oldDevice);
    ++reported;
  }
  replaceList_.clear();
  return reported;
}

int CNetworkEngine::MarkConfigurationChanges() {
  std::list<CDeviceProperty> changes;
  for (const auto& device : devices_) {
    // Any stored-property difference, or any filter entry that names a MAC, whatever their order.
    bool changed = false;
    for (const CDeviceProperty& change : device->differences) {
      changes.push_back(change);
      if (change.type == kPropertyChange) changed = true;
      if (change.type == kFilterChange && change.current.size() == kMacTextLength) changed = true;
    }
    if (changed) eventLog_.SetStatus(*device, kStatusConfigChanged);
  }
  if (IsStopping()) return kDiscoveryStopped;
  if (!changes.empty() && CPollingDb().saveSyncResult(changes) > 0) return 1;
  return 0;
}
