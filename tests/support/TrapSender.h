#pragma once
// Notifications to a trap listener on loopback, and the port it listens on. Header-only: only programs
// that link the SNMP library include it.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "snmp/SnmpSession.h"

namespace testing_support {

// A UDP port free on every address at the moment of asking (or the port given), exported as
// PELLION_TRAP_PORT for the lifetime of the object.
class TrapPort {
 public:
  explicit TrapPort(int port = 0) : port_(port != 0 ? port : FreePort()) {
    setenv("PELLION_TRAP_PORT", std::to_string(port_).c_str(), 1);
    platform::ReloadOverrides();
  }
  ~TrapPort() {
    unsetenv("PELLION_TRAP_PORT");
    platform::ReloadOverrides();
  }
  TrapPort(const TrapPort&) = delete;
  TrapPort& operator=(const TrapPort&) = delete;
  int Port() const { return port_; }

 private:
  static int FreePort() {
    const int probe = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    socklen_t length = sizeof address;
    const bool bound = probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (probe >= 0) close(probe);
    if (!bound) throw std::runtime_error("no free UDP port");
    return ntohs(address.sin_port);
  }

  int port_ = 0;
};

// One binding of a notification: an OID in dotted text and a value, given as text in the type the
// library's type letters name ('s' octet string, 't' time ticks, 'o' object identifier, 'i' integer).
struct TrapBinding {
  std::string oid;
  std::string value;
  char type = 's';
};

// SNMPv2c notifications to a port on a loopback address, through the library's session API.
class TrapSender {
 public:
  // timeout: how long an INFORM waits for its answer, in milliseconds.
  explicit TrapSender(int port, int timeout = 2000, const std::string& address = "127.0.0.1") {
    CSnmpSession::InitLibrary();
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_2c;
    std::string peer = "udp:" + address + ":" + std::to_string(port);
    settings.peername = peer.data();
    settings.community = reinterpret_cast<u_char*>(community_.data());
    settings.community_len = community_.size();
    settings.retries = 0;
    settings.timeout = timeout * 1000L;  // microseconds
    handle_ = snmp_sess_open(&settings);
    if (!handle_) throw std::runtime_error("trap sender: no session");
  }
  ~TrapSender() { snmp_sess_close(handle_); }
  TrapSender(const TrapSender&) = delete;
  TrapSender& operator=(const TrapSender&) = delete;

  // A v2c trap with exactly these bindings; false when it could not be sent.
  bool Trap(const std::vector<TrapBinding>& bindings) {
    return snmp_sess_send(handle_, Pdu(SNMP_MSG_TRAP2, bindings)) != 0;
  }
  // An INFORM; the answer's bindings as (OID, value text), or false when none came.
  bool Inform(const std::vector<TrapBinding>& bindings, std::vector<TrapBinding>& answer) {
    netsnmp_pdu* response = nullptr;
    const int status = snmp_sess_synch_response(handle_, Pdu(SNMP_MSG_INFORM, bindings), &response);
    answer.clear();
    if (status == STAT_SUCCESS && response) {
      for (netsnmp_variable_list* v = response->variables; v; v = v->next_variable) {
        std::string dotted;
        for (size_t i = 0; i < v->name_length; ++i) dotted += (i ? "." : "") + std::to_string(v->name[i]);
        const bool text = v->type == ASN_OCTET_STR && v->val.string;
        answer.push_back({dotted, text ? std::string(reinterpret_cast<char*>(v->val.string), v->val_len) : ""});
      }
    }
    if (response) snmp_free_pdu(response);
    return status == STAT_SUCCESS;
  }
  // A well-formed notification: sysUpTime.0 as time ticks, snmpTrapOID.0 naming the identifier as an
  // object identifier, then the identifier as the third binding.
  static std::vector<TrapBinding> Notification(const std::string& identifier) {
    return {{"1.3.6.1.2.1.1.3.0", "0", 't'}, {"1.3.6.1.6.3.1.1.4.1.0", identifier, 'o'}, {identifier, "1"}};
  }

  // The PDU the sender sends for these bindings; the caller frees it.
  static netsnmp_pdu* Pdu(int command, const std::vector<TrapBinding>& bindings) {
    netsnmp_pdu* pdu = snmp_pdu_create(command);
    for (const TrapBinding& binding : bindings) {
      oid name[MAX_OID_LEN];
      size_t length = MAX_OID_LEN;
      if (!read_objid(binding.oid.c_str(), name, &length) ||
          snmp_add_var(pdu, name, length, binding.type, binding.value.c_str()) != 0) {
        snmp_free_pdu(pdu);
        throw std::runtime_error("bad binding " + binding.oid + " = " + binding.value);
      }
    }
    return pdu;
  }

 private:

  std::string community_ = "public";
  void* handle_ = nullptr;
};

}  // namespace testing_support
