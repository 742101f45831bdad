#include <gtest/gtest.h>

#include <functional>

#include "config/DefaultParamsStore.h"
#include "log/LogDBModule.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

class DefaultParamsStoreTest : public ::testing::Test {
 protected:
  CDefaultParams Stored() {
    CDefaultParams params;
    store_.GetDefaultParams(params);
    return params;
  }

  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  CDefaultParamsStore store_;
};

TEST_F(DefaultParamsStoreTest, TheSeedRowReadsAsTheConstructionValuesAndItsCountry) {
  CDefaultParams seed;
  seed.country_code = "840";  // the settings row's country, shared with the polling settings
  EXPECT_EQ(Stored(), seed);
  ASSERT_TRUE(database_.Exec("UPDATE global_setting SET b_apply_defparam='yes', security_type='7'"));
  const CDefaultParams read = Stored();
  EXPECT_EQ(read.b_apply_defparam, 0) << "only 0 and 1 are read";
  EXPECT_EQ(read.security_type, 7);
  ASSERT_TRUE(database_.Exec("UPDATE global_setting SET security_type='WEP'"));
  EXPECT_EQ(Stored().security_type, -1) << "a text is no stored number";
}

TEST_F(DefaultParamsStoreTest, SavedValuesReadBackAndTheKeyTypeComesFromThePage) {
  CDefaultParams params;
  params.b_apply_defparam = 1;
  params.country_code = "276";
  params.trap_ip = "127.0.0.1";
  params.ssid = "it's ours";
  params.security_type = 5;
  params.crvAPWEP64KeyType = 1;
  params.wep_128_def_key_value = 2;
  params.wep_128_key3_value = "00112233445566778899AABBCC";
  params.radius_server2_secret = "s2";
  params.radius_server2_port = 0;
  ASSERT_TRUE(store_.SaveDefaultParams(params, 0));
  CDefaultParams expected = params;
  expected.crvAPWEP64KeyType = 0;
  EXPECT_EQ(Stored(), expected);
  EXPECT_EQ(database_.Value("SELECT b_apply_defparam FROM global_setting"), "1");
}

TEST_F(DefaultParamsStoreTest, ChangeLinesFollowTheSecurityTypeWithSecretsMasked) {
  struct Case {
    const char* what;
    std::function<void(CDefaultParams&)> before;
    std::function<void(CDefaultParams&)> after;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"nothing changed", [](CDefaultParams&) {}, [](CDefaultParams&) {}, {}},
      {"only a WEP key while the type stays",
       [](CDefaultParams& p) { p.security_type = 2; },
       [](CDefaultParams& p) { p.wep_64_key1_value = "0011223344"; },
       {}},
      {"host, SSID and auto channel",
       [](CDefaultParams&) {},
       [](CDefaultParams& p) {
         p.trap_ip = "10.0.0.1";
         p.ssid = "lab";
         p.auto_select_channel = 0;
       },
       {"modify global default trap host to 10.0.0.1", "modify global default SSID to lab",
        "modify global default Auto select channel to false"}},
      {"WEP to WPA2 with a pass phrase",
       [](CDefaultParams& p) { p.security_type = 2; },
       [](CDefaultParams& p) {
         p.security_type = 10;
         p.wpa_pass_phrase = "secret phrase";
       },
       {"modify global default security type to wpa2-psk", "modify global default passphrase to ********"}},
      {"WPA-EAP with a new second server",
       [](CDefaultParams& p) {
         p.radius_server1_ip = "10.0.0.9";
         p.radius_server1_port = 1812;
       },
       [](CDefaultParams& p) {
         p.security_type = 9;
         p.radius_server2_ip = "10.0.0.8";
         p.radius_server2_port = 1645;
         p.radius_server2_secret = "shh";
       },
       {"modify global default security type to wpa-eap", "modify global default RADIUS IP2 to 10.0.0.8",
        "modify global default RADIUS port2 to 1645", "modify global default RADIUS secret2 to ********"}},
      {"a WEP type with new keys",
       [](CDefaultParams& p) { p.security_type = 1; },
       [](CDefaultParams& p) {
         p.security_type = 6;
         p.wep_152_key2_value = "00112233445566778899AABBCCDDEEFF";
       },
       {"modify global default security type to wep-152bits-share", "modify global default WEP key to ********"}},
      {"types without a word", [](CDefaultParams& p) { p.security_type = 1; },
       [](CDefaultParams& p) {
         p.security_type = 12;
         p.wpa_pass_phrase = "x";
       },
       {}},
  };
  for (const Case& c : cases) {
    CDefaultParams params;
    c.before(params);
    ASSERT_TRUE(store_.SaveDefaultParams(params, params.crvAPWEP64KeyType));
    ASSERT_TRUE(database_.Exec("DELETE FROM system_log"));
    c.after(params);
    ASSERT_TRUE(store_.SaveDefaultParams(params, params.crvAPWEP64KeyType)) << c.what;
    EXPECT_EQ(database_.ActionLog(), c.lines) << c.what;
    EXPECT_EQ(Stored(), params) << c.what;
    ASSERT_TRUE(database_.Exec("DELETE FROM system_log"));
  }
}

TEST_F(DefaultParamsStoreTest, AFailedOrImpossibleSaveWritesAndLogsNothing) {
  const CDefaultParams before = Stored();
  CDefaultParams params;
  params.ssid = "new";
  ASSERT_TRUE(database_.BreakWrites("global_setting", "UPDATE"));
  EXPECT_FALSE(store_.SaveDefaultParams(params, -1));
  EXPECT_EQ(Stored(), before);
  ASSERT_TRUE(database_.Exec("DROP TRIGGER break_global_setting_UPDATE"));
  ASSERT_TRUE(database_.Exec("DELETE FROM global_setting"));
  EXPECT_FALSE(store_.SaveDefaultParams(params, -1));
  EXPECT_EQ(Stored(), CDefaultParams());
  EXPECT_TRUE(database_.ActionLog().empty());
}

}  // namespace
