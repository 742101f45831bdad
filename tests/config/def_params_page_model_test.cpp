// The default parameters page without its window: loading the stored defaults, the checks, and what a
// save stores, including the keys of a WEP block when another default key is chosen.
#include <gtest/gtest.h>

#include "config/DefParamsPageModel.h"
#include "config/DefaultParamsStore.h"
#include "support/TempDatabase.h"

namespace {

class DefParamsPageModelTest : public ::testing::Test {
 protected:
  CDefaultParams Stored() {
    CDefaultParams params;
    CDefaultParamsStore().GetDefaultParams(params);
    return params;
  }
  CDefParamsPageModel Loaded() {
    CDefParamsPageModel page;
    page.LoadDefaults();
    return page;
  }
  testing_support::TempDatabase database_;
};

TEST_F(DefParamsPageModelTest, AnAsciiKeyIsStoredAsHexAndShownAsTextAgain) {
  CDefParamsPageModel page = Loaded();
  page.securityIndex = CApSecurityModel::kWep;
  page.security.openSystem = true;
  page.ChooseEncryption(1);
  page.ChooseKeyType(1);
  page.security.defaultKeyIndex = 0;
  page.security.keyText = "0123456789abc";
  ASSERT_FALSE(page.Check());
  ASSERT_TRUE(page.Save());
  const CDefaultParams stored = Stored();
  EXPECT_EQ(stored.security_type, 5);
  EXPECT_EQ(stored.wep_128_key1_value, "30313233343536373839616263");
  EXPECT_EQ(stored.crvAPWEP64KeyType, 1);

  CDefParamsPageModel again = Loaded();
  EXPECT_EQ(again.securityIndex, CApSecurityModel::kWep);
  EXPECT_EQ(again.security.keyText, "0123456789abc");
}

TEST_F(DefParamsPageModelTest, AnotherDefaultKeyKeepsEachKeyUnderItsOwnNumber) {
  CDefaultParams params;
  params.security_type = 2;
  params.crvAPWEP64KeyType = 0;
  params.wep_64_def_key_value = 0;
  params.wep_64_key1_value = "1111111111";
  params.wep_64_key2_value = "2222222222";
  ASSERT_TRUE(CDefaultParamsStore().SaveDefaultParams(params, 0));
  CDefParamsPageModel page = Loaded();
  page.security.keyText = "AAAAAAAAAA";  // typed over key 1
  page.ChooseDefaultKey(1);
  EXPECT_EQ(page.security.keyText, "2222222222") << "the chosen key shows";
  ASSERT_FALSE(page.Check());
  ASSERT_TRUE(page.Save());
  const CDefaultParams stored = Stored();
  EXPECT_EQ(stored.wep_64_def_key_value, 1);
  EXPECT_EQ(stored.wep_64_key1_value, "AAAAAAAAAA");
  EXPECT_EQ(stored.wep_64_key2_value, "2222222222") << "not overwritten by the key shown before";
}

TEST_F(DefParamsPageModelTest, ChecksAndWhatTheyStore) {
  struct Case {
    const char* what;
    int securityIndex;
    std::function<void(CDefParamsPageModel&)> change;
    const char* text;  // "" passes
  };
  const Case cases[] = {
      {"host with spaces is trimmed", 0, [](auto& p) { p.managementHost = " 10.0.0.9 "; }, ""},
      {"bad host", 0, [](auto& p) { p.managementHost = "10.0.0"; }, "Management host IP address is invalid"},
      {"128-bit HEX key of 25", CApSecurityModel::kWep,
       [](auto& p) {
         p.security.encryptionIndex = 1;
         p.security.keyTypeIndex = 0;
         p.security.keyText = std::string(25, 'A');
       },
       "WEP 128bits HEX key's length must be 26"},
      {"WPA2 PSK of 7", CApSecurityModel::kWpa2,
       [](auto& p) { p.security.passPhrase = p.security.confirmedPassPhrase = "1234567"; },
       "WPA Passphrase length must be 8~64"},
      {"EAP without a second server", CApSecurityModel::kWpa,
       [](auto& p) {
         p.security.psk = false;
         p.security.radius1Ip = "10.0.0.5";
         p.security.radius1Secret = "s";
       },
       ""},
      {"EAP secret of spaces", CApSecurityModel::kWpa,
       [](auto& p) {
         p.security.psk = false;
         p.security.radius1Ip = "10.0.0.5";
         p.security.radius1Secret = "   ";
       },
       "Radius secret length is (1~32)"},
  };
  for (const Case& c : cases) {
    CDefParamsPageModel page = Loaded();
    page.securityIndex = c.securityIndex;
    c.change(page);
    const PageCheck failure = page.Check();
    EXPECT_EQ(failure ? failure->text : "", c.text) << c.what;
  }
  CDefParamsPageModel trimmed = Loaded();
  trimmed.managementHost = " 10.0.0.9 ";
  trimmed.securityIndex = 0;
  ASSERT_FALSE(trimmed.Check());
  ASSERT_TRUE(trimmed.Save());
  EXPECT_EQ(Stored().trap_ip, "10.0.0.9");
  EXPECT_EQ(Stored().security_type, -1) << "the empty first item stores no security";
  EXPECT_EQ(Stored().auto_select_channel, 0);
}

}  // namespace
