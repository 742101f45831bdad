#include "engine/TrapListener.h"

#include <arpa/inet.h>
#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <poll.h>
#include <sys/socket.h>

#include <array>
#include <optional>
#include <string_view>

#include "db/Transaction.h"
#include "db/db_maintain.h"
#include "log/LogDBModule.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "snmp/SnmpSession.h"

namespace {

constexpr int kCritical = 1;
constexpr int kProcessingPeriodMs = 1000;
// Room for a burst of notifications while a line is being written; the system may grant less.
constexpr int kReceiveBufferBytes = 4 << 20;
// Notifications read into one transaction of the event log at most: one commit for a burst, not one each.
constexpr int kBatch = 256;
// The binding whose identifier names the notification (after sysUpTime.0 and snmpTrapOID.0 of a v2c trap).
constexpr size_t kIdentifyingBinding = 2;

struct KnownTrap {
  std::string_view identifier;
  std::string_view name;
};

// Tested in this order; the identifiers are distinct.
constexpr std::array<KnownTrap, 12> kKnownTraps = {{
    {"1.3.6.1.4.1.44711.10.75.3.5.1.0", "COLD_START"},
    {"1.3.6.1.4.1.44711.10.75.3.5.2.0", "WARM_START"},
    {"1.3.6.1.4.1.44711.10.75.3.5.4.0", "LINK_UP"},
    {"1.3.6.1.4.1.44711.10.75.3.5.3.0", "LINK_DOWN"},
    {"1.3.6.1.4.1.44711.10.75.3.5.5.0", "Authentication Failure"},
    {"1.3.6.1.4.1.44711.10.75.3.5.6.0", "FIBER_INDERT"},
    {"1.3.6.1.4.1.44711.10.75.3.5.7.0", "FIBER_REMOVE"},
    {"1.3.6.1.4.1.44711.10.75.3.5.8.0", "RX_ERROR"},
    {"1.3.6.1.4.1.44711.10.75.3.5.9.0", "TX_ERORR"},
    {"1.3.6.1.2.1.105.0.1", "pethPsePortOnOffNotification"},
    {"1.3.6.1.2.1.105.0.2", "OIDpethMainPowerUsageOnNotification"},
    {"1.3.6.1.2.1.105.0.3", "pethMainPowerUsageOffNotification"},
}};

std::string DottedOid(const oid* name, size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    if (i) text += '.';
    text += std::to_string(name[i]);
  }
  return text;
}

// The sender's IPv4 address as the transport recorded it with the datagram; "" when it cannot tell.
std::string SenderAddress(const netsnmp_pdu& pdu) {
  if (!pdu.transport_data || pdu.transport_data_length < static_cast<int>(sizeof(sockaddr_in))) return {};
  const auto* from = static_cast<const sockaddr_in*>(pdu.transport_data);
  if (from->sin_family != AF_INET) return {};
  char text[INET_ADDRSTRLEN] = {};
  return inet_ntop(AF_INET, &from->sin_addr, text, sizeof text) ? text : std::string();
}

// The identifier of the binding at index 2, or of the last binding when there are fewer; "" without any.
std::string IdentifyingOid(const netsnmp_pdu& pdu) {
  const netsnmp_variable_list* tested = nullptr;
  size_t index = 0;
  for (const netsnmp_variable_list* v = pdu.variables; v; v = v->next_variable, ++index) {
    tested = v;
    if (index == kIdentifyingBinding) break;
  }
  return tested ? DottedOid(tested->name, tested->name_length) : std::string();
}

// The INFORM answered with the request's own bindings.
void Acknowledge(void* session, const netsnmp_pdu& inform) {
  netsnmp_pdu* response = snmp_clone_pdu(const_cast<netsnmp_pdu*>(&inform));
  if (!response) return;
  response->command = SNMP_MSG_RESPONSE;
  response->errstat = SNMP_ERR_NOERROR;
  response->errindex = 0;
  if (!snmp_sess_send(session, response)) snmp_free_pdu(response);  // a failed answer is not reported
}

struct ListenerSession {
  void* handle = nullptr;
  int socket = -1;
  netsnmp_large_fd_set readable;
};

bool HasDatagram(int socket, int waitMs) {
  pollfd waiting{socket, POLLIN, 0};
  return poll(&waiting, 1, waitMs) > 0;
}

