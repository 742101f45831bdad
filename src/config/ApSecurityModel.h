#pragma once
// The security settings of an AP as a configuration page edits them: WEP with four keys of one key size,
// WPA or WPA2 with a pass phrase or two RADIUS servers. Shared by the AP's Wireless page and the default
// parameters page (and open to the group template pages): which control group shows, the key box's
// length, the security type code the choices make, and the checks with their texts.
#include <array>
#include <string>

#include "config/ApSheetContext.h"

class CApSecurityModel {
 public:
  // The security choice, whatever position a page's combo lists it at.
  enum Kind { kNone = 0, kDisable = 1, kWep = 2, kWpa = 3, kWpa2 = 4 };
  // The control group a choice shows; one at a time, all in the same place.
  enum Group { kNoGroup, kWepGroup, kPskGroup, kEapGroup };
  enum Control {
    kSecurity = 1153, kOpenSystem = 1160, kSharedKey = 1166, kEncryption = 1176, kKeyType = 1183,
    kDefaultKey = 1170, kKey = 1173, kTkip = 11050, kAes = 11051, kPsk = 11052, kEap = 11053,
    kPassPhrase = 11056, kConfirmedPassPhrase = 11058, kRadius1Ip = 11062, kRadius1Port = 11063,
    kRadius1Secret = 11065, kRadius2Ip = 11068, kRadius2Port = 11069, kRadius2Secret = 11071,
  };

  bool openSystem = true;     // WEP authentication: open system, else shared key
  int encryptionIndex = -1;   // 0 64, 1 128, 2 152 bits
  int keyTypeIndex = -1;      // 0 HEX, 1 ASCII
  int defaultKeyIndex = 0;    // 0..3 = Key1..Key4
  std::string keyText;        // the key in the key box
  std::array<std::string, 4> keys;  // the four keys of the block, as hexadecimal text
  bool tkip = true;           // WPA cipher: TKIP, else AES
  bool psk = true;            // WPA authentication: pre-shared key, else RADIUS
  std::string passPhrase, confirmedPassPhrase;
  std::string radius1Ip, radius1Secret, radius2Ip, radius2Secret;
  int radius1Port = 0, radius2Port = 0;

  // The type code of a choice (-1 for none): WEP by key size and authentication, WPA by PSK or EAP.
  int CodeFor(Kind kind) const;
  static Kind KindOf(int code);
  // Takes a WEP code's key size and authentication.
  void TakeWepCode(int code);
  Group GroupFor(Kind kind) const;
  // The most characters the key box takes: 10, 26, 32 hex digits or 5, 13, 16 characters.
  int KeyBoxLength() const;
  // The key box shows a stored key: as characters when the key type is ASCII.
  std::string ShownKey(const std::string& storedHex) const;
  // Another key size or key type empties the key box.
  void ChangeKeyFormat() { keyText.clear(); }
  // Another default key: the key box's text goes back under the old number, the new number's key shows.
  void ChangeDefaultKey(int index);

  // The WEP checks; an ASCII key that passes becomes its hexadecimal form and is kept under its number.
  PageCheck CheckWep();
  PageCheck CheckPassPhrase() const;
  // Server 1 must be complete; server 2 either complete or entirely empty.
  PageCheck CheckRadius();
  bool Radius2Empty() const { return radius2Ip.empty() && radius2Port == 0 && radius2Secret.empty(); }

  static std::string BytesToHex(const std::string& bytes);
  static std::string HexToBytes(const std::string& hex);
};
