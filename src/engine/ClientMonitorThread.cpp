#include "engine/ClientMonitorThread.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "db/DatabaseCleared.h"
#include "device/GlobalSettings.h"
#include "device/WalkLimit.h"
#include "device/y_snmp.h"
#include "log/LogDBModule.h"
#include "log/LogLevels.h"
#include "platform/MessageIds.h"
#include "platform/Window.h"

namespace {

constexpr char kApType[] = "2";
constexpr char kConnect[] = "connect";
constexpr char kDisconnect[] = "disconnect";

int Decimal(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

bool HasClient(const RecorderPollingRecord& ap, const std::string& clientMac) {
  for (const ClientConnectRecord& client : ap.clients)
    if (client.mac_client == clientMac) return true;
  return false;
}

void WriteEvent(ClientConnectRecord client, const char* state, const std::string& apMac, int index) {
  client.client_state = state;
  client.mac_ap = apMac;
  GetLoadBalanceManager()->writeClienttodb({client}, index);
}

}  // namespace

CClientMonitorThread::~CClientMonitorThread() {
  Stop();
  FlushDisconnects();
}

bool CClientMonitorThread::Start() {
  std::lock_guard lock(idleLock_);
  if (started_) return false;
  started_ = true;
  idle_ = false;  // before the thread runs, so that a stop asked for at once is not lost
  thread_ = std::thread([this] { Run(); });
  return true;
}

int CClientMonitorThread::Run() {
  for (;;) {
    if (MonitorAps() && !stopRequested_) RecordChanges();
    int interval = 0;
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      interval = g_RuntimeSettings.nMonitorIntervalMs;
    }
    if (wake_.Wait(std::chrono::milliseconds(interval))) break;
  }
  std::lock_guard lock(idleLock_);
  idle_ = true;
  return 0;
}

bool CClientMonitorThread::IsIdle() {
  std::lock_guard lock(idleLock_);
  return idle_;
}

