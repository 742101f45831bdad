#pragma once
// One device as the polling engine hands it to its writer of device_list and device_list_prev.
// Numbers are kept as their decimal texts.
#include <string>

struct DeviceListRow {
  std::string ip;
  std::string mac;  // the key of the row
  std::string name;
  std::string port_num;
  std::string type;  // "1" switch, "2" AP
  std::string online;  // "1" online, "0" offline
  std::string status;
  std::string lastchangetime;
  std::string isnew;
  std::string write_community;
  std::string sysobjid;
  // Not 0 when the row belongs in device_list, 0 when in device_list_prev. Every writer sets it.
  int newDeviceMark = 0;
};
