#pragma once
// The rows of the password manager: every managed device with its kind as text and its stored password,
// which the list never shows.
#include <string>
#include <vector>

struct PasswordManagerRow {
  std::string name;
  std::string typeText;  // "Switch", "AP", or "Unkonwn" for a device without a type
  std::string ip;
  std::string mac;
  std::string password;
  bool operator==(const PasswordManagerRow&) const = default;
};

// The managed devices in table order, a NULL text read as empty. False, and rows untouched, when the
// table has no row.
bool LoadPasswordManagerRows(std::vector<PasswordManagerRow>& rows);
