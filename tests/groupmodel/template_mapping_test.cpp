// Templates through the pages and back: what a page shows of a stored template and what it stores again.
#include <gtest/gtest.h>

#include <functional>

#include "groupmodel/TemplatePageMapping.h"
#include "support/MessageRecorder.h"

namespace {

struct Pages {
  CWirelessPageModel wireless;
  CAdvancedPageModel advanced;
  CMacFilterPageModel macFilter;
  TemplatePages View() { return {wireless, advanced, macFilter}; }
};

// The record after filling fresh pages, opening them as the sheet does, leaving them and saving.
GroupTemplateRecord RoundTrip(const GroupTemplateRecord& stored, const std::function<void(Pages&)>& edit = {}) {
  Pages pages;
  pages.wireless.SetMacFilterPage(&pages.macFilter);
  PagesFromTemplate(stored, pages.View());
  pages.wireless.Open(11);
  pages.macFilter.Open();
  if (edit) edit(pages);
  EXPECT_FALSE(pages.wireless.Validate());
  EXPECT_FALSE(pages.advanced.Validate());
  EXPECT_FALSE(pages.macFilter.Validate());
  GroupTemplateRecord saved;
  TemplateFromPages(pages.View(), &saved);
  return saved;
}

TEST(TemplateMappingTest, StoredTemplatesComeBackUnchanged) {
  struct Case {
    const char* what;
    std::function<void(GroupTemplateRecord&)> set;
  };
  const Case cases[] = {
      {"WEP 152-bit open system", [](auto& t) {
         t.security_type = 7;
         t.wep_64_key_type = 0;
         t.wep_152_def_key_value = 1;
         t.wep_152_key2_value = std::string(32, 'A');
       }},
      {"SSID broadcast off", [](auto& t) { t.ssid_broadcast = 1; }},
      {"SSID broadcast on", [](auto& t) { t.ssid_broadcast = 0; }},
      {"auto channel scan", [](auto& t) { t.auto_select_channel = 1; }},
      {"fixed channel", [](auto& t) { t.channel = 9; }},
      {"dynamic turbo", [](auto& t) { t.super_g_mode = 2; t.channel = 6; }},
      {"WPA2 with PSK", [](auto& t) {
         t.security_type = 10;
         t.security_cipher_type = 1;
         t.wpa_pass_phrase = "passphrase";
         t.radius_server1_port = 0;
         t.radius_server2_port = 0;
       }},
      {"advanced settings", [](auto& t) {
         t.tx_rate = 12; t.transmit_power = 3; t.beacon_interval = 20; t.rts_threshold = 256;
         t.fragmentation_threshold = 1500; t.dtim_interval = 5; t.preamble_type = 0; t.cts_mode = 2;
         t.WLAN_Partition = "1";
       }},
      {"radio, WMM and B/G mode", [](auto& t) { t.wireless_radio = 0; t.wmm_function = 0; t.bg_mode = 2; }},
      {"MAC filter", [](auto& t) {
         t.mac_filter_type = 2;
         t.mac_control = {{"00:00:00:00:00:01", "", -1}, {"00:00:00:00:00:02", "", -1}};
       }},
      {"filter without addresses", [](auto& t) { t.mac_filter_type = 0; }},
      {"load balance off", [](auto& t) { t.loadbalance_group = 0; }},
  };
  testing_support::MessageBoxRecorder boxes;
  for (const Case& c : cases) {
    GroupTemplateRecord stored;
    c.set(stored);
    EXPECT_EQ(RoundTrip(stored), stored) << c.what;
  }
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(TemplateMappingTest, WhatThePagesStore) {
  testing_support::MessageBoxRecorder boxes;
  // Load balance on: SSID, security, the user limit and the MAC filter come with it.
  GroupTemplateRecord balanced;
  balanced.loadbalance_group = 1;
  balanced.ssid = "lab";
  balanced.UserNumberLimit = "30";
  balanced.security_type = 1;
  balanced.mac_filter_type = 0;
  EXPECT_EQ(RoundTrip(balanced), balanced);

  GroupTemplateRecord fresh;
  const GroupTemplateRecord balancing = RoundTrip(fresh, [](Pages& p) {
    p.wireless.ToggleLoadBalanceInclude();
    p.wireless.ssid = "net";
    p.macFilter.Open();
  });
  EXPECT_EQ(balancing.loadbalance_group, 1);
  EXPECT_EQ(balancing.ssid, "net");
  EXPECT_EQ(balancing.security_type, 1);
  EXPECT_EQ(balancing.UserNumberLimit, "60");
  EXPECT_EQ(balancing.mac_filter_type, 0);

  // EAP stores the RADIUS servers and no pass phrase.
  const GroupTemplateRecord eap = RoundTrip(fresh, [](Pages& p) {
    p.wireless.ToggleInclude(CWirelessPageModel::kSecurity);
    p.wireless.SelectSecurity(CWirelessPageModel::kWpa);
    p.wireless.SetPskMode(false);
    p.wireless.passphrase = "ignored!";
    p.wireless.radius1Ip = "10.0.0.5";
    p.wireless.radius1Port = 1812;
    p.wireless.radius1Secret = "secret";
  });
  EXPECT_EQ(eap.security_type, 9);
  EXPECT_EQ(eap.wpa_pass_phrase, "");
  EXPECT_EQ(eap.radius_server1_ip, "10.0.0.5");
  EXPECT_EQ(eap.radius_server1_port, 1812);

  // Dynamic turbo stores channel 6; auto scan stores auto_select_channel and no channel.
  const GroupTemplateRecord turbo = RoundTrip(fresh, [](Pages& p) {
    p.wireless.ToggleInclude(CWirelessPageModel::kSuperG);
    p.wireless.SelectSuperG(2);
  });
  EXPECT_EQ(turbo.channel, 6);
  EXPECT_EQ(turbo.auto_select_channel, -1);
  EXPECT_EQ(turbo.super_g_mode, 2);
  const GroupTemplateRecord scan = RoundTrip(fresh, [](Pages& p) { p.wireless.ToggleInclude(CWirelessPageModel::kChannel); });
  EXPECT_EQ(scan.auto_select_channel, 1);
  EXPECT_EQ(scan.channel, -1);

  // Nothing included: nothing stored, the filter left out.
  EXPECT_EQ(RoundTrip(fresh), fresh);
}

}  // namespace
