#pragma once
// The rows the reference network of simulated devices leaves after its first discovery pass: switch S
// with the APs A1, A2, A3 on its ports 1 to 3 and the unknown device U on port 4. Header-only, like
// TempDatabase.
#include <string>
#include <vector>

#include "db/LinkRow.h"
#include "support/TempDatabase.h"

namespace testing_support::reference_network {

inline const std::string kSwitch = "02:44:71:00:00:01";
inline const std::string kAp1 = "02:44:71:00:01:01";
inline const std::string kAp2 = "02:44:71:00:01:02";
inline const std::string kAp3 = "02:44:71:00:01:03";
inline const std::string kUnknown = "02:90:00:00:04:01";

// Stores the five devices in table (device_list while new, device_list_prev once managed), online,
// status 0, write community "private". False when an insert fails.
inline bool AddDevices(TempDatabase& database, const std::string& table) {
  struct Device {
    const char* name;
    const char* ip;
    const std::string& mac;
    int type;
    int ports;
    const char* sysobjid;
  };
  const Device devices[] = {
      {"lab-switch", "127.0.0.10", kSwitch, 1, 24, "1.3.6.1.4.1.44711.10.76.2"},
      {"AP_1", "127.0.0.11", kAp1, 2, 2, ".1.3.6.1.4.1.44711.1"},
      {"AP_2", "127.0.0.12", kAp2, 2, 2, ".1.3.6.1.4.1.44711.1"},
      {"AP_3", "127.0.0.13", kAp3, 2, 2, ".1.3.6.1.4.1.44711.1"},
      {"UNKNOWN_1", "127.0.0.14", kUnknown, 0, 0, ""},
  };
  for (const Device& d : devices) {
    if (!database.Exec("insert into " + table +
                           " (name, ip, mac, type, port_num, online, status, isnew, write_community, sysobjid)"
                           " values (?, ?, ?, ?, ?, 1, 0, 1, 'private', ?)",
                       {d.name, d.ip, d.mac, d.type, d.ports, d.sysobjid}))
      return false;
  }
  return true;
}

// Gives the three APs their ap_property rows: SSID "corvath", traps sent to trapHost. False when an insert
// fails.
inline bool AddApProperties(TempDatabase& database, const std::string& trapHost) {
  for (const std::string& mac : {kAp1, kAp2, kAp3})
    if (!database.Exec("INSERT INTO ap_property (mac, crvAPssid, enterpriseAPSysSNMPTrapIP) VALUES (?, 'corvath', ?)",
                       {mac, trapHost}))
      return false;
  return true;
}

// The links of the pass: port n of S to port 1 of the device.
inline std::vector<LinkRow> Links() {
  return {
      {kSwitch, kAp1, "1", "1"}, {kSwitch, kAp2, "2", "1"}, {kSwitch, kAp3, "3", "1"}, {kSwitch, kUnknown, "4", "1"}};
}

inline bool AddLinks(TempDatabase& database, const std::string& table, const std::vector<LinkRow>& links = Links()) {
  for (const LinkRow& link : links) {
    if (!database.Exec("insert into " + table + " (src_mac, dest_mac, src_port, dest_port) values (?, ?, ?, ?)",
                       {link.src_mac, link.dest_mac, link.src_port, link.dest_port}))
      return false;
  }
  return true;
}

// The links of a table as "src_mac src_port>dest_mac dest_port", in rowid order.
inline std::vector<std::string> StoredLinks(TempDatabase& database, const std::string& table) {
  std::vector<std::string> links;
  for (const auto& row :
       database.Rows("select src_mac, src_port, dest_mac, dest_port from " + table + " order by rowid"))
    links.push_back(row[0] + " " + row[1] + ">" + row[2] + " " + row[3]);
  return links;
}

}  // namespace testing_support::reference_network
