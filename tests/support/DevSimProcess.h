#pragma once
// The device simulator (DEVSIM_BINARY) as a child process of one test: started with a list of devices or
// the reference network, stopped by the destructor (also when the test fails).
//
// How parallel tests stay apart: devices keep the addresses their data was made for (the reference network
// stays on 127.0.0.10-14, values inside unchanged), and every simulator gets a UDP port of its own, picked by
// the simulator itself as a port free on all its addresses at the moment it binds them (no race between
// picking and binding). The constructor exports that port as PELLION_SNMP_PORT and reloads the platform
// overrides, so the code under test reaches the devices; the destructor restores the previous value.
// Hence one simulator per test process at a time; tests that want private addresses pass their own.
//
// The child cannot outlive the test: it is killed when the thread that started it ends, and it stops when
// its control connection closes.
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace testing_support {

struct DevSimDevice {
  std::string address;   // loopback address, e.g. "127.0.0.10"
  std::string dataFile;  // snmprec file; a side file with extension ".devsim" next to it adds behaviours
};

// Addresses of the reference network.
struct DevSimReference {
  static constexpr const char* kSwitch = "127.0.0.10";
  static constexpr const char* kAp1 = "127.0.0.11";
  static constexpr const char* kAp2 = "127.0.0.12";
  static constexpr const char* kAp3 = "127.0.0.13";
  static constexpr const char* kUnknown = "127.0.0.14";
};

class DevSimProcess {
 public:
  // The devices of DEVSIM_DATA_DIR/reference.scenario.
  static std::vector<DevSimDevice> ReferenceNetwork();
  // A file of the simulator's data folder (DEVSIM_DATA_DIR).
  static std::string DataFile(const std::string& name);

  // Starts the simulator (strict: a data-file line it cannot read refuses the file) and returns once it
  // serves every device; throws std::runtime_error. Port 0: the simulator picks a free one.
  explicit DevSimProcess(std::vector<DevSimDevice> devices = ReferenceNetwork(), int port = 0);
  ~DevSimProcess();
  DevSimProcess(const DevSimProcess&) = delete;
  DevSimProcess& operator=(const DevSimProcess&) = delete;

  int Port() const { return port_; }
  const std::vector<DevSimDevice>& Devices() const { return devices_; }
  // "udp:ADDRESS:PORT", a device as Net-SNMP's command-line tools name it.
  std::string Peer(const std::string& address) const;

  // Control commands (tools/devsim/src/ControlChannel.h); each throws std::runtime_error on "error".
  // The device's current object as "OID|TAG|VALUE".
  std::string Get(const std::string& address, const std::string& oid);
  // Only the VALUE of Get.
  std::string Value(const std::string& address, const std::string& oid);
  void Set(const std::string& address, const std::string& snmprecLine);
  void Unset(const std::string& address, const std::string& oid);
  // Every SET binding the device received since the last call, in order, as "OID|TAG|VALUE"; throws when
  // the simulator dropped some, having kept only the last ones.
  std::vector<std::string> ReceivedSets(const std::string& address);
  // The same as "SUFFIX=VALUE", SUFFIX being the OID with root taken off its front (where it starts so).
  std::vector<std::string> ReceivedSetsBelow(const std::string& address, const std::string& root);
  // A side-file directive, e.g. "silent on", "delay-ms 1500", "restart-silence-ms 2000".
  void Configure(const std::string& address, const std::string& directive);
  // The device's changing objects (client table) move to their next frame.
  void NextFrame(const std::string& address);
  // The requests the device has answered since the simulator started.
  long Answered(const std::string& address);
  // Whether the device answers nothing at the moment (restarting, or "silent on").
  bool IsSilent(const std::string& address);
  // Ends a restart's silence now, so a test can ask for a long one and still go on.
  void Wake(const std::string& address);
  // The device sends an SNMPv2c TRAP from its own address to toAddress:toPort (a loopback address):
  // bindings sysUpTime.0, snmpTrapOID.0 (identifier without a trailing ".0"), identifier = portNumber.
  void SendTrap(const std::string& address, const std::string& toAddress, int toPort, const std::string& identifier,
                int portNumber);
  // The same as an INFORM; true when its response reached the device within waitMillis.
  bool SendInform(const std::string& address, const std::string& toAddress, int toPort, const std::string& identifier,
                  int portNumber, int waitMillis = 5000);

  // Ends the simulator now; the destructor does the same.
  void Stop();

 private:
  std::string Command(const std::string& line, int extraMillis = 0);
  std::string ReadLine(int timeoutMillis);

  std::vector<DevSimDevice> devices_;
  ChildProcess process_;
  int channel_ = -1;  // the child's standard input and output
  std::string received_;
  int port_ = 0;
  std::string previousPort_;
  bool hadPreviousPort_ = false;
};

}  // namespace testing_support
