#include "config/ApSecurityModel.h"

#include <cctype>
#include <cstdlib>

#include "config/TrimmedText.h"
#include "net/AddressText.h"

int CApSecurityModel::CodeFor(Kind kind) const {
  switch (kind) {
    case kDisable: return 1;
    case kWep:
      if (encryptionIndex < 0 || encryptionIndex > 2) return 2;
      return 2 + 2 * encryptionIndex + (openSystem ? 1 : 0);
    case kWpa: return psk ? 8 : 9;
    case kWpa2: return psk ? 10 : 11;
    default: return -1;
  }
}

CApSecurityModel::Kind CApSecurityModel::KindOf(int code) {
  if (code == 1) return kDisable;
  if (code >= 2 && code <= 7) return kWep;
  if (code == 8 || code == 9) return kWpa;
  if (code == 10 || code == 11) return kWpa2;
  return kNone;
}

void CApSecurityModel::TakeWepCode(int code) {
  encryptionIndex = (code - 2) / 2;
  openSystem = code % 2 == 1;
}

CApSecurityModel::Group CApSecurityModel::GroupFor(Kind kind) const {
  if (kind == kWep) return kWepGroup;
  if (kind == kWpa || kind == kWpa2) return psk ? kPskGroup : kEapGroup;
  return kNoGroup;
}

int CApSecurityModel::KeyBoxLength() const {
  static const int hex[] = {10, 26, 32}, ascii[] = {5, 13, 16};
  const int size = encryptionIndex == 0 ? 0 : encryptionIndex == 1 ? 1 : 2;
  return keyTypeIndex == 0 ? hex[size] : ascii[size];
}

std::string CApSecurityModel::ShownKey(const std::string& storedHex) const {
  return keyTypeIndex == 0 ? storedHex : HexToBytes(storedHex);
}

void CApSecurityModel::ChangeDefaultKey(int index) {
  if (defaultKeyIndex >= 0 && defaultKeyIndex <= 3) keys[defaultKeyIndex] = keyText;
  defaultKeyIndex = index;
  if (index >= 0 && index <= 3) keyText = keys[index];
}

PageCheck CApSecurityModel::CheckWep() {
  if (encryptionIndex == -1) return PageCheckFailure{kEncryption, "Please select WEP encryption type"};
  if (defaultKeyIndex == -1) return PageCheckFailure{kDefaultKey, "Please select WEP default key"};
  static const char* const bits[] = {"64", "128", "152"};
  if (encryptionIndex >= 0 && encryptionIndex <= 2) {
    const int length = static_cast<int>(keyText.size());
    const std::string size = bits[encryptionIndex];
    if (keyTypeIndex == 0) {
      static const int hexLengths[] = {10, 26, 32};
      static const char* const texts[] = {"WEP 64bits HEX key's length must be 10 and 0-F",
                                          "WEP 128bits HEX key's length must be 26",
                                          "WEP 152bits HEX key's length must be 32"};
      if (length != hexLengths[encryptionIndex]) return PageCheckFailure{kKey, texts[encryptionIndex]};
    } else {
      static const int asciiLengths[] = {5, 13, 16};
      if (length != asciiLengths[encryptionIndex])
        return PageCheckFailure{kKey, "WEP " + size + "bits ASCII key's length must be " +
                                          std::to_string(asciiLengths[encryptionIndex]), false};
      keyText = BytesToHex(keyText);
    }
  }
  if (defaultKeyIndex >= 0 && defaultKeyIndex <= 3) keys[defaultKeyIndex] = keyText;
  return std::nullopt;
}

PageCheck CApSecurityModel::CheckPassPhrase() const {
  if (passPhrase != confirmedPassPhrase) return PageCheckFailure{kPassPhrase, "Two WPA Passphrase aren't the same"};
  if (passPhrase.size() > 64 || passPhrase.size() < 8)
    return PageCheckFailure{kPassPhrase, "WPA Passphrase length must be 8~64"};
  return std::nullopt;
}

PageCheck CApSecurityModel::CheckRadius() {
  const auto portOk = [](int port) { return port >= 0 && port <= 65535; };
  const auto secretOk = [](std::string& secret) {
    secret = TrimmedText(secret);
    return !secret.empty() && secret.size() <= 32;
  };
  if (radius1Ip.empty() || IsValidIpText(radius1Ip.c_str()) != 0)
    return PageCheckFailure{kRadius1Ip, "Radius server Ip invalid", false};
  if (!portOk(radius1Port)) return PageCheckFailure{kRadius1Port, "Radius server Port should between 0 and 65535"};
  if (!secretOk(radius1Secret)) return PageCheckFailure{kRadius1Secret, "Radius secret length is (1~32)"};
  if (!radius2Ip.empty() && IsValidIpText(radius2Ip.c_str()) == 0) {
    if (!portOk(radius2Port)) return PageCheckFailure{kRadius2Port, "Radius server Port should between 0 and 65535"};
    if (!secretOk(radius2Secret)) return PageCheckFailure{kRadius2Secret, "Radius secret length is (1~32)"};
    return std::nullopt;
  }
  if (Radius2Empty()) return std::nullopt;
  return PageCheckFailure{kRadius2Ip, "Radius server Ip invalid"};
}

std::string CApSecurityModel::BytesToHex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += digits[byte >> 4];
    hex += digits[byte & 0x0F];
  }
  return hex;
}

std::string CApSecurityModel::HexToBytes(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
  return bytes;
}
