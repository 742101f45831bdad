#include "devmodel/DeviceCommands.h"

#include <cstdio>
#include <cstdlib>

#include "config/ApChannelChooser.h"
#include "config/DefaultParamsPush.h"
#include "db/AccessDatabase.h"
#include "db/ApListDBManager.h"
#include "db/ApProperties.h"
#include "db/SwitchSettingsRecord.h"
#include "db/TopologyDBManager.h"
#include "db/pollingdb.h"
#include "devmodel/DeviceViewsHost.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kSwitchKind = 1;
constexpr int kApKind = 2;

constexpr char kSelectDevice[] = "Please select a device";
constexpr char kSelectAp[] = "Please select ap!";
constexpr char kSaveQuestion[] = "Save to database?";
constexpr char kDeleteQuestion[] = "Delete from database?";
constexpr char kNotReady[] = "Property haven't ready, please try later!";

std::string Format(const char* format, const std::string& a, const std::string& b = {}) {
  char text[512];
  std::snprintf(text, sizeof text, format, a.c_str(), b.c_str());
  return text;
}

std::vector<SelectedDevice> OfKind(const std::vector<SelectedDevice>& selection, int kind) {
  std::vector<SelectedDevice> devices;
  for (const SelectedDevice& device : selection)
    if (device.kind == kind) devices.push_back(device);
  return devices;
}

}  // namespace

CDeviceCommands::CDeviceCommands(IDeviceViewsHost& host) : host_(host) {}

bool CDeviceCommands::Confirm(const char* question) {
  return platform::MessageBox(question, {}, platform::MB_OKCANCEL) == platform::IDOK;
}

CDeviceCommands::SaveResult CDeviceCommands::SaveDevice(const std::string& mac) {
  TopologyDBManager topology;
  if (!topology.IsDevicePropertySaved(mac)) return {SaveOutcome::NotReady, -1};
  const int status = topology.GetDeviceStatus(mac, false);
  switch (status) {
    case 1:
    case 4: {
      if (!topology.SetNewDeviceToManaged(mac, false)) return {SaveOutcome::Failed, status};
      CApProperties properties;
      if (CAccessDatabase().GetApProperty(properties, mac, 0) == 0) {
        CDefaultParamsPush(ChooseApChannel).ZeroConfigAp(properties.ip, mac);  // it logs its own outcome
        if (status == 4) {
          // The replaced AP's link would otherwise stay on the port the new AP took over.
          CPollingDb polling;
          const std::string switchMac = polling.GetSrcMacByDestMac(mac, true);
          const std::string port = polling.GetPollingSrcPortByDestMac(mac);
          if (!switchMac.empty() && !port.empty()) polling.DeleteDeviceMapLink(switchMac, port);
        }
      }
      return {SaveOutcome::Saved, status};
    }
    case 3:
      return {ApListDBManager().ClearApSyncResults(mac) ? SaveOutcome::Saved : SaveOutcome::Failed, status};
    case 5:
      return {topology.SetNewDeviceToManaged(mac, false) ? SaveOutcome::Saved : SaveOutcome::Failed, status};
    default:
      return {SaveOutcome::Skipped, status};
  }
}

// ---- AP list ----

void CDeviceCommands::ListConfiguration(const std::vector<std::string>& macs, bool previous) {
  if (macs.size() > 1) {
    platform::MessageBox(kSelectDevice);
    host_.UpdateEventCounters();
    return;
  }
  if (macs.empty()) {
    platform::MessageBox("Please select an AP!", {}, platform::MB_ICONINFORMATION);
    return;
  }
  CApProperties properties;
  if (CAccessDatabase().GetApProperty(properties, macs.front(), 0) == 0) {
    const char* format = previous ? "Reload AP '%s:%s' configuration" : "AP '%s:%s' configuration";
    const std::string caption = Format(format, properties.crvAPssid, properties.ip);
    if (previous)
      host_.ShowApPreviousConfiguration(properties.ip, macs.front(), caption);
    else
      host_.ShowApConfiguration(properties.ip, macs.front(), caption);
  }
  host_.UpdateEventCounters();
}

void CDeviceCommands::ListReplace(const std::vector<std::string>& macs) {
  if (macs.size() > 1) {
    platform::MessageBox(kSelectDevice);
    host_.UpdateEventCounters();
    return;
  }
  if (macs.empty()) return;
  const std::string& mac = macs.front();
  TopologyDBManager topology;
  if (topology.GetDeviceStatus(mac, false) != 4) return;
  if (!Confirm("Replace Ap configuration?")) return;
  CApProperties properties;
  CAccessDatabase().GetApProperty(properties, mac, 0);
  std::string replaced;
  ApListDBManager().GetPortReloadState(mac, replaced);
  if (host_.ReplaceApConfiguration(properties.ip, mac, replaced) == 0) return;
  // The replaced AP goes unless it still hangs on a port of its own.
  const std::string replacedPort = topology.GetUplinkPort(replaced);
  if (replacedPort.empty() || replacedPort == topology.GetUplinkPort(mac)) topology.DeleteDevice(replaced, false);
}

