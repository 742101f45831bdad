// The value texts other subsystems parse, the OID texts, and the conversion of texts into typed values.
#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstring>

#include "snmp/SnmpText.h"
#include "snmp/y_snmp.h"

namespace {

struct Binding {
  Binding() { std::memset(&var, 0, sizeof var); }
  ~Binding() { snmp_free_var_internals(&var); }
  netsnmp_variable_list var;
};

std::string Format(u_char type, const void* value, size_t length) {
  Binding b;
  EXPECT_EQ(snmp_set_var_typed_value(&b.var, type, value, length), 0);
  return snmptext::FormatValue(b.var);
}

TEST(SnmpValueText, EachSyntaxHasItsFixedForm) {
  const long negative = -42, big = 4294967295l;
  const unsigned char mac[] = {0x02, 0x44, 0x71, 0x00, 0xAB, 0x01, 0x20, 0x20};
  const unsigned char caps[] = {0x00, 0x08};
  const unsigned char address[] = {192, 168, 0, 254};
  const oid id[] = {1, 3, 6, 1, 4, 1, 44711, 1};
  const counter64 c64{1, 2};
  struct Case {
    u_char type;
    const void* value;
    size_t length;
    const char* text;
  } cases[] = {
      {ASN_INTEGER, &negative, sizeof negative, "-42"},
      {ASN_COUNTER, &big, sizeof big, "4294967295"},
      {ASN_GAUGE, &big, sizeof big, "4294967295"},
      {ASN_TIMETICKS, &big, sizeof big, "4294967295"},  // decimal, not days and hours
      {ASN_COUNTER64, &c64, sizeof c64, "4294967298"},
      {ASN_OCTET_STR, "Velmora-A\tAP", 12, "Velmora-A\tAP"},
      {ASN_OCTET_STR, "", 0, ""},
      {ASN_OCTET_STR, mac, sizeof mac, "02 44 71 00 AB 01 20 20 "},  // MAC: first 17 characters
      {ASN_OCTET_STR, caps, sizeof caps, "00 08 "},
      {ASN_OCTET_STR, "caf\xc3\xa9", 5, "63 61 66 C3 A9 "},  // bytes above 127 are not printable
      {ASN_IPADDRESS, address, sizeof address, "192.168.0.254"},
      {ASN_OBJECT_ID, id, sizeof id, "1.3.6.1.4.1.44711.1"},
      {ASN_NULL, nullptr, 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.type, c.value, c.length), c.text) << int(c.type);
}

TEST(SnmpOidText, OnlyNumericOidsParse) {
  EXPECT_EQ(snmptext::ParseOid("1.3.6.1.2.1.1.5.0"), (snmptext::ObjectId{1, 3, 6, 1, 2, 1, 1, 5, 0}));
  EXPECT_EQ(snmptext::ParseOid(".1.3.6"), (snmptext::ObjectId{1, 3, 6}));
  EXPECT_EQ(snmptext::ParseOid("2"), (snmptext::ObjectId{2}));
  EXPECT_EQ(snmptext::ParseOid("1.3.4294967295"), (snmptext::ObjectId{1, 3, 4294967295ul}));
  for (const char* bad : {"", ".", "1..3", "1.3.", "1.3.x", "sysName.0", " 1.3", "1.3.4294967296", "-1.3"})
    EXPECT_FALSE(snmptext::ParseOid(bad)) << '"' << bad << '"';
  std::string tooLong = "1";
  for (int i = 0; i < MAX_OID_LEN; ++i) tooLong += ".1";
  EXPECT_FALSE(snmptext::ParseOid(tooLong));
  EXPECT_EQ(snmptext::FormatOid(*snmptext::ParseOid(".1.0.8802.1.1.2")), "1.0.8802.1.1.2");
}

TEST(SnmpConvertValue, TextsBecomeValuesOfTheObjectsSyntax) {
  struct Case {
    int syntax;
    const char* text;
    int result;
  } cases[] = {
      {2, "-17", 1},         {2, "abc", 1},  // non-numeric text is 0
      {2, "2147483648", 0},  {2, "-2147483649", 0},
      {65, "4294967295", 1}, {66, "-1", 0}, {67, "4294967296", 0},
      {4, "any text", 1},    {4, "", 1},
      {6, ".1.3.6.1", 1},    {6, "1.3.x", 0},
      {6, "2.999.1", 1},     {6, "3.1", 0},      {6, "1.40", 0},      {6, "7", 0},  // BER cannot carry these
      {64, "10.0.0.1", 1},   {64, "abc", 0}, {64, "10.0.0", 0}, {64, "10.0.0.256", 0},
      {70, "1", 0},          {68, "1", 0},   {5, "", 0},  // Counter64, Opaque, NULL
  };
  for (const Case& c : cases) {
    SnmpBinding binding;
    binding.number = 99;
    EXPECT_EQ(CYSnmp::ConvertSnmpValue(c.syntax, binding, c.text), c.result) << c.syntax << " " << c.text;
    if (c.result) EXPECT_EQ(binding.syntax, c.syntax);
    else EXPECT_EQ(binding.syntax, 5) << "a failed conversion leaves the binding";
  }

  SnmpBinding binding;
  CYSnmp::ConvertSnmpValue(2, binding, "abc");
  EXPECT_EQ(binding.number, 0);
  CYSnmp::ConvertSnmpValue(64, binding, "10.1.2.3");
  EXPECT_EQ(binding.octets, (std::vector<unsigned char>{10, 1, 2, 3}));
}

TEST(SnmpConvertValue, OctetValuesKeepEveryByte) {
  const unsigned char bytes[] = {0x00, 0x11, 0x00};
  SnmpBinding binding;
  EXPECT_EQ(CYSnmp::SetOctetValue(4, binding, bytes, 3), 1);
  EXPECT_EQ(binding.octets, (std::vector<unsigned char>{0x00, 0x11, 0x00}));
  SnmpBinding other;
  EXPECT_EQ(CYSnmp::SetOctetValue(2, other, bytes, 3), 0);
  EXPECT_TRUE(other.octets.empty());
}

TEST(SnmpTextHelpers, StripQuotesAndSkipTwoChars) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"\"quoted\" rest", "quoted"}, {"plain \"x\"", "plain \"x\""}, {"\"\"", ""}, {"\"open", "open"}};
  for (const Case& c : cases) {
    char text[32];
    std::strcpy(text, c.in);
    CYSnmp::StripQuotes(text);
    EXPECT_STREQ(text, c.out);
  }

  char buffer[32] = "0x123456789012345678901234";
  EXPECT_STREQ(CYSnmp::SkipTwoChars(buffer), "12345678901234567");
  char shortText[20] = "x";
  EXPECT_STREQ(CYSnmp::SkipTwoChars(shortText), "");
}

}  // namespace
