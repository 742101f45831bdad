#pragma once
// The in-memory picture of one device of the managed network: a switch, an access point or a device of
// unknown kind. The polling engine builds these objects, keeps them in its lists and drives them through
// their virtual operations. Results are integers: 0 or 1 for success by operation, negative codes for
// failures, kDiscoveryStopped (-100) when the discovery stop flag is set.
#include <cstdint>
#include <string>
#include <vector>

#include "db/DeviceProperty.h"
#include "device/DiscoveryStop.h"
#include "snmp/y_snmp.h"

// The most ports a device is taken to have. A port count or a port number beyond it comes from a device
// that misreports: the map and the port masks go through every port.
inline constexpr int kMaxPortCount = 1024;

// Kind codes, as the type column of the device tables holds them.
enum DeviceKind : int { kDeviceUnknown = 0, kDeviceSwitch = 1, kDeviceAP = 2 };

// Status codes, as the status column of the device tables holds them (3 is not used).
enum DeviceStatus : int {
  kStatusNormal = 0,
  kStatusDhcpFailed = 1,  // the device has a link-local address
  kStatusNotAvailable = 2,
  kStatusSystemKeyError = 4,  // the device sits on a switch port that blocks it
  kStatusReplaced = 5,
  kStatusConfigChanged = 6,
};

class CDevice {
 public:
  CDevice() = default;
  virtual ~CDevice() = default;
  CDevice(const CDevice&) = delete;
  CDevice& operator=(const CDevice&) = delete;

  // Base: online := 1, status := 0, returns 1.
  virtual int Identify();
  // Reads the device's MAC in colon form into mac (not into the field): 1; base returns -1.
  virtual int GetMAC(std::string& mac);
  // Reads the device's details into the database; base returns 0.
  virtual int CollectDetails();
  // Stores the community that answers; base returns 0.
  virtual int SaveCommunity();

  // Reads ifNumber into portCount (one less for a switch): 1; -1 when the read fails or gives no count in
  // 0..kMaxPortCount (portCount -1); -100 when stopping (the answer is dropped).
  int GetPortNumber();
  // IsSnmpAgentAlive(ip, community).
  int IsAlive() const;
  // False when ip is link-local; 0.0.0.0 counts as usable here.
  bool HasUsableIp() const;
  void AddProperty(const std::string& mac, const std::string& property, const std::string& current,
                   const std::string& previous, const std::string& type);
  void AddStringProperty(const std::string& mac, const std::string& property, const std::string& current,
                         const std::string& previous);
  // 1 when the device's MAC as read equals mac, 0 when it differs, -1 when it cannot be read.
  int VerifyMac();
  // CIcmpPing::Ping of ip.
  int Ping() const;
  bool SameMac(const CDevice& other) const { return mac == other.mac; }

  std::string ip;
  std::string mac;  // colon form, 17 characters
  int type = kDeviceUnknown;
  int online = 0;
  int isNew = 0;
  int portCount = 0;  // -1 when it could not be read
  std::string balanceGroup;
  std::string name;
  std::string community;  // used for every request to the device, reads and writes alike
  std::string rootOid;    // root of the device's private objects
  int status = kStatusNormal;
  std::string propertySaved;  // "1" once the details are stored, "0" before
  int createdByPoll = 0;
  std::vector<CDeviceProperty> differences;
  int changeMask = 0;  // change bits of the polling engine
  std::string note;

 protected:
  // GETs a MAC-valued object with community and writes its bytes in the colon form: 1; -2 the GET
  // failed; -1 the value is not an OCTET STRING of six bytes; -100 when stopping (nothing is sent).
  int ReadMacObject(const char* oid, std::string& macText);
  // "AP_%d", "SW_%d" or "UNKNOWN_%d" with the next free number of the kind.
  static std::string AllocateName(const char* prefix, int kind);
};

// An SNMP conversation with ip that sends community for reads and writes alike, with the default time-out.
CYSnmp SnmpSessionFor(const std::string& ip, const std::string& community);

// 1 when an agent at ip answers a GETNEXT of sysName with community within one second, -1 otherwise.
int IsSnmpAgentAlive(const std::string& ip, const std::string& community);
// False for "0.0.0.0" and for addresses strictly between 169.254.0.0 and 169.254.255.255.
bool IsUsableDeviceIp(const std::string& ip);