void CDeviceCommands::ListSave(const std::vector<std::string>& macs, const std::function<void(size_t)>& savedRow) {
  if (macs.empty()) {
    platform::MessageBox(kSelectAp);
    return;
  }
  if (!Confirm(kSaveQuestion)) return;
  bool anySaved = false;
  for (size_t i = 0; i < macs.size(); ++i) {
    const SaveResult result = SaveDevice(macs[i]);
    if (result.outcome == SaveOutcome::NotReady) {
      platform::MessageBox(kNotReady);
      return;
    }
    if (result.outcome != SaveOutcome::Saved) continue;
    anySaved = true;
    if (result.status != 5 && savedRow) savedRow(i);
  }
  host_.UpdateEventCounters();
  if (anySaved) host_.ReloadDocument();
}

void CDeviceCommands::ListDelete(const std::vector<std::string>& macs,
                                 const std::function<void(const std::vector<size_t>&)>& removeRows) {
  if (macs.empty()) {
    platform::MessageBox(kSelectAp);
    return;
  }
  if (!Confirm(kDeleteQuestion)) return;
  std::vector<size_t> deleted;
  for (size_t i = 0; i < macs.size(); ++i) {
    if (!TopologyDBManager().DeleteDevice(macs[i], false)) continue;
    if (GetGroupStore()->RemoveDevFromGroups(macs[i])) host_.GroupsChanged();
    deleted.push_back(i);
  }
  if (deleted.empty()) return;
  if (removeRows) removeRows(deleted);
  host_.ReloadDocument();
  host_.UpdateEventCounters();
}

// ---- Device tree ----

void CDeviceCommands::TreeConfiguration(const SelectedDevice& device) {
  if (device.kind == kApKind) {
    if (host_.ShowApConfiguration(device.ip, device.mac, Format("AP '%s' configuration", device.ip)) != 0)
      host_.UpdateEventCounters();
  } else if (device.kind == kSwitchKind) {
    SwitchConfiguration(device.ip, true, device.mac);
  }
}

void CDeviceCommands::TreeReloadPrevious(const SelectedDevice& device) {
  if (device.kind != kApKind) return;
  if (host_.ShowApPreviousConfiguration(device.ip, device.mac, Format("Reload Ap '%s' configuration", device.ip)) != 0)
    host_.UpdateEventCounters();
}

void CDeviceCommands::TreeSave(const SelectedDevice& device, const std::function<void()>& reloadTree) {
  if (!Confirm(kSaveQuestion) || device.mac.empty()) return;
  const SaveResult result = SaveDevice(device.mac);
  if (result.outcome == SaveOutcome::NotReady) {
    platform::MessageBox(kNotReady);
    return;
  }
  if (result.outcome == SaveOutcome::Skipped) return;
  host_.ReloadDocument();
  if (reloadTree) reloadTree();
  host_.UpdateEventCounters();
}

void CDeviceCommands::TreeDelete(const SelectedDevice& device, const std::function<void()>& reloadTree) {
  if (!Confirm(kDeleteQuestion) || device.mac.empty()) return;
  if (device.kind == kSwitchKind) {
    DeleteSwitch(device.mac);
    return;
  }
  if (!TopologyDBManager().DeleteDevice(device.mac, false)) {
    platform::MessageBox("Failed!");
    return;
  }
  host_.ReloadDocument();
  if (reloadTree) reloadTree();
  host_.UpdateEventCounters();
}

void CDeviceCommands::DeleteSwitch(const std::string& mac) {
  if (!Confirm("The all devices which attach to the switch will be deleted from database if you delete the "
               "switch.\n Do you want to continue?"))
    return;
  TopologyDBManager topology;
  if (topology.HasNoDeviceLinks(mac)) {
    platform::MessageBox("The Switch is on discovering, cannot delete");
    return;
  }
  std::vector<std::string> attached;
  topology.GetAttachedDevices(attached, mac);
  topology.DeleteSwitchRecords(mac);
  bool failed = false;
  for (const std::string& device : attached)
    if (!topology.DeleteDevice(device, false)) failed = true;
  if (failed) platform::MessageBox("devices failed");
  host_.UpdateEventCounters();
  host_.RefreshAllViews(true);
}

// ---- Map ----

