#include "device/SystemKey.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include "platform/HmacMd5.h"
#include "device/Switch.h"
#include "db/pollingdb.h"

namespace {

constexpr size_t kMaxKeyMaterial = 255;  // OUI text and key text together stay below this
constexpr size_t kOuiTextRead = 10;
constexpr size_t kMacDigits = 12;
constexpr const char* kKeyTextSuffix = ".24.4.0";
constexpr const char* kDigestSuffix = ".24.1.0";

}  // namespace

bool ComputeSystemKeyDigest(const std::string& ouiText, const std::string& keyText, const std::string& mac,
                            std::string& digestText) {
  unsigned oui[3];
  if (std::sscanf(ouiText.substr(0, kOuiTextRead).c_str(), "%x %x %x", &oui[0], &oui[1], &oui[2]) != 3) return false;

  std::string message;
  for (char c : mac) {
    if (c != ':') message += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  message.resize(std::min(message.size(), kMacDigits));

  std::string key;
  for (unsigned byte : oui) key += static_cast<char>(byte & 0xFF);
  key += keyText;

  std::uint8_t digest[CMD5::kDigestSize];
  HmacMd5(message.data(), message.size(), key.data(), key.size(), digest);
  char text[2 * CMD5::kDigestSize + 1];
  for (int i = 0; i < CMD5::kDigestSize; ++i) std::snprintf(text + 2 * i, 3, "%02X", digest[i]);
  digestText = text;
  return true;
}

int ReadSystemKeyText(const CSwitch& device, const std::string& rootOid, std::string& keyText) {
  return SnmpSessionFor(device.ip, device.community).Get(rootOid + kKeyTextSuffix, keyText) == 0 ? 1 : 0;
}

bool VerifySystemKey(const CSwitch& device) {
  std::string oui;
  if (CPollingDb().GetSwitchOUI(device.rootOid, oui) < 0) return false;
  std::string keyText;
  if (ReadSystemKeyText(device, device.rootOid, keyText) != 1) return false;
  if (oui.size() + keyText.size() >= kMaxKeyMaterial) return false;

  std::string expected;
  if (!ComputeSystemKeyDigest(oui, keyText, device.mac, expected)) return false;
  std::string published;
  if (SnmpSessionFor(device.ip, device.community).Get(device.rootOid + kDigestSuffix, published) != 0) return false;
  return published == expected;
}
