#include "platform/MD5.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstring>
#include <new>

CMD5::CMD5() : context_(EVP_MD_CTX_new()) {
  if (!context_) throw std::bad_alloc();
  Init();
}

CMD5::~CMD5() { EVP_MD_CTX_free(context_); }

CMD5::CMD5(const CMD5& other) : context_(EVP_MD_CTX_new()) {
  if (!context_) throw std::bad_alloc();
  EVP_MD_CTX_copy_ex(context_, other.context_);
}

CMD5& CMD5::operator=(const CMD5& other) {
  if (this != &other) EVP_MD_CTX_copy_ex(context_, other.context_);
  return *this;
}

void CMD5::Init() { EVP_DigestInit_ex(context_, EVP_md5(), nullptr); }

void CMD5::Update(size_t length, const void* data) {
  if (length) EVP_DigestUpdate(context_, data, length);
}

void CMD5::Final(size_t length, std::uint8_t* digest) {
  unsigned char full[kDigestSize];
  EVP_DigestFinal_ex(context_, full, nullptr);
  std::memcpy(digest, full, std::min<size_t>(length, kDigestSize));
  Init();
}
