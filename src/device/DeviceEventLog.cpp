#include "device/DeviceEventLog.h"

#include "db/pollingdb.h"
#include "log/LogDBModule.h"
#include "log/LogLevels.h"

namespace {

// "[name]_[mac]_[ip]", the way every line names a device.
std::string Tag(const CDevice& device, const std::string& ip) {
  return "[" + device.name + "]_[" + device.mac + "]_[" + ip + "]";
}
std::string Tag(const CDevice& device) { return Tag(device, device.ip); }

void WriteLine(int level, const std::string& text) { GetLogDBModule()->WriteSystemLog(level, text); }

std::string StatusSetText(int status) { return " Status is set to \"" + CDeviceEventLog::StatusText(status) + "\""; }

}  // namespace

std::string CDeviceEventLog::StatusText(int status) {
  switch (status) {
    case kStatusNormal: return "normal";
    case kStatusDhcpFailed: return "DHCP fail";
    case kStatusNotAvailable: return "not available";
    case kStatusSystemKeyError: return "system key error";
    case kStatusReplaced: return "replace";
    case kStatusConfigChanged: return "configuration changed";
    default: return std::to_string(status);
  }
}

DeviceListRow CDeviceEventLog::RowOf(const CDevice& device, int newDeviceMark) {
  DeviceListRow row;
  row.ip = device.ip;
  row.mac = device.mac;
  row.name = device.name;
  row.port_num = std::to_string(device.portCount);
  row.type = std::to_string(device.type);
  row.online = std::to_string(device.online);
  row.status = std::to_string(device.status);
  row.write_community = device.community;
  row.sysobjid = device.rootOid;
  row.newDeviceMark = newDeviceMark;
  return row;
}

void CDeviceEventLog::LogOnline(const CDevice& device) {
  CPollingDb().SetOnline(device.isNew, device.mac, 1);
  WriteLine(LOG_LEVEL_CRITICAL, Tag(device) + " online");
}

void CDeviceEventLog::LogOffline(const CDevice& device) {
  CPollingDb().SetOnline(device.isNew, device.mac, 0);
  WriteLine(LOG_LEVEL_CRITICAL, Tag(device) + " offline");
}

void CDeviceEventLog::LogNewDevice(const CDevice& device) {
  // Only devices found in this pass come here, so the row always goes to the new devices.
  CPollingDb().insertNewDevTable(RowOf(device, 1));
  WriteLine(LOG_LEVEL_WARNING, "Discovered a new device " + Tag(device));
}

void CDeviceEventLog::SaveDevice(const CDevice& device) { CPollingDb().insertNewDevTable(RowOf(device, device.isNew)); }

void CDeviceEventLog::LogIpChanged(const CDevice& device, const std::string& newIp, const std::string& oldIp) {
  CPollingDb().UpdateDeviceIp(newIp, device.online, device.isNew, device.mac);
  if (IsUsableDeviceIp(newIp)) WriteLine(LOG_LEVEL_DEBUG, Tag(device, oldIp) + " IP was changed to " + newIp);
}

void CDeviceEventLog::LogApIpChanged(CDevice& device, const std::string& newIp, const std::string& oldIp) {
  CPollingDb polling;
  polling.UpdateDeviceIp(newIp, device.online, device.isNew, device.mac);
  if (device.type == kDeviceAP) {
    polling.updatePreAPIP(device.mac, oldIp);
    device.AddProperty(device.mac, "ip", newIp, oldIp, "ap_property");
  }
  WriteLine(LOG_LEVEL_CRITICAL, Tag(device, oldIp) + " IP was changed to " + newIp);
}

void CDeviceEventLog::LogReplaced(CDevice& newDevice, const CDevice& oldDevice) {
  newDevice.AddStringProperty(newDevice.mac, "port_reload", newDevice.mac, oldDevice.mac);
  SetStatusByMac(1, newDevice.mac, kStatusReplaced);
  WriteLine(LOG_LEVEL_WARNING,
            newDevice.ip + " [" + newDevice.mac + "] replaced " + oldDevice.ip + " [" + oldDevice.mac + "]");
}

void CDeviceEventLog::SetStatus(const CDevice& device, int status) {
  CPollingDb().SetDeviceStatus(device.isNew, device.mac, status);
  WriteLine(LOG_LEVEL_DEBUG, Tag(device) + StatusSetText(status));
}

void CDeviceEventLog::SetStatusByMac(int inNewList, const std::string& mac, int status) {
  CPollingDb polling;
  if (status == kStatusNormal && polling.HasSyncResult(mac) == 1) status = kStatusConfigChanged;
  polling.SetDeviceStatus(inNewList, mac, status);
  WriteLine(LOG_LEVEL_DEBUG, mac + "(" + std::to_string(inNewList) + ")" + StatusSetText(status));
}

void CDeviceEventLog::LogManagementHostInconsistent(const CDevice& device) {
  WriteLine(LOG_LEVEL_CRITICAL, Tag(device) + " Management host IP is inconsistent");
}

void CDeviceEventLog::LogPollingDevice(const CDevice& device) {
  WriteLine(LOG_LEVEL_INFO, "polling device " + device.ip + " [" + device.mac + "]");
}

void CDeviceEventLog::LogDeviceUpdate(const DeviceListRow& oldRow, const CDevice& device) {
  CPollingDb().insertNewDevTable(RowOf(device, device.isNew));
  WriteLine(LOG_LEVEL_DEBUG, "update device(" + device.name + ")\nip " + device.ip + " - " + oldRow.ip + "\ntype " +
                                 std::to_string(device.type) + " - " + oldRow.type + "\nonline " +
                                 std::to_string(device.online) + " - " + oldRow.online + "\nstatus set " +
                                 StatusText(device.status) + "\n");
}

void CDeviceEventLog::LogAutoDelete(const CDevice& device) {
  CPollingDb().DeleteNewDevice(device.mac);
  WriteLine(LOG_LEVEL_DEBUG, "auto delete device " + device.name + "[" + device.mac + "_" + device.ip + "]");
}
