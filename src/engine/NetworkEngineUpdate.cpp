// The middle of a polling pass: every switch is asked whether it answers and what it sees on its ports,
// and every device behind a port is updated by a task on a pool of worker threads.
#include <algorithm>
#include <chrono>
#include <list>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "db/TopologyDBManager.h"
#include "device/AP.h"
#include "device/AntiRoguePort.h"
#include "device/DeviceFactory.h"
#include "device/DeviceNameIndex.h"
#include "engine/MultiTask.h"
#include "engine/NetworkEngine.h"
#include "log/LogDBModule.h"
#include "log/LogLevels.h"
#include "platform/DebugTrace.h"
#include "platform/StatusText.h"
#include "settings/GlobalSettings.h"

namespace {

constexpr float kSwitchProgress = 10.0f;
constexpr float kDeviceProgress = 90.0f;
constexpr float kNoSwitchProgress = 30.0f;
constexpr auto kPoolSettling = std::chrono::milliseconds(2000);
constexpr auto kPoolWatchStep = std::chrono::milliseconds(100);
const char kSysNameOid[] = ".1.3.6.1.2.1.1.5.0";
const char kDhcpModeSuffix[] = ".1.10.1.0";

void PostProgress(const std::string& text, float increment) { PostStatusText(text.c_str(), increment); }

// A switch keeps a neighbour's row for a while after the neighbour moved to another port, so one MAC may
// show on two ports or two switches: only its first row in the order the pass reads them is kept, that
// is switch by switch in the switch list and, within a switch, by LLDP row index (time mark, then local
// port, then remote index). Of two rows on one switch the one with the earlier time mark wins.
template <class Table>
void KeepFirstRowOfEachMac(Table& table) {
  std::unordered_set<std::string> seen;
  std::erase_if(table, [&](const LldpNeighbour& entry) { return !seen.insert(entry.mac).second; });
}

// Waits up to the pool's settling time, ending early when its work is done or a stop was asked for.
void WaitForPoolToSettle(CMultiTask& pool, CNetworkEngine& engine) {
  const auto end = std::chrono::steady_clock::now() + kPoolSettling;
  while (std::chrono::steady_clock::now() < end && pool.IsWorking() && !engine.IsStopping())
    std::this_thread::sleep_for(kPoolWatchStep);
}

}  // namespace

