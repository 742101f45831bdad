// MD5 and HMAC-MD5: the published vectors, the step-by-step context against the one-shot digest, and
// eight threads computing at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/HmacMd5.h"
#include "platform/MD5.h"

namespace {

std::string Hex(const std::uint8_t* bytes, size_t count) {
  std::string text;
  char pair[3];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    text += pair;
  }
  return text;
}

std::string Md5Of(const std::string& text) {
  CMD5 md5;
  md5.Update(text.size(), text.data());
  std::uint8_t digest[16];
  md5.Final(16, digest);
  return Hex(digest, 16);
}

std::string HmacOf(const std::string& message, const std::string& key) {
  std::uint8_t digest[16];
  HmacMd5(message.data(), message.size(), key.data(), key.size(), digest);
  return Hex(digest, 16);
}

std::string HmacByContext(const std::string& message, const std::string& key) {
  HmacContext context;
  HmacInit(context, key.size(), key.data());
  // Fed in uneven pieces, so partial blocks are buffered across calls.
  for (size_t at = 0; at < message.size(); at += 7) HmacUpdate(context, std::min<size_t>(7, message.size() - at), message.data() + at);
  std::uint8_t digest[16];
  HmacFinal(context, 16, digest);
  return Hex(digest, 16);
}

TEST(Md5, Rfc1321Vectors) {
  EXPECT_EQ(Md5Of(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Of("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Md5Of("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Md5Of("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Md5Of("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Md5Of("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, FinalRestartsAndCutsTheDigest) {
  CMD5 md5;
  md5.Update(3, "abc");
  std::uint8_t digest[16] = {};
  md5.Final(4, digest);
  EXPECT_EQ(Hex(digest, 16), "90015098000000000000000000000000");
  md5.Final(16, digest);  // nothing fed since: the digest of the empty message
  EXPECT_EQ(Hex(digest, 16), "d41d8cd98f00b204e9800998ecf8427e");
}

struct HmacVector {
  std::string key;
  std::string message;
  const char* digest;
};

TEST(HmacMd5, PublishedVectorsBothWays) {
  const HmacVector vectors[] = {
      {std::string(16, '\x0b'), "Hi There", "9294727a3638bb1c13f48ef8158bfc9d"},
      {"Jefe", "what do ya want for nothing?", "750c783e6ab0b503eaa86e310a5db738"},
      {std::string(16, '\xaa'), std::string(50, '\xdd'), "56be34521d144c88dbb8c733f0e8b3f6"},
      // Keys longer than a block are hashed first (RFC 2202 cases 6 and 7).
      {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
       "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"},
      {std::string(80, '\xaa'), "Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data",
       "6f630fad67cda0ee1fb1f562db3aa53e"},
      {"", "", "74e6f7298a9c2d168935f58c001bad88"},
  };
  for (const HmacVector& v : vectors) {
    EXPECT_EQ(HmacOf(v.message, v.key), v.digest) << v.message;
    EXPECT_EQ(HmacByContext(v.message, v.key), v.digest) << v.message;
  }
}

TEST(HmacMd5, ContextServesTheNextMessageWithTheSameKey) {
  HmacContext context;
  HmacInit(context, 4, "Jefe");
  std::uint8_t digest[16];
  for (int round = 0; round < 2; ++round) {
    HmacUpdate(context, 28, "what do ya want for nothing?");
    HmacFinal(context, 16, digest);
    EXPECT_EQ(Hex(digest, 16), "750c783e6ab0b503eaa86e310a5db738");
  }
  // Outer data goes in ahead of the inner digest: MD5(opad-block + extra + inner digest).
  HmacUpdateOuter(context, 3, "xyz");
  HmacUpdate(context, 28, "what do ya want for nothing?");
  HmacFinal(context, 16, digest);
  EXPECT_NE(Hex(digest, 16), "750c783e6ab0b503eaa86e310a5db738");
}

TEST(HmacMd5, SystemKeyDigestOfTheLabSwitch) {
  const std::uint8_t key[] = {0x02, 0x44, 0x71, 'l', 'a', 'b', 'k', 'e', 'y'};
  std::uint8_t digest[16];
  HmacMd5("024471000001", 12, key, sizeof key, digest);
  EXPECT_EQ(Hex(digest, 16), "e77e059e88d60fc190feeca13f26d527");

  const std::uint8_t mac[] = {0x02, 0x44, 0x71, 0x00, 0x00, 0x01};
  HmacMd5OfMac(mac, "labkey", digest);
  EXPECT_EQ(Hex(digest, 16), HmacOf("024471000001", "labkey"));
}

TEST(HmacMd5, DescriptorAndValue) {
  const DigestDescriptor& md5 = HmacSelectMd5();
  EXPECT_STREQ(md5.name, "md5");
  EXPECT_EQ(md5.digestSize, 16u);
  EXPECT_EQ(md5.blockSize, 64u);
  HmacSetValue(7);
  EXPECT_EQ(HmacGetValue(), 7);
}

// Every thread keeps its own state: no digest may come out mixed with another thread's.
TEST(HmacMd5, EightThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> wrong(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &wrong] {
      std::string key = "key-" + std::to_string(t) + std::string(t * 10, 'k');
      std::string message = "message " + std::to_string(t);
      std::string expected = HmacOf(message, key);
      for (int i = 0; i < 2000; ++i) {
        if (HmacOf(message, key) != expected || HmacByContext(message, key) != expected) ++wrong[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
}

}  // namespace
