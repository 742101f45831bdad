// The wire format: what the codec writes it reads back, it reads what Net-SNMP writes, and no datagram,
// however broken, gets past it half-read.
#include <gtest/gtest.h>

#include <random>

#include "PduCodec.h"

namespace devsim {
namespace {

Oid O(const std::string& text) { return *ParseOid(text); }

Pdu SampleResponse() {
  Pdu pdu;
  pdu.community = "private";
  pdu.command = SNMP_MSG_RESPONSE;
  pdu.requestId = 0x7fffffff;
  pdu.errorStatus = SNMP_ERR_NOSUCHNAME;
  pdu.errorIndex = 3;
  Value counter64;
  counter64.type = ASN_COUNTER64;
  counter64.counter64 = 0x123456789abcdefull;
  Value objid;
  objid.type = ASN_OBJECT_ID;
  objid.objid = O("1.3.6.1.4.1.44711.10.76.2");
  Value address;
  address.type = ASN_IPADDRESS;
  address.bytes = std::string("\x7f\0\0\x0a", 4);
  pdu.varbinds = {{O("1.3.6.1.2.1.1.5.0"), Value::OctetString(std::string("lab\0switch", 10))},
                  {O("1.3.6.1.2.1.2.1.0"), Value::Integer(-25)},
                  {O("1.3.6.1.4.1.1.4294967295"), Value::Integer(4294967295, ASN_COUNTER)},
                  {O("1.3.6.1.4.1.2"), Value::Integer(123456, ASN_TIMETICKS)},
                  {O("1.3.6.1.4.1.3"), Value::Integer(7, ASN_GAUGE)},
                  {O("1.3.6.1.4.1.4"), counter64},
                  {O("1.3.6.1.4.1.5"), objid},
                  {O("1.3.6.1.4.1.6"), address},
                  {O("1.3.6.1.4.1.7"), Value::OctetString(std::string(1000, 'x'))},
                  {O("1.3.6.1.4.1.8"), Value{}}};
  return pdu;
}

std::vector<u_char> Encoded(const Pdu& pdu) {
  std::vector<u_char> out(65535);
  out.resize(PduCodec::Encode(pdu, out.data(), out.size()));
  return out;
}

TEST(PduCodec, ReadsBackWhatItWrites) {
  const Pdu pdu = SampleResponse();
  const auto bytes = Encoded(pdu);
  ASSERT_FALSE(bytes.empty());
  const auto decoded = PduCodec::Decode(bytes.data(), bytes.size());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->version, 0);
  EXPECT_EQ(decoded->community, "private");
  EXPECT_EQ(decoded->command, SNMP_MSG_RESPONSE);
  EXPECT_EQ(decoded->requestId, pdu.requestId);
  EXPECT_EQ(decoded->errorStatus, pdu.errorStatus);
  EXPECT_EQ(decoded->errorIndex, pdu.errorIndex);
  ASSERT_EQ(decoded->varbinds.size(), pdu.varbinds.size());
  for (size_t i = 0; i < pdu.varbinds.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(decoded->varbinds[i].name, pdu.varbinds[i].name);
    EXPECT_EQ(decoded->varbinds[i].value, pdu.varbinds[i].value);
  }
  std::vector<u_char> small(bytes.size() - 1);
  EXPECT_EQ(PduCodec::Encode(pdu, small.data(), small.size()), 0u);
}

TEST(PduCodec, ReadsARequestAsNetSnmpEncodesIt) {
  // snmpget -v1 -c public ADDRESS 1.3.6.1.2.1.1.3.0, as captured on the wire.
  const std::string wire("\x30\x26\x02\x01\x00\x04\x06public\xa0\x19\x02\x01\x01\x02\x01\x00\x02\x01\x00"
                         "\x30\x0e\x30\x0c\x06\x08\x2b\x06\x01\x02\x01\x01\x03\x00\x05\x00", 40);
  const auto pdu = PduCodec::Decode(reinterpret_cast<const u_char*>(wire.data()), wire.size());
  ASSERT_TRUE(pdu);
  EXPECT_EQ(pdu->community, "public");
  EXPECT_EQ(pdu->command, SNMP_MSG_GET);
  EXPECT_EQ(pdu->requestId, 1);
  ASSERT_EQ(pdu->varbinds.size(), 1u);
  EXPECT_EQ(FormatOid(pdu->varbinds[0].name), "1.3.6.1.2.1.1.3.0");
  EXPECT_EQ(pdu->varbinds[0].value.type, ASN_NULL);
}

TEST(PduCodec, RefusesTruncatedAndDamagedDatagrams) {
  snmp_disable_log();
  Pdu request = SampleResponse();
  request.command = SNMP_MSG_SET;
  const auto bytes = Encoded(request);
  for (size_t length = 0; length < bytes.size(); ++length)
    EXPECT_FALSE(PduCodec::Decode(bytes.data(), length)) << "cut at " << length;

  // The version-1 Trap-PDU has a layout of its own; GetBulk does not exist here.
  for (const u_char command : {SNMP_MSG_TRAP, SNMP_MSG_GETBULK}) {
    Pdu other = request;
    other.command = command;
    const auto otherBytes = Encoded(other);
    EXPECT_FALSE(PduCodec::Decode(otherBytes.data(), otherBytes.size())) << int(command);
  }

  // Random damage must never crash or read outside the datagram (run under a sanitizer to see the latter).
  std::mt19937 random(1234);
  for (int round = 0; round < 20000; ++round) {
    auto damaged = bytes;
    for (int flips = 1 + random() % 4; flips > 0; --flips) damaged[random() % damaged.size()] = static_cast<u_char>(random());
    damaged.resize(1 + random() % damaged.size());
    PduCodec::Decode(damaged.data(), damaged.size());
  }
}

}  // namespace
}  // namespace devsim
