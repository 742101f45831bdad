#pragma once
// The discovery and polling engine. One PollOnce is one polling pass: it loads every managed and every
// new device with the links of the last pass, scans the Discovery Wizard's segments for switches when
// asked, asks every switch for the neighbours on its ports and updates every device behind them on a
// pool of worker threads, adds unknown devices as new devices, rewrites the link tables and reports
// replaced devices and configuration changes. It reports to its notify window by posted messages only.
//
// Every long step tests the stop flag and returns kDiscoveryStopped (-100) once it is set; the flag is
// also the device layer's stop object, so device reads on the pool's threads end with -100 too.
#include <atomic>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "db/DeviceListRow.h"
#include "db/DiscoveryDb.h"
#include "db/LinkRow.h"
#include "db/pollingdb.h"
#include "device/Device.h"
#include "device/DeviceEventLog.h"
#include "device/DiscoveryStop.h"
#include "device/LldpNeighbour.h"
#include "device/Switch.h"
#include "platform/Sync.h"
#include "platform/Window.h"

class CMultiTask;

// A device that took the switch port of another device during this pass.
struct ReplaceRecord {
  CDevice* oldDevice = nullptr;  // both point into the engine's device list
  CDevice* newDevice = nullptr;
  // 1: the old device was the port's peer in the previous pass's links; 0: in the saved links.
  int fromPrevious = 0;
};

class CNetworkEngine {
 public:
  // One known device behind a switch port, with its own copy of the port entry.
  struct DeviceTask {
    CNetworkEngine* engine = nullptr;
    CDevice* device = nullptr;
    LldpNeighbour neighbour;
    CCritSec* taskLock = nullptr;
  };
  // One MAC on a switch port that is in neither device table; the entry lives in the pass's port table.
  struct NewDeviceTask {
    CNetworkEngine* engine = nullptr;
    LldpNeighbour* neighbour = nullptr;
    CCritSec* taskLock = nullptr;
  };

  // Registers the engine's stop object as the device layer's; the last engine built is the registered one.
  CNetworkEngine();
  // ClearDevices; unregisters the stop object when it is still the registered one.
  ~CNetworkEngine();
  CNetworkEngine(const CNetworkEngine&) = delete;
  CNetworkEngine& operator=(const CNetworkEngine&) = delete;

  void SetNotifyWnd(platform::WindowId window) { notifyWindow_ = window; }
  platform::WindowId NotifyWnd() const { return notifyWindow_; }

  // The stop flag; any thread.
  void RequestStop() { stop_.Set(true); }
  void ClearStop() { stop_.Set(false); }
  bool IsStopping();

  // The next pass scans the management segments (and clears the flag). Any thread.
  void EnableScanIP(bool on);
  bool IsScanIPEnabled();

  // ClearStop, ClearDevices, and forgets that a new device was found.
  void Reset();
  // Deletes every device object and empties the lists.
  void ClearDevices();

  CDevice* FindDeviceByMac(const std::string& mac);
  // The position of the first device with the MAC in the device list; -1 when there is none.
  int FindDeviceIndexByMac(const std::string& mac);
  // Deletes the first device with the MAC and removes it from every list, replacement notes included.
  void RemoveDeviceByMac(const std::string& mac);

  // Builds the device objects of the records (kinds 0, 1, 2; others skipped) and the switches' port
  // tables from the links: the number of devices built.
  int LoadDevices(const std::vector<PollingDeviceRecord>& devices, const std::vector<LinkRow>& links);

  // One pass: 1 when it ran to its end, -100 when it was stopped.
  int PollOnce();
  // PollOnce without clearing the stop flag first: for a caller that cleared it when it began the pass,
  // so that a stop asked for since then still ends this pass.
  int RunPass();

  // The current links become the previous pass's, the switches' port tables the current: 0; -100.
  int SaveConnections();
  // Appends one link per port-table entry of every switch: the number appended.
  int CollectLinks(std::vector<LinkRow>& links);