int CNetworkEngine::UpdateSwitchesAndDevices() {
  if (switches_.empty()) {
    PostStatusText("", kNoSwitchProgress);
    return 0;
  }
  // Declared before the pools, so the pools (whose destruction joins their threads) go first.
  CCritSec taskLock;
  std::vector<LldpNeighbour> oldTable;
  std::list<LldpNeighbour> newTable;  // new-device tasks point into it
  std::list<DeviceTask> deviceTasks;
  std::list<NewDeviceTask> newDeviceTasks;
  std::vector<SwitchAnswer> answers(switches_.size());
  CMultiTask pool;
  CMultiTask switchPool;

  const int configuredThreads = PollingThreadCount();
  pool.Create(configuredThreads);
  const int switchCount = static_cast<int>(switches_.size());
  const float switchStep = kSwitchProgress / static_cast<float>(switchCount);

  // Every switch is asked at once; the answers are applied in the order of the switch list as they come
  // in, as if the switches had been asked one after the other, so the status bar names the switch the
  // pass is waiting for.
  for (CSwitch* owner : switches_) oldTable.insert(oldTable.end(), owner->neighbours.begin(), owner->neighbours.end());
  AskSwitches(switchPool, answers, configuredThreads);

  for (int i = 1; i <= switchCount; ++i) {
    if (IsStopping()) return kDiscoveryStopped;
    CSwitch* owner = switches_[i - 1];
    const SwitchAnswer& answer = answers[i - 1];
    PostProgress("Scanning wireless switch " + std::to_string(i) + "/" + std::to_string(switchCount), 0);
    if (!WaitForAnswer(answer)) return kDiscoveryStopped;
    if (answer.alive) {
      if (owner->online == 0) {
        owner->online = 1;
        eventLog_.LogOnline(*owner);
      }
      if (owner->status != kStatusNormal) {
        owner->status = kStatusNormal;
        eventLog_.SetStatus(*owner, kStatusNormal);
      }
      if (answer.neighbours == kDiscoveryStopped) return kDiscoveryStopped;
    } else {
      DebugTrace("switch[%s:%s] is not available", owner->mac.c_str(), owner->ip.c_str());
      if (owner->status == kStatusNormal) {
        owner->status = kStatusNotAvailable;
        eventLog_.SetStatus(*owner, kStatusNotAvailable);
      }
      if (owner->online == 1) {
        owner->online = 0;
        eventLog_.LogOffline(*owner);
      }
      owner->neighbours.clear();
    }
    newTable.insert(newTable.end(), owner->neighbours.begin(), owner->neighbours.end());
    PostStatusText(nullptr, switchStep);
  }
  // Each device object is worked on by one task at most.
  KeepFirstRowOfEachMac(oldTable);
  KeepFirstRowOfEachMac(newTable);

  const auto queueUpdate = [&](CDevice* device, const LldpNeighbour& entry) {
    deviceTasks.push_back({this, device, entry, &taskLock});
    pool.AddTask([](int index, void* task) { UpdateDeviceTask(index, static_cast<DeviceTask*>(task)); },
                 &deviceTasks.back());
  };

  // Devices seen in the last pass: still behind some port, or gone from every port.
  for (const LldpNeighbour& oldEntry : oldTable) {
    if (IsStopping()) return kDiscoveryStopped;
    CDevice* device = FindDeviceByMac(oldEntry.mac);
    if (!device) continue;
    const auto seen = std::find_if(newTable.begin(), newTable.end(),
                                   [&](const LldpNeighbour& entry) { return entry.mac == oldEntry.mac; });
    if (seen == newTable.end()) {
      if (device->type == kDeviceSwitch) continue;
      device->online = 0;
      eventLog_.LogOffline(*device);
      if (device->isNew == 1) TopologyDBManager().DeleteDeviceRecords(device->mac);
      continue;
    }
    queueUpdate(device, *seen);
    newTable.erase(seen);
  }
  // MACs no switch showed in the last pass: a known device come back, or an unknown one.
  for (LldpNeighbour& entry : newTable) {
    if (IsStopping()) return kDiscoveryStopped;
    if (CDevice* device = FindDeviceByMac(entry.mac)) {
      if (device->type != kDeviceSwitch) {
        device->online = 1;
        eventLog_.LogOnline(*device);
      }
      queueUpdate(device, entry);
      continue;
    }
    newDeviceTasks.push_back({this, &entry, &taskLock});
    pool.AddTask([](int index, void* task) { SwitchMacOfNewAp(index, static_cast<NewDeviceTask*>(task)); },
                 &newDeviceTasks.back());
    newDeviceFound_ = true;
  }

  const int total = pool.GetTaskCount();
  if (total == 0) return 1;
  const float deviceStep = kDeviceProgress / static_cast<float>(total);
  PostProgress("Updating Device 0/" + std::to_string(total), 0);
  pool.Create(std::min(configuredThreads, total));
  pool.StartWork();
  WaitForPoolToSettle(pool, *this);

  int lastSeen = 0;
  for (bool working = true; working;) {
    if (IsStopping()) {
      pool.Destroy();
      return kDiscoveryStopped;
    }
    working = pool.IsWorking();  // read before the count, so the last count is the final one
    const int processed = pool.GetProcessedTaskCount();
    if (processed != lastSeen) {
      PostProgress("Updating Device " + std::to_string(processed) + "/" + std::to_string(total),
                   static_cast<float>(processed - lastSeen) * deviceStep);
      lastSeen = processed;
    }
    if (working) std::this_thread::sleep_for(kPoolWatchStep);
  }
  return 1;
}

void CNetworkEngine::AskSwitches(CMultiTask& pool, std::vector<SwitchAnswer>& answers, int threads) {
  for (size_t i = 0; i < switches_.size(); ++i) answers[i].owner = switches_[i];
  pool.Create(std::min(threads, static_cast<int>(answers.size())));
  for (SwitchAnswer& answer : answers) {
    pool.AddTask(
        [](int, void* argument) {
          auto* a = static_cast<SwitchAnswer*>(argument);
          a->alive = a->owner->IsAlive() == 1;
          // Only the switch's own object changes here: its port table is read anew.
          if (a->alive) a->neighbours = a->owner->ReadLldpNeighbours();
          a->ready.store(true);
        },
        &answer);
  }
  pool.StartWork();
}

bool CNetworkEngine::WaitForAnswer(const SwitchAnswer& answer) {
  while (!answer.ready.load()) {
    if (IsStopping()) return false;
    std::this_thread::sleep_for(kPoolWatchStep / 10);
  }
  return true;
}

