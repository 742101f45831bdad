#pragma once
// The snmprec data-file format: one object per line, "OID|TAG|VALUE". TAG is the BER tag in decimal
// (2 INTEGER, 4 OCTET STRING, 5 NULL, 6 OBJECT IDENTIFIER, 64 IpAddress, 65 Counter32, 66 Gauge32,
// 67 TimeTicks, 68 Opaque, 70 Counter64); a trailing "x" means VALUE is hex ("4x|024471000001").
// Blank lines and lines starting with "#" are skipped. Lines may come in any order: objects are served in
// OID order.
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Oid.h"
#include "Value.h"

namespace devsim {

using ObjectMap = std::map<Oid, Value>;

class SnmprecError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Snmprec {
 public:
  // One line; throws SnmprecError naming what is wrong.
  static std::pair<Oid, Value> ParseLine(std::string_view line);
  // TAG and VALUE alone (the part after the OID).
  static Value ParseValue(std::string_view tag, std::string_view text);
  // A whole file; the first line it cannot read throws, the error naming the file and line.
  static ObjectMap ParseFile(const std::string& path);
  // A whole file, skipping each line it cannot read: warnings receives "FILE:LINE: problem" for each. A
  // file that cannot be opened still throws.
  static ObjectMap ParseFile(const std::string& path, std::vector<std::string>& warnings);
  // The line that ParseLine reads back to the same object (octet strings with a non-printable byte in hex).
  static std::string FormatLine(const Oid& name, const Value& value);

 private:
  // badLine receives "FILE:LINE: problem" for each line that cannot be read; it may throw.
  static ObjectMap ReadFile(const std::string& path, const std::function<void(const std::string& problem)>& badLine);
};

}  // namespace devsim
