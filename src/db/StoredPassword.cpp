#include "db/StoredPassword.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace db {
namespace {

constexpr char kScheme[] = "pbkdf2-sha256";
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kHashBytes = 32;
constexpr int kMaxIterations = 10'000'000;  // a stored count beyond this is not ours; never spin on it

std::string ToHex(const unsigned char* bytes, std::size_t count) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text.push_back(digits[bytes[i] >> 4]);
    text.push_back(digits[bytes[i] & 0x0F]);
  }
  return text;
}

bool FromHex(const std::string& text, std::vector<unsigned char>& bytes) {
  if (text.size() % 2 != 0) return false;
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
    if (error != std::errc() || end != text.data() + i + 2) return false;
    bytes.push_back(static_cast<unsigned char>(value));
  }
  return true;
}

std::array<unsigned char, kHashBytes> Derive(const std::string& password, const std::vector<unsigned char>& salt,
                                             int iterations) {
  std::array<unsigned char, kHashBytes> hash{};
  if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt.data(), static_cast<int>(salt.size()),
                        iterations, EVP_sha256(), static_cast<int>(hash.size()), hash.data()) != 1)
    throw std::runtime_error("PBKDF2 failed");
  return hash;
}

}  // namespace

std::string ToStoredPassword(const std::string& password, int iterations) {
  std::vector<unsigned char> salt(kSaltBytes);
  if (RAND_bytes(salt.data(), static_cast<int>(salt.size())) != 1) throw std::runtime_error("no random bytes");
  const auto hash = Derive(password, salt, iterations);
  return std::string(kScheme) + "$" + std::to_string(iterations) + "$" + ToHex(salt.data(), salt.size()) + "$" +
         ToHex(hash.data(), hash.size());
}

bool StoredPasswordMatches(const std::string& stored, const std::string& password) {
  if (stored.empty()) return password.empty();
  // scheme$iterations$salt$hash
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t dollar; (dollar = stored.find('$', start)) != std::string::npos; start = dollar + 1)
    parts.push_back(stored.substr(start, dollar - start));
  parts.push_back(stored.substr(start));
  if (parts.size() != 4 || parts[0] != kScheme) return false;
  int iterations = 0;
  const auto [end, error] = std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), iterations);
  std::vector<unsigned char> salt, expected;
  if (error != std::errc() || end != parts[1].data() + parts[1].size() || iterations < 1 ||
      iterations > kMaxIterations || !FromHex(parts[2], salt) || !FromHex(parts[3], expected) ||
      expected.size() != kHashBytes)
    return false;
  const auto actual = Derive(password, salt, iterations);
  return CRYPTO_memcmp(actual.data(), expected.data(), kHashBytes) == 0;
}

}  // namespace db
