#pragma once
// How program-account passwords are kept: "pbkdf2-sha256$<iterations>$<salt>$<hash>", a random 16-byte
// salt and the 32-byte PBKDF2-HMAC-SHA256 of the UTF-8 password, both as lower-case hexadecimal text.
// The typed password itself is never stored and cannot be read back.
#include <string>

namespace db {

inline constexpr int kPasswordIterations = 100000;

// The stored form of a typed password, with a fresh salt.
std::string ToStoredPassword(const std::string& password, int iterations = kPasswordIterations);
// Whether the typed password is the one stored. The comparison takes the same time wherever the hashes
// differ. An empty or NULL column counts as the empty password; any other text that is not in the stored
// form matches nothing.
bool StoredPasswordMatches(const std::string& stored, const std::string& password);

}  // namespace db
