#include "snmp/SnmpSession.h"

#include <arpa/inet.h>

#include <sys/socket.h>

#include <algorithm>
#include <mutex>
#include <string>

#include "platform/DebugTrace.h"
#include "snmp/SnmpStatus.h"

namespace {

bool AddBinding(netsnmp_pdu* pdu, const SnmpBinding& binding) {
  const oid* name = binding.name.data();
  const size_t length = binding.name.size();
  const u_char type = static_cast<u_char>(binding.syntax);
  netsnmp_variable_list* added = nullptr;
  switch (binding.syntax) {
    case ASN_INTEGER:
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
      added = snmp_pdu_add_variable(pdu, name, length, type, &binding.number, sizeof binding.number);
      break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
      added = snmp_pdu_add_variable(pdu, name, length, type, binding.octets.data(), binding.octets.size());
      break;
    case ASN_OBJECT_ID:
      added = snmp_pdu_add_variable(pdu, name, length, type, binding.objectId.data(),
                                    binding.objectId.size() * sizeof(oid));
      break;
    default:
      added = snmp_add_null_var(pdu, name, length);
      break;
  }
  return added != nullptr;
}

// The library's own log lines ("bad type returned", "snmp_build: unknown failure") are diagnostics for
// developers: they go to the trace, never to standard error.
int TraceLibraryLog(int, int, void* message, void*) {
  std::string text = static_cast<const snmp_log_message*>(message)->msg;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  DebugTrace("Net-SNMP: %s", text.c_str());
  return 0;
}

bool IsException(const netsnmp_variable_list& binding) {
  return binding.type == SNMP_NOSUCHOBJECT || binding.type == SNMP_NOSUCHINSTANCE || binding.type == SNMP_ENDOFMIBVIEW;
}

bool SameName(const netsnmp_variable_list& answered, const SnmpBinding& asked) {
  return snmp_oid_compare(answered.name, answered.name_length, asked.name.data(), asked.name.size()) == 0;
}

int ErrorStatusCode(long errstat) {
  // Anything outside the defined statuses counts as genErr, so codes stay in a small known range.
  if (errstat < SNMP_ERR_TOOBIG || errstat > SNMP_ERR_INCONSISTENTNAME) errstat = SNMP_ERR_GENERR;
  return kSnmpStatusErrorBase - static_cast<int>(errstat);
}

}  // namespace

void CSnmpSession::InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    // No MIB is needed for numeric OIDs. An empty MIB search path keeps the library from opening any
    // MIB file, and an empty module list from complaining about the default modules it cannot find;
    // both are set here rather than in the environment, which other threads and child processes share.
    netsnmp_set_mib_directory("");
    char noModules[] = "mibs :";  // the library keeps a copy
    netsnmp_config_remember(noModules);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_CALLBACK, LOG_DEBUG);
    snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, TraceLibraryLog, nullptr);
    init_snmp("pellion");
  });
}

CSnmpSession::CSnmpSession(const std::string& ipv4, int port, const std::string& community, int timeout)
    : ip_(ipv4), port_(port), community_(community), timeout_(std::max(timeout, 0)) {}

CSnmpSession::~CSnmpSession() {
  if (handle_) snmp_sess_close(handle_);
}

CSnmpSession::OpenResult CSnmpSession::Open() {
  in_addr address{};
  if (inet_pton(AF_INET, ip_.c_str(), &address) != 1) return OpenResult::InvalidAddress;
  InitLibrary();
  netsnmp_session settings;
  snmp_sess_init(&settings);
  settings.version = SNMP_VERSION_1;
  std::string peer = "udp:" + ip_ + ":" + std::to_string(port_);
  settings.peername = peer.data();
  settings.community = reinterpret_cast<u_char*>(community_.data());
  settings.community_len = community_.size();
  settings.retries = 1;
  settings.timeout = static_cast<long>(timeout_) * 10000L;  // microseconds
  handle_ = snmp_sess_open(&settings);  // copies what it keeps
  if (!handle_) return OpenResult::Failed;
  // The library takes any datagram with the right request id as the answer. Connected, the socket
  // receives only what comes from the agent's own address and port.
  const netsnmp_transport* transport = snmp_sess_transport(handle_);
  sockaddr_in agent{};
  agent.sin_family = AF_INET;
  agent.sin_port = htons(static_cast<uint16_t>(port_));
  agent.sin_addr = address;
  if (!transport || connect(transport->sock, reinterpret_cast<const sockaddr*>(&agent), sizeof agent) != 0)
    return OpenResult::Failed;
  return OpenResult::Ok;
}

int CSnmpSession::Request(int command, const std::vector<SnmpBinding>& bindings, PduPtr& answer) {
  if (!handle_) return kSnmpStatusSessionFailure;
  PduPtr request(snmp_pdu_create(command));
  if (!request) return kSnmpStatusSessionFailure;
  for (const SnmpBinding& binding : bindings)
    if (!AddBinding(request.get(), binding)) return kSnmpStatusSessionFailure;
  netsnmp_pdu* response = nullptr;
  // The call takes the request whatever happens.
  const int status = snmp_sess_synch_response(handle_, request.release(), &response);
  PduPtr reply(response);
  if (status == STAT_TIMEOUT) return kSnmpStatusTimeout;
  if (status != STAT_SUCCESS || !reply) return kSnmpStatusSessionFailure;
  if (reply->errstat != SNMP_ERR_NOERROR) return ErrorStatusCode(reply->errstat);
  // Callers read one value per binding they asked for, by position: an answer with another count, or
  // (but for GETNEXT, which names the next objects) with other names or another order, is unusable.
  size_t count = 0;
  for (const netsnmp_variable_list* v = reply->variables; v; v = v->next_variable, ++count) {
    if (count == bindings.size()) return kSnmpStatusSessionFailure;
    if (command != SNMP_MSG_GETNEXT && !SameName(*v, bindings[count])) return kSnmpStatusSessionFailure;
    // SNMPv1 has no exception values; an agent that sends one has not got the object.
    if (IsException(*v)) return kSnmpStatusErrorBase - SNMP_ERR_NOSUCHNAME;
  }
  if (count != bindings.size()) return kSnmpStatusSessionFailure;
  answer = std::move(reply);
  return 0;
}