void CNetworkEngine::UpdateDeviceTask(int, DeviceTask* task) {
  CNetworkEngine& engine = *task->engine;
  CDevice* device = task->device;
  const LldpNeighbour& neighbour = task->neighbour;
  CDeviceEventLog& eventLog = engine.eventLog_;
  const auto setStatus = [&](int status) {
    device->status = status;
    eventLog.SetStatus(*device, status);
  };

  const int oldStatus = device->status;
  if (device->community.empty()) device->community = DefaultWriteCommunity();

  // A device that was not available may answer to the discovery password instead of its own.
  if (device->status == kStatusNotAvailable && IsSnmpAgentAlive(neighbour.ip, device->community) != 1) {
    const std::string ownCommunity = device->community;
    device->community = DefaultWriteCommunity();
    if (IsSnmpAgentAlive(neighbour.ip, device->community) == 1)
      device->SaveCommunity();
    else
      device->community = ownCommunity;
  }

  const bool answers = IsSnmpAgentAlive(neighbour.ip, device->community) == 1;
  if (answers) {
    DebugTrace("SendSnmpPack MAC: %s", device->mac.c_str());
    bool detailsFailed = false;
    const auto collect = [&](CDevice& target) {
      if (target.CollectDetails() == -1) detailsFailed = true;
    };

    // A device that comes back without a complete identity is judged again.
    const bool incomplete = device->rootOid.empty() || device->portCount == -1;
    if (device->status != kStatusNormal && device->status != kStatusConfigChanged && incomplete) {
      DebugTrace("device[%s] is judged again", device->mac.c_str());
      std::string root;
      const int kind = JudgeDeviceType(neighbour.ip, device->community, root);
      if (kind == device->type) {
        device->rootOid = root;
        const std::string ownIp = device->ip;
        device->ip = neighbour.ip;
        device->GetPortNumber();
        collect(*device);
        device->ip = ownIp;
      } else if (std::unique_ptr<CDevice> judged = MakeDevice(kind)) {
        DebugTrace("device[%s] is now of kind %d", device->mac.c_str(), kind);
        judged->name = device->name;
        judged->mac = device->mac;
        judged->community = device->community;
        judged->rootOid = root;
        judged->isNew = device->isNew;
        judged->balanceGroup = device->balanceGroup;
        judged->status = device->status;
        judged->online = 1;
        judged->ip = neighbour.ip;
        judged->GetPortNumber();
        collect(*judged);
        judged->ip = device->ip;
        std::lock_guard lock(*task->taskLock);
        // A replacement noted for the device carries over to the object that takes its place.
        for (ReplaceRecord& record : engine.replaceList_) {
          if (record.oldDevice == device) record.oldDevice = judged.get();
          if (record.newDevice == device) record.newDevice = judged.get();
        }
        engine.RemoveDeviceByMac(neighbour.mac);
        device = engine.AddDevice(std::move(judged));
      } else {
        DebugTrace("JudgeDeviceType fail");
      }
      eventLog.SaveDevice(*device);
    }

    if (device->status == kStatusNotAvailable) collect(*device);
    if (detailsFailed)
      GetLogDBModule()->WriteSystemLog(LOG_LEVEL_DEBUG, "Get AP Property Failed [" + device->mac + "]");
    if (device->status != kStatusReplaced && !detailsFailed) setStatus(kStatusNormal);

    if (device->type == kDeviceSwitch) {
      std::string sysName;
      SnmpSessionFor(device->ip, device->community).Get(kSysNameOid, sysName);
      device->name = !sysName.empty() ? sysName : "SW_" + std::to_string(g_DeviceNameIndex.Allocate(kDeviceSwitch));
      device->propertySaved = "0";
    }
  } else {
    CSwitch* owner = neighbour.owner;
    if (owner && owner->status == kStatusNormal && CheckAntiRoguePort(*owner, neighbour.localPort) > 0) {
      if (device->status != kStatusSystemKeyError) setStatus(kStatusSystemKeyError);
    } else if (!IsUsableDeviceIp(neighbour.ip)) {
      if (device->status != kStatusDhcpFailed && device->status != kStatusReplaced) setStatus(kStatusDhcpFailed);
    } else if (device->status != kStatusNotAvailable) {
      setStatus(kStatusNotAvailable);
    }
  }
  if (device->status != oldStatus)
    DebugTrace("device[%s] status changed %d->%d", device->mac.c_str(), oldStatus, device->status);

  if (neighbour.ip != device->ip) {
    const std::string oldIp = device->ip;
    device->ip = neighbour.ip;
    bool ordinary = true;
    if (device->type == kDeviceAP && device->status != kStatusDhcpFailed) {
      std::string storedMode;
      CPollingDb().GetCompareInfo(storedMode, device->mac);
      const bool dhcpOff = static_cast<CAP*>(device)->IsDhcpDisabled();
      ordinary = (storedMode == "1" && !dhcpOff) || device->status == kStatusReplaced;
    }
    if (ordinary)
      eventLog.LogIpChanged(*device, neighbour.ip, oldIp);
    else
      eventLog.LogApIpChanged(*device, neighbour.ip, oldIp);
  }

  if (!answers) return;
  if (device->propertySaved == "0") {
    DebugTrace("SaveProperty MAC: %s", device->mac.c_str());
    device->CollectDetails();
  } else if (device->type == kDeviceAP) {
    DebugTrace("Sync() MAC: %s", device->mac.c_str());
    static_cast<CAP*>(device)->SyncProperties();
  }
}

int CNetworkEngine::CompareApDhcpMode(const std::string& ip, const std::string& mac, const std::string& rootOid,
                                      const std::string& community) {
  std::string onAp;
  if (SnmpSessionFor(ip, community).Get(rootOid + kDhcpModeSuffix, onAp) != 0) {
    DebugTrace("Get AP DHCP error ");
    return 0;
  }
  std::string stored;
  if (CPollingDb().GetCompareInfo(stored, mac) != 1) {
    DebugTrace("Get DB DHCP error");
    return 0;
  }
  return std::atoi(onAp.c_str()) == std::atoi(stored.c_str()) ? 0 : 1;
}
