#include "engine/ClientMonitorThread.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "db/DatabaseCleared.h"
#include "log/LogDBModule.h"
#include "log/LogLevels.h"
#include "platform/MessageIds.h"
#include "platform/Window.h"
#include "settings/GlobalSettings.h"
#include "snmp/SnmpText.h"
#include "snmp/WalkLimit.h"
#include "snmp/y_snmp.h"

namespace {

constexpr char kApType[] = "2";
constexpr char kConnect[] = "connect";
constexpr char kDisconnect[] = "disconnect";

// The AP's client count; none for a text that is no count or a count no client table can hold (the walk
// would stop at its limit anyway).
std::optional<int> ClientCount(const std::string& text) {
  int count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size() || count < 0 ||
      static_cast<size_t>(count) > CWalkLimit::kMaxRows)
    return std::nullopt;
  return count;
}

// One AP's events of one kind go in one write, so a round with many clients ends quickly.
void WriteEvents(std::vector<ClientConnectRecord> clients, const char* state, const std::string& apMac, int index) {
  if (clients.empty()) return;
  for (ClientConnectRecord& client : clients) {
    client.client_state = state;
    client.mac_ap = apMac;
  }
  GetLoadBalanceManager()->writeClienttodb(clients, index);
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
    if (MonitorAps()) RecordChanges();
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
  const std::optional<int> count = ClientCount(values[2]);
  if (!count) return false;
  record.Mac_ap = ap.mac;
  // Byte counters of a busy AP pass 2^31: each is read as the 32-bit counter it is, and summed wide.
  record.traffic_ap = std::int64_t{snmptext::ReadUnsigned32(values[0])} + snmptext::ReadUnsigned32(values[1]);
  record.count_conn_client = *count;
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
  // A cell counts only when the agent moved forward in its column.
  const auto next = [&snmp](std::string& at, const std::string& column, SnmpObject& object) {
    if (snmp.GetNextObject(at, column, object) != 0) return false;
    at = object.oid;
    return true;
  };
  CWalkLimit limit;
  std::set<std::string> seen;  // a client listed twice is one client
  // The walk ends where the MAC column ends, with an agent that does not move on, and after as many
  // rows as the AP said it has clients.
  for (int row = 0; row < record.count_conn_client; ++row) {
    if (stopRequested_) return false;
    SnmpObject mac;
    if (!next(macAt, macColumn, mac) || !limit.Take(mac.text.size())) break;
    if (stopRequested_) return false;
    SnmpObject mode;
    const bool modeRead = next(modeAt, modeColumn, mode);
    if (stopRequested_) return false;
    SnmpObject rssi;
    const bool rssiRead = next(rssiAt, rssiColumn, rssi);
    if (modeRead && rssiRead && seen.insert(mac.text).second)
      record.clients.push_back({mac.text, rssi.text, mode.text, "", ""});
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
  // The events of a round are written all or not at all: a round abandoned before them leaves the
  // history as the previous round wrote it, and the flush on destruction disconnects exactly its clients.
  if (stopRequested_) {
    current_ = previous_;
    return;
  }
  WriteMissing(current_, previous_, kConnect, index);
  WriteMissing(previous_, current_, kDisconnect, index);
  previous_ = current_;
}

void CClientMonitorThread::WriteMissing(const Round& from, const Round& other, const char* state, int index) {
  for (const auto& [apMac, ap] : from) {
    std::set<std::string> there;
    if (const auto counterpart = other.find(apMac); counterpart != other.end())
      for (const ClientConnectRecord& client : counterpart->second.clients) there.insert(client.mac_client);
    std::vector<ClientConnectRecord> missing;
    for (const ClientConnectRecord& client : ap.clients)
      if (!there.contains(client.mac_client)) missing.push_back(client);
    WriteEvents(std::move(missing), state, apMac, index);
  }
}

void CClientMonitorThread::FlushDisconnects() {
  const int index = GetLoadBalanceManager()->GetFieldMaxValue("recorder_polling", "index_polling");
  for (const auto& [apMac, ap] : current_) WriteEvents(ap.clients, kDisconnect, apMac, index);
  current_.clear();
  previous_.clear();
}