void CClientMonitorThread::Stop() {
  {
    std::lock_guard lock(idleLock_);
    idle_ = true;
  }
  stopRequested_ = true;
  wake_.Set();
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

bool CClientMonitorThread::MonitorAps() {
  std::vector<ManagedDeviceRow> managed;
  CPollingDb().GetManagementDevList(managed);
  ReportDuplicateAddresses(managed);

  Round round;
  for (const ManagedDeviceRow& device : managed) {
    if (device.type != kApType) continue;
    if (stopRequested_) return false;
    GetLogDBModule()->WriteSystemLog(LOG_LEVEL_INFO, "monitor AP(" + device.ip + "[" + device.mac + "])");
    RecorderPollingRecord record;
    if (!ReadAp(device, record)) {
      if (stopRequested_) return false;
      continue;  // no answer: no record this round
    }
    round[record.Mac_ap] = std::move(record);
  }
  current_ = std::move(round);
  StoreRound(current_);
  return true;
}

void CClientMonitorThread::ReportDuplicateAddresses(const std::vector<ManagedDeviceRow>& managed) {
  std::vector<PollingDeviceRecord> found;
  CPollingDb().GetNewDeviceAddresses(found);
  for (const PollingDeviceRecord& newDevice : found) {
    for (const ManagedDeviceRow& device : managed) {
      if (newDevice.ip != device.ip) continue;
      GetLogDBModule()->WriteSystemLog(LOG_LEVEL_CRITICAL, "duplicate ip(" + newDevice.ip + "[" + newDevice.mac + "])");
      GetLogDBModule()->WriteSystemLog(LOG_LEVEL_CRITICAL, "duplicate ip(" + device.ip + "[" + device.mac + "])");
    }
  }
}

bool CClientMonitorThread::ReadAp(const ManagedDeviceRow& ap, RecorderPollingRecord& record) {
  CYSnmp snmp;
  snmp.SetIp(ap.ip);
  snmp.SetReadCommunity(ap.write_community);
  snmp.SetWriteCommunity(ap.write_community);
  std::vector<std::string> values;
  const int result = snmp.GetList({ap.sysobjid + ".5.3.0", ap.sysobjid + ".5.6.0", ap.sysobjid + ".2.1.0"}, values);
  if (stopRequested_ || result != 0 || values.size() != 3) return false;
  record.Mac_ap = ap.mac;
  record.traffic_ap = Decimal(values[0]) + Decimal(values[1]);
  record.count_conn_client = Decimal(values[2]);
  return record.count_conn_client == 0 || WalkClients(ap, record);
}

bool CClientMonitorThread::WalkClients(const ManagedDeviceRow& ap, RecorderPollingRecord& record) {
  CYSnmp snmp;
  snmp.SetIp(ap.ip);
  snmp.SetReadCommunity(ap.write_community);
  snmp.SetWriteCommunity(ap.write_community);
  const std::string macColumn = ap.sysobjid + ".2.2.1.2";
  const std::string modeColumn = ap.sysobjid + ".2.2.1.3";
  const std::string rssiColumn = ap.sysobjid + ".2.2.1.4";
  std::string macAt = macColumn, modeAt = modeColumn, rssiAt = rssiColumn;
  CWalkLimit limit;
  for (;;) {
    if (stopRequested_) return false;
    SnmpObject mac;
    // The walk ends where the MAC column ends, and with an agent that does not move on.
    if (snmp.GetNextObject(macAt, macColumn, mac) != 0 || mac.oid == macAt || !limit.Take(mac.text.size())) break;
    macAt = mac.oid;
    if (stopRequested_) return false;
    SnmpObject mode;
    const bool modeRead = snmp.GetNextObject(modeAt, modeColumn, mode) == 0;
    if (modeRead) modeAt = mode.oid;
    if (stopRequested_) return false;
    SnmpObject rssi;
    const bool rssiRead = snmp.GetNextObject(rssiAt, rssiColumn, rssi) == 0;
    if (rssiRead) rssiAt = rssi.oid;
    if (modeRead && rssiRead) record.clients.push_back({mac.text, rssi.text, mode.text, "", ""});
  }
  return true;
}

void CClientMonitorThread::StoreRound(const Round& round) {
  bool wasRecorded = false;
  if (!round.empty()) {
    std::vector<RecorderPollingRecord> records;
    for (const auto& [mac, record] : round) records.push_back(record);
    GetLoadBalanceManager()->SetRecordersPolling(records);
  }
  bool post = false;
  {
    std::lock_guard lock(g_csClients);
    wasRecorded = g_bClientsRecorded;
    g_bClientsRecorded = !round.empty();
    post = wasRecorded != g_bClientsRecorded || g_bClientsRecorded;
  }
  if (post) platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_CLIENTS_CHANGED);
}

void CClientMonitorThread::RecordChanges() {
  const int index = GetLoadBalanceManager()->GetIndexPolling();
  if (g_bDatabaseCleared.exchange(false)) {
    // The history is gone: what the rounds remember would be written against it.
    current_.clear();
    previous_.clear();
    return;
  }
  WriteMissing(current_, previous_, kConnect, index);
  WriteMissing(previous_, current_, kDisconnect, index);
  previous_ = current_;
}

void CClientMonitorThread::WriteMissing(const Round& from, const Round& other, const char* state, int index) {
  for (const auto& [apMac, ap] : from) {
    const auto counterpart = other.find(apMac);
    for (const ClientConnectRecord& client : ap.clients)
      if (counterpart == other.end() || !HasClient(counterpart->second, client.mac_client))
        WriteEvent(client, state, apMac, index);
  }
}

void CClientMonitorThread::FlushDisconnects() {
  const int index = GetLoadBalanceManager()->GetFieldMaxValue("recorder_polling", "index_polling");
  for (const auto& [apMac, ap] : current_)
    for (const ClientConnectRecord& client : ap.clients) WriteEvent(client, kDisconnect, apMac, index);
  current_.clear();
  previous_.clear();
}