// Reads the datagrams waiting, up to a batch; the library hands each notification to TrapCallback. A
// datagram that does not parse is dropped by the library.
void ReadWaiting(ListenerSession& session) {
  int read = 0;
  do {
    NETSNMP_LARGE_FD_ZERO(&session.readable);
    NETSNMP_LARGE_FD_SET(session.socket, &session.readable);
    snmp_sess_read2(session.handle, &session.readable);
  } while (++read < kBatch && HasDatagram(session.socket, 0));
}

// The lines of one burst go into the event log in one transaction. When it cannot begin, each line goes in
// on its own (and the event log reports its failures itself).
void ReadBurst(ListenerSession& session) {
  std::optional<db::CTransaction> batch;
  try {
    batch.emplace(*GetDBMaintain());
  } catch (const db::CDbError&) {
  }
  ReadWaiting(session);
  if (!batch) return;
  try {
    batch->Commit();
  } catch (const db::CDbError& error) {
    GetDBMaintain()->WriteExceptionLog(db::FormatDbmText(error, "TrapListener", __LINE__));
  }
}

int TrapCallback(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
  if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu) return 1;
  auto* session = static_cast<ListenerSession*>(magic);
  if (pdu->command == SNMP_MSG_INFORM) Acknowledge(session->handle, *pdu);
  if (pdu->command != SNMP_MSG_INFORM && pdu->command != SNMP_MSG_TRAP2 && pdu->command != SNMP_MSG_TRAP) return 1;
  const std::string text = CTrapListener::EventText(IdentifyingOid(*pdu), SenderAddress(*pdu));
  if (!text.empty()) GetLogDBModule()->WriteSystemLog(kCritical, text);
  return 1;
}

}  // namespace

CTrapListener::~CTrapListener() {
  Stop();
  Join();
}

bool CTrapListener::Start(platform::WindowId window) {
  if (started_) return false;
  started_ = true;
  thread_ = std::thread([this, window] { exitCode_ = Run(window); });
  return true;
}

void CTrapListener::Stop() { stop_ = true; }

int CTrapListener::Join() {
  if (thread_.joinable()) thread_.join();
  return exitCode_;
}

std::string CTrapListener::EventText(const std::string& identifier, const std::string& sender) {
  for (const KnownTrap& trap : kKnownTraps)
    if (identifier == trap.identifier) return "Received " + sender + " trap message : " + std::string(trap.name);
  return {};
}

int CTrapListener::Run(platform::WindowId window) {
  CSnmpSession::InitLibrary();
  const std::string address = "udp:" + std::to_string(platform::GetOverrides().trapPort);
  netsnmp_transport* transport = netsnmp_transport_open_server("snmptrap", address.c_str());
  if (!transport) {  // the port is taken by another program
    platform::PostMessage(window, msg::WM_NMS_TRAP_PORT_BUSY);
    return -1;
  }
  const int socket = transport->sock;
  setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &kReceiveBufferBytes, sizeof kReceiveBufferBytes);

  ListenerSession listener;
  listener.socket = socket;
  netsnmp_session settings;
  snmp_sess_init(&settings);
  settings.peername = SNMP_DEFAULT_PEERNAME;
  settings.version = SNMP_DEFAULT_VERSION;  // v1 and v2c alike
  settings.community_len = SNMP_DEFAULT_COMMUNITY_LEN;
  settings.callback = TrapCallback;
  settings.callback_magic = &listener;
  settings.isAuthoritative = SNMP_SESS_UNKNOWNAUTH;
  listener.handle = snmp_sess_add(&settings, transport, nullptr, nullptr);  // closes the transport on failure
  if (!listener.handle) {
    platform::MessageBox(std::string("SNMP++ session create fail, ") + snmp_api_errstring(settings.s_snmp_errno), "",
                         platform::MB_OK);
    return -1;
  }

  netsnmp_large_fd_set_init(&listener.readable, socket + 1);
  while (!stop_.load())
    if (HasDatagram(socket, kProcessingPeriodMs)) ReadBurst(listener);
  netsnmp_large_fd_set_cleanup(&listener.readable);
  snmp_sess_close(listener.handle);
  return 0;
}
