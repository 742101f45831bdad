#pragma once
// One variable binding to send: the object and, for a SET, its typed value.
#include <vector>

#include "snmp/SnmpText.h"

struct SnmpBinding {
  snmptext::ObjectId name;
  int syntax = 5;                      // SMI tag; 5 (NULL) for the bindings of a GET
  long number = 0;                     // INTEGER, Counter32, Gauge32, TimeTicks
  std::vector<unsigned char> octets;   // OCTET STRING, or the four bytes of an IpAddress
  snmptext::ObjectId objectId;         // OBJECT IDENTIFIER
};
