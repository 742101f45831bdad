#pragma once
// Object identifiers as ordered vectors: std::vector's lexicographic order is the SNMP order.
#include "NetSnmp.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace devsim {

using Oid = std::vector<oid>;

// Dotted text, with or without a leading ".". Empty or malformed text gives nothing.
std::optional<Oid> ParseOid(std::string_view text);
// Dotted text without a leading ".".
std::string FormatOid(const Oid& value);
bool OidStartsWith(const Oid& value, const Oid& prefix);

}  // namespace devsim
