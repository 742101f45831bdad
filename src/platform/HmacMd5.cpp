#include "platform/HmacMd5.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <atomic>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint8_t kOuterPad = 0x5C;
constexpr std::uint8_t kInnerPad = 0x36;

std::atomic<int> g_hmacValue{0};

}  // namespace

const DigestDescriptor& HmacSelectMd5() {
  static const DigestDescriptor md5{"md5",          sizeof(CMD5),  CMD5::kDigestSize, CMD5::kBlockSize,
                                    &CMD5::Init, &CMD5::Update, &CMD5::Final};
  return md5;
}

void HmacInit(HmacContext& context, size_t keyLength, const void* key) {
  const DigestDescriptor& hash = HmacSelectMd5();
  (context.outer.*hash.init)();
  (context.inner.*hash.init)();

  // A key longer than a block is replaced by its digest.
  std::uint8_t hashedKey[CMD5::kDigestSize];
  if (keyLength > hash.blockSize) {
    (context.work.*hash.init)();
    (context.work.*hash.update)(keyLength, key);
    (context.work.*hash.final)(hash.digestSize, hashedKey);
    key = hashedKey;
    keyLength = hash.digestSize;
  }

  std::uint8_t pad[CMD5::kBlockSize];
  const auto* keyBytes = static_cast<const std::uint8_t*>(key);
  std::memset(pad, kOuterPad, sizeof pad);
  for (size_t i = 0; i < keyLength; ++i) pad[i] ^= keyBytes[i];
  (context.outer.*hash.update)(hash.blockSize, pad);
  std::memset(pad, kInnerPad, sizeof pad);
  for (size_t i = 0; i < keyLength; ++i) pad[i] ^= keyBytes[i];
  (context.inner.*hash.update)(hash.blockSize, pad);
  context.work = context.inner;
}

void HmacUpdate(HmacContext& context, size_t length, const void* data) {
  (context.work.*HmacSelectMd5().update)(length, data);
}

void HmacUpdateOuter(HmacContext& context, size_t length, const void* data) {
  (context.outer.*HmacSelectMd5().update)(length, data);
}

void HmacFinal(HmacContext& context, size_t digestLength, std::uint8_t* digest) {
  const DigestDescriptor& hash = HmacSelectMd5();
  std::uint8_t innerDigest[CMD5::kDigestSize];
  (context.work.*hash.final)(hash.digestSize, innerDigest);
  context.work = context.outer;
  (context.work.*hash.update)(hash.digestSize, innerDigest);
  (context.work.*hash.final)(digestLength, digest);
  context.work = context.inner;
}

void HmacMd5(const void* message, size_t messageLength, const void* key, size_t keyLength,
             std::uint8_t* digest) {
  static const std::uint8_t kNoBytes = 0;
  unsigned int length = CMD5::kDigestSize;
  HMAC(EVP_md5(), keyLength ? key : &kNoBytes, static_cast<int>(keyLength),
       static_cast<const unsigned char*>(messageLength ? message : &kNoBytes), messageLength, digest, &length);
}

void HmacMd5OfMac(const std::uint8_t* mac, const char* keyText, std::uint8_t* digest) {
  char message[13];
  std::snprintf(message, sizeof message, "%02x%02x%02x%02x%02x%02x", mac[0], mac[1], mac[2], mac[3], mac[4],
                mac[5]);
  HmacMd5(message, 12, keyText, std::strlen(keyText), digest);
}

int HmacGetValue() { return g_hmacValue.load(); }
void HmacSetValue(int value) { g_hmacValue.store(value); }
