#pragma once
// Writes the system key that a switch and the APs behind it share. While keys are written, each
// switch's anti-rogue port control is cleared, so the APs stay reachable, and then written back. Three
// passes: every managed device gets the typed key, every device in the key-error state gets the key of
// its upstream switch, or one device named by address and model gets a key. Also the per-device reads and
// writes these passes use. One object belongs to the one call that made it.
#include <functional>
#include <string>
#include <vector>

#include "snmp/y_snmp.h"

class CSystemKeySupport {
 public:
  // The board id every AP (and every device that is not a switch) reports as its model id.
  static constexpr char kApModelId[] = "QR7V-TOLNA           -00";

  // Results of the key-error pass.
  enum KeyErrorResult : int { kKeyErrorSuccess = 0, kPortControlFailed = 1, kKeySetFailed = 2 };

  std::string GetReadCommunity(const std::string& mac);
  std::string GetWriteCommunity(const std::string& mac);
  std::string GetDeviceIp(const std::string& mac);
  std::string GetModelId(const std::string& mac);
  int GetPortCount(const std::string& mac);
  std::string GetKeyOid(const std::string& mac);
  std::string GetPortControlOid(const std::string& mac);

  // What the device holds now; empty on any failure. The port control reads as "XX XX XX".
  std::string GetDeviceKey(const std::string& mac);
  std::string GetPortControl(const std::string& mac);
  // 1 set (and committed for an AP), 0 failed.
  int SetDeviceKey(const std::string& mac, const std::string& key);
  // The text's byte groups (two hexadecimal digits each, a space after each) as the switch's bitmap,
  // missing bytes 0 and extra ones ignored; a text of other groups goes out as text. 1 set, 0 failed.
  int SetPortControl(const std::string& mac, const std::string& text);
  // "00 " once per byte of the switch's bitmap.
  static std::string ZeroPortControl(int portCount);
  // The bitmap bytes of a port-control text; false when a group before a space is not two characters.
  static bool ParsePortControl(const std::string& text, int byteCount, std::vector<unsigned char>& bytes);

  // Every managed switch, then every managed AP, gets the key; progress receives 0..100 after each AP.
  // Nonzero when every key and every port control was set; a switch whose port control could not be
  // read is neither cleared nor restored and makes the pass fail.
  int SetAllDevices(const std::string& key, const std::function<void(int percent)>& progress = {});
  // Every device in the key-error state gets its upstream switch's key; a device without an upstream
  // switch is skipped as a key failure.
  int SetKeyErrorDevices();
  // The same for one key-error device; the result of its last set, 0 when it has no upstream switch.
  int SetKeyErrorDevice(const std::string& mac);
  // The verdicts the "Modify System Key" dialog shows for the two passes' results.
  static std::string AllDevicesResultText(int result);
  static std::string KeyErrorResultText(int result);

  // 1 set, 0 failed or a model type other than 0 and 1 ("GetDevTypeByModelName error"), -1 no root OID
  // for the model ("can't get root OID").
  int SetSingleDevice(const std::string& ip, const std::string& modelName, const std::string& writeCommunity,
                      const std::string& key);

 private:
  // Aims the wrapper at the device; false when it has no address.
  bool Aim(const std::string& mac);
  // Clears the switch's port control after saving it in saved; false when it could not be read.
  bool ClearPortControl(const std::string& switchMac, std::string& saved);

  CYSnmp snmp_;
};
