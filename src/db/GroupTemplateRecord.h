#pragma once
// One group's configuration template: a row of user_def_group_main_template, field i from column i, and
// the template's MAC-filter entries. An integer of -1 or an empty text means the setting is not part of
// the template; both are stored and read back as they are.
#include <vector>
#include <span>
#include <string>
#include <variant>

#include "db/MacControlEntry.h"

class GroupTemplateRecord {
 public:
  // A template setting as its column and field: columns 1 to 48 of the template row, in table order.
  struct Setting {
    const char* column;
    std::variant<int GroupTemplateRecord::*, std::string GroupTemplateRecord::*> field;
  };
  static std::span<const Setting> Settings();

  bool operator==(const GroupTemplateRecord&) const = default;

  int group_template_index = -1;
  int wireless_radio = -1;
  std::string ssid;
  int channel = -1;
  int auto_select_channel = -1;
  int bg_mode = -1;
  int super_g_mode = -1;
  int wmm_function = -1;
  int ssid_broadcast = -1;
  int security_type = -1;
  int wep_64_key_type = -1;
  int wep_64_def_key_value = -1;
  std::string wep_64_key1_value;
  std::string wep_64_key2_value;
  std::string wep_64_key3_value;
  std::string wep_64_key4_value;
  int wep_128_key_type = -1;
  int wep_128_def_key_value = -1;
  std::string wep_128_key1_value;
  std::string wep_128_key2_value;
  std::string wep_128_key3_value;
  std::string wep_128_key4_value;
  int wep_152_key_type = -1;
  int wep_152_def_key_value = -1;
  std::string wep_152_key1_value;
  std::string wep_152_key2_value;
  std::string wep_152_key3_value;
  std::string wep_152_key4_value;
  int security_cipher_type = -1;
  std::string wpa_pass_phrase;
  std::string radius_server1_ip;
  int radius_server1_port = -1;
  std::string radius_server1_secret;
  std::string radius_server2_ip;
  int radius_server2_port = -1;
  std::string radius_server2_secret;
  int tx_rate = -1;
  int transmit_power = -1;
  int beacon_interval = -1;
  int rts_threshold = -1;
  int fragmentation_threshold = -1;
  int dtim_interval = -1;
  int preamble_type = -1;
  int cts_mode = -1;
  int mac_filter_type = -1;
  int loadbalance_group = -1;
  std::string management_host;
  std::string UserNumberLimit;
  std::string WLAN_Partition;
  std::vector<MacControlEntry> mac_control;
};
