#pragma once
// One Net-SNMP single-session conversation with one agent: SNMPv1 over UDP, one retry, the local side on
// any free port. Each session is used by one thread only, which is what makes the single-session API
// safe to use from many threads at once.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <memory>
#include <string>
#include <vector>

#include "snmp/SnmpBinding.h"

struct PduDeleter {
  void operator()(netsnmp_pdu* pdu) const { snmp_free_pdu(pdu); }
};
using PduPtr = std::unique_ptr<netsnmp_pdu, PduDeleter>;

class CSnmpSession {
 public:
  enum class OpenResult { Ok, InvalidAddress, Failed };

  // timeout: per attempt, in hundredths of a second.
  CSnmpSession(const std::string& ipv4, int port, const std::string& community, int timeout);
  ~CSnmpSession();
  CSnmpSession(const CSnmpSession&) = delete;
  CSnmpSession& operator=(const CSnmpSession&) = delete;

  // Checks the address and opens the session; nothing is sent. Datagrams from any other address or port
  // than the agent's are not received.
  OpenResult Open();

  // Sends one GET, GETNEXT or SET (SNMP_MSG_*) and waits for the answer. 0 with the answer, which holds
  // exactly one binding per binding sent, for GET and SET the objects asked for in their order, and no
  // SNMPv2 exception value; or a kSnmpStatus code: noSuchName for an exception value, the session failure
  // for any other answer that does not fit the request.
  int Request(int command, const std::vector<SnmpBinding>& bindings, PduPtr& answer);

  // Makes the library ready: numeric OIDs only, no MIB, configuration or persistent files. Safe to call
  // from any thread, any number of times.
  static void InitLibrary();

 private:
  std::string ip_;
  int port_;
  std::string community_;
  int timeout_;
  void* handle_ = nullptr;
};
