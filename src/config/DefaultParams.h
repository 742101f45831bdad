#pragma once
// The console's default wireless settings for access points, as kept in the settings row: what a new AP
// receives when it is saved into the managed network. -1 in an integer field means not set.
#include <string>

struct CDefaultParams {
  int b_apply_defparam = 0;  // 1: apply to APs when new devices are saved
  std::string country_code;
  std::string trap_ip;  // the management host; empty when none is chosen
  std::string ssid;
  int auto_select_channel = -1;  // 1: the AP chooses its channel itself
  int security_type = -1;        // 1 off, 2..7 WEP, 8..11 WPA variants
  int crvAPWEP64KeyType = -1;    // one key type for every key size: 0 HEX, else ASCII
  int wep_64_def_key_value = -1;
  std::string wep_64_key1_value, wep_64_key2_value, wep_64_key3_value, wep_64_key4_value;
  int wep_128_def_key_value = -1;
  std::string wep_128_key1_value, wep_128_key2_value, wep_128_key3_value, wep_128_key4_value;
  int wep_152_def_key_value = -1;
  std::string wep_152_key1_value, wep_152_key2_value, wep_152_key3_value, wep_152_key4_value;
  int security_cipher_type = -1;  // as stored: 1 AES, 2 TKIP
  std::string wpa_pass_phrase;
  std::string radius_server1_ip;
  int radius_server1_port = -1;
  std::string radius_server1_secret;
  std::string radius_server2_ip;  // empty when there is no second server
  int radius_server2_port = -1;   // 0 when there is no second server
  std::string radius_server2_secret;

  bool operator==(const CDefaultParams&) const = default;
};

// The WEP key block of one key size: its default key index and four keys.
struct WepKeyBlock {
  int bits;
  int defaultKey;
  const std::string* keys[4];
};

// The block a WEP security type (2..7) uses; none for other types.
inline bool WepBlockOf(const CDefaultParams& params, int securityType, WepKeyBlock& block) {
  switch (securityType) {
    case 2: case 3:
      block = {64, params.wep_64_def_key_value, {&params.wep_64_key1_value, &params.wep_64_key2_value,
                                                 &params.wep_64_key3_value, &params.wep_64_key4_value}};
      return true;
    case 4: case 5:
      block = {128, params.wep_128_def_key_value, {&params.wep_128_key1_value, &params.wep_128_key2_value,
                                                   &params.wep_128_key3_value, &params.wep_128_key4_value}};
      return true;
    case 6: case 7:
      block = {152, params.wep_152_def_key_value, {&params.wep_152_key1_value, &params.wep_152_key2_value,
                                                   &params.wep_152_key3_value, &params.wep_152_key4_value}};
      return true;
    default:
      return false;
  }
}
