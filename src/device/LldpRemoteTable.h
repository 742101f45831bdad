#pragma once
// A switch's LLDP remote tables as walked column by column, joined into neighbour entries by their row
// index (time mark, local port, remote index). Joining by index, not by position in the walk, keeps a
// neighbour with two management addresses, or none, from shifting the others onto the wrong device.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "device/LldpNeighbour.h"
#include "snmp/SnmpObject.h"

class CLldpRemoteTable {
 public:
  enum Column { kChassisId, kPortId, kManagementAddress, kCapabilities, kColumnCount };

  // The column's OID, with a leading '.'.
  static const char* ColumnOid(Column column);

  // Keeps one object of a column walk as the agent returned it. False when its OID is not a row of that
  // column.
  bool Add(Column column, const SnmpObject& object);

  // One entry per row found in all four columns with an IPv4 management address, in row order. Rows
  // whose values do not parse are left out, among them a chassis id that is not six bytes (a network
  // address or a name is no MAC). So are rows that name no single device (a MAC of all zeros or all ones,
  // the address 255.255.255.255) and rows on a port outside the owner's ports (1..portCount, or
  // 1..kMaxPortCount while its count is not known) or to a remote port past kMaxPortCount. The chassis id
  // and the capabilities are read from their bytes.
  std::vector<LldpNeighbour> Join(CSwitch* owner) const;

 private:
  using RowIndex = std::array<unsigned long, 3>;
  using Cell = SnmpObject;

  // The first IPv4 management address row of a remote row, none when it has none.
  const Cell* FindIpv4Address(const RowIndex& row) const;

  std::map<RowIndex, Cell> chassis_;
  std::map<RowIndex, Cell> portIds_;
  std::map<RowIndex, Cell> capabilities_;
  // Management addresses: the address part of the index (subtype, length, bytes) after the row index.
  std::multimap<RowIndex, std::pair<std::vector<unsigned long>, Cell>> addresses_;
};

// The texts of LLDP rows.

// Rewrites the port id as a decimal number: "ethN" gives N + 1, plain digits stay. 0, or -1 for an empty
// text, any other form, or a number too large for a port.
int ParseLldpPortId(std::string& text);
// The local port of a row OID (its second-to-last part) plus 1, as decimal text: 0; an OID with fewer
// than two '.' after its first character writes "0" and gives -1.
int ExtractLldpLocalPort(const std::string& oid, std::string& port);
// The management address of a row OID: the text after the fourth '.' counted from the end, trailing
// blanks ignored: 1; -1 with fewer than four '.'.
int ExtractIpFromOid(const std::string& oid, std::string& ip);