  // Every device as a row of the device tables, appended to rows.
  void CollectDeviceRows(std::vector<DeviceListRow>& rows);
  static void FillDeviceRow(const CDevice& device, DeviceListRow& row);

  // Reads the details of every online AP or switch whose properties are not stored yet: how many reads
  // succeeded; -100 when stopped before a read, the count so far when a read was stopped.
  int ReadNewDeviceProperties();

  // ---- Segment scan (NetworkEngineScan.cpp) ----
  // The number of new switches found; -100.
  int ScanSegments(const std::vector<CManagementSegment>& segments);
  void CountSegmentAddresses(const std::vector<CManagementSegment>& segments);
  int AddressCount() const { return addressCount_; }
  // 1 a new switch was added; -1 nothing new at the address; -100.
  int ProbeSwitchAtIp(const std::string& ip);
  void PostScanStep();
  void PostScanIp(const std::string& ip);

  // ---- Switch and device update (NetworkEngineUpdate.cpp) ----
  // 1 the switches were handled and every task ran; 0 no switch; -100.
  int UpdateSwitchesAndDevices();
  static void UpdateDeviceTask(int taskIndex, DeviceTask* task);
  // 0 when the AP's DHCP mode equals the stored one (or a read failed), else 1.
  static int CompareApDhcpMode(const std::string& ip, const std::string& mac, const std::string& rootOid,
                               const std::string& community);

  // ---- New, replaced and changed devices (NetworkEngineNewDevices.cpp) ----
  static void SwitchMacOfNewAp(int taskIndex, NewDeviceTask* task);
  // The number of replacements reported; empties the replace list.
  int DetectReplacedDevices();
  // 1 differences were stored; 0 none; -100.
  int MarkConfigurationChanges();

  // For tests and the polling thread: the pass's lists (valid until the next pass begins).
  const std::list<std::unique_ptr<CDevice>>& Devices() const { return devices_; }
  const std::vector<CSwitch*>& Switches() const { return switches_; }
  const std::vector<CDevice*>& NewDevices() const { return newDevices_; }
  bool FoundNewDevice() const { return newDeviceFound_; }
  const std::vector<ReplaceRecord>& Replacements() const { return replaceList_; }
  // Notes that newDevice took oldDevice's switch port (both in the device list); callers on the pool's
  // threads hold the pass's task lock.
  void NoteReplacement(CDevice* oldDevice, CDevice* newDevice, int fromPrevious);

 private:
  // What a switch answered: whether it is alive, and ReadLldpNeighbours' result when it is. ready is set
  // once both are in.
  struct SwitchAnswer {
    CSwitch* owner = nullptr;
    bool alive = false;
    int neighbours = 0;
    std::atomic<bool> ready{false};
  };
  // Starts asking every switch whether it answers, and reading the port table of each one that does, on
  // the pool with at most threads threads.
  void AskSwitches(CMultiTask& pool, std::vector<SwitchAnswer>& answers, int threads);
  // Waits until the switch's answer is in: false when a stop was asked for first.
  bool WaitForAnswer(const SwitchAnswer& answer);
  // An empty object of the kind (0 unknown, 1 switch, 2 AP); none for another kind.
  static std::unique_ptr<CDevice> MakeDevice(int kind);
  // Appends the object to the device list (and the switch list when it is a switch); returns it.
  CDevice* AddDevice(std::unique_ptr<CDevice> device);
  void Post(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam);
  // The discovery password: the settings' default write community.
  static std::string DefaultWriteCommunity();
  // The configured number of polling threads (the default when none is configured).
  static int PollingThreadCount();

  std::list<std::unique_ptr<CDevice>> devices_;  // owning, stable addresses
  std::vector<CSwitch*> switches_;
  std::vector<CDevice*> newDevices_;
  std::vector<ReplaceRecord> replaceList_;
  DiscoveryStopObject stop_;
  int addressCount_ = 0;
  platform::WindowId notifyWindow_ = platform::kNoWindow;
  CDeviceEventLog eventLog_;
  bool newDeviceFound_ = false;
  CCritSec scanLock_;
  int scanIp_ = 0;
};
