#pragma once
// MD5 (RFC 1321) from libcrypto, one context per object so that every computation keeps its own state.
#include <cstddef>
#include <cstdint>

struct evp_md_ctx_st;

class CMD5 {
 public:
  static constexpr int kDigestSize = 16;
  static constexpr int kBlockSize = 64;

  CMD5();
  ~CMD5();
  CMD5(const CMD5& other);
  CMD5& operator=(const CMD5& other);

  void Init();
  void Update(size_t length, const void* data);
  // Writes the first length bytes (at most 16) of the digest and starts the context again.
  void Final(size_t length, std::uint8_t* digest);

 private:
  evp_md_ctx_st* context_;
};
