#pragma once
// Keyed MD5 digests (HMAC, RFC 2104). The one-shot HmacMd5 is libcrypto's; the context functions build
// the same construction step by step over CMD5 contexts for callers that feed data in pieces. Nothing
// here keeps state between calls except the contexts the caller owns, so any number of threads may
// compute digests at once.
#include <cstddef>
#include <cstdint>

#include "platform/MD5.h"

// What the HMAC construction needs to know of its hash.
struct DigestDescriptor {
  const char* name;
  size_t contextSize;
  size_t digestSize;
  size_t blockSize;
  void (CMD5::*init)();
  void (CMD5::*update)(size_t, const void*);
  void (CMD5::*final)(size_t, std::uint8_t*);
};

// The MD5 descriptor; a constant, shared by every caller.
const DigestDescriptor& HmacSelectMd5();

// Outer, inner and work context, in this order.
struct HmacContext {
  CMD5 outer;
  CMD5 inner;
  CMD5 work;
};

void HmacInit(HmacContext& context, size_t keyLength, const void* key);
void HmacUpdate(HmacContext& context, size_t length, const void* data);
// Feeds data to the outer context, ahead of the inner digest that HmacFinal appends.
void HmacUpdateOuter(HmacContext& context, size_t length, const void* data);
// Writes the first digestLength bytes of the digest; the context then serves the next message with the
// same key.
void HmacFinal(HmacContext& context, size_t digestLength, std::uint8_t* digest);

// Note the order: message first, key second. digest receives 16 bytes.
void HmacMd5(const void* message, size_t messageLength, const void* key, size_t keyLength,
             std::uint8_t* digest);
// Message: the six bytes as 12 lower-case hexadecimal digits; key: the text without its terminator.
void HmacMd5OfMac(const std::uint8_t* mac, const char* keyText, std::uint8_t* digest);

// A process-wide number kept for callers of the digest module; nothing in the digests reads it.
int HmacGetValue();
void HmacSetValue(int value);
