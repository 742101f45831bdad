#pragma once
// Net-SNMP's headers depend on each other's order; every file takes them from here.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