void CDeviceCommands::MapConfiguration(const std::vector<SelectedDevice>& selection,
                                       const std::function<void()>& clearSelection) {
  if (selection.empty()) return;
  if (selection.size() > 1) {
    platform::MessageBox(kSelectDevice);
    if (clearSelection) clearSelection();
    return;
  }
  const SelectedDevice& device = selection.front();
  if (device.ip.empty()) return;
  if (device.kind == kApKind) {
    if (host_.ShowApConfiguration(device.ip, device.mac, Format("AP '%s' configuration", device.ip)) != 0)
      host_.UpdateEventCounters();
  } else {
    OpenWebPage(device.ip);
  }
}

void CDeviceCommands::MapReloadPrevious(const std::vector<SelectedDevice>& selection) {
  for (const SelectedDevice& ap : OfKind(selection, kApKind)) {
    if (ap.ip.empty()) continue;
    if (host_.ShowApPreviousConfiguration(ap.ip, ap.mac, Format("Reload Ap '%s' configuration", ap.ip)) != 0)
      host_.UpdateEventCounters();
  }
}

void CDeviceCommands::MapSwitchConfiguration(const std::vector<SelectedDevice>& selection) {
  const auto switches = OfKind(selection, kSwitchKind);
  if (!switches.empty()) SwitchConfiguration(switches.front().mac, false, switches.front().mac);
}

void CDeviceCommands::MapSwitchConfigPage(const std::vector<SelectedDevice>& selection) {
  const auto switches = OfKind(selection, kSwitchKind);
  if (!switches.empty()) host_.ShowSwitchConfiguration(switches.front().mac, 2);
}

void CDeviceCommands::MapLinkToWeb(const std::vector<SelectedDevice>& selection) {
  for (const SelectedDevice& device : OfKind(selection, kSwitchKind))
    if (!device.ip.empty()) OpenWebPage(device.ip);
}

void CDeviceCommands::MapSaveSwitches(const std::vector<SelectedDevice>& selection) {
  if (selection.empty() || !Confirm(kSaveQuestion)) return;
  TopologyDBManager topology;
  for (const SelectedDevice& device : OfKind(selection, kSwitchKind)) {
    if (!topology.IsDevicePropertySaved(device.mac)) {
      platform::MessageBox(kNotReady);
      break;
    }
    topology.SetNewDeviceToManaged(device.mac, false);
  }
  host_.ReloadDocument();
}

void CDeviceCommands::MapSaveAps(const std::vector<SelectedDevice>& selection) {
  if (selection.empty() || !Confirm(kSaveQuestion)) return;
  for (const SelectedDevice& ap : OfKind(selection, kApKind)) {
    if (SaveDevice(ap.mac).outcome == SaveOutcome::NotReady) {
      platform::MessageBox(kNotReady);
      return;
    }
  }
  host_.ReloadDocument();
  host_.UpdateEventCounters();
}

void CDeviceCommands::MapDelete(const std::vector<SelectedDevice>& selection, int kind) {
  if (selection.empty() || !Confirm(kDeleteQuestion)) return;
  for (const SelectedDevice& device : OfKind(selection, kind)) TopologyDBManager().DeleteDevice(device.mac, false);
  host_.ReloadDocument();
  host_.UpdateEventCounters();
}

// ---- Shared steps ----

void CDeviceCommands::SwitchConfiguration(const std::string& key, bool byIp, const std::string& mac) {
  StoreSwitchSettings(key, byIp);  // a switch that does not answer still gets its sheet
  if (host_.ShowSwitchConfiguration(mac, 0) != 0) host_.RefreshAllViews(false);
}

bool CDeviceCommands::StoreSwitchSettings(const std::string& key, bool byIp) {
  SwitchSettingsRecord settings;
  if (byIp)
    settings.ip = key;
  else
    settings.mac = key;
  CPollingDb polling;
  polling.GetCompareInfo(settings, key,
                         byIp ? CPollingDb::SwitchSettingsLookup::CommunityByIp
                              : CPollingDb::SwitchSettingsLookup::CommunityByMac);
  CYSnmp snmp;
  snmp.SetIp(settings.ip);
  snmp.SetReadCommunity(settings.writeCommunity);
  snmp.SetWriteCommunity(settings.writeCommunity);
  std::vector<std::string> values;
  if (snmp.GetList({".1.3.6.1.2.1.1.5.0", ".1.3.6.1.2.1.1.6.0", "1.3.6.1.4.1.44711.10.75.3.24.6.0"}, values) != 0 ||
      values.size() != 3)
    return false;
  settings.antiRogue.clear();
  settings.sysName = values[0];
  settings.location = values[1];
  settings.lldp = values[2];
  if (std::atoi(settings.lldp.c_str()) == 1) {
    std::string portMap;
    if (snmp.Get(settings.sysObjectId + ".24.2.0", portMap) == 0) settings.antiRogue = portMap;
  }
  polling.updateAntiRogue(&settings);
  return true;
}

void CDeviceCommands::OpenWebPage(const std::string& ip) { host_.OpenWebPage("http://" + ip); }
