#pragma once
// The anti-rogue port masks of the managed switch models: one bit per port, most significant bit first,
// written as hexadecimal bytes separated by blanks ("80 01" for the 16-port model).
#include <string>
#include <vector>

// Nonzero when the bit of the 1-based port is set, 0 when not; -1 for a port below 1, a port beyond the
// model's port count or a model other than the 16- and 24-port switches. Bytes missing from the text
// count as 0 (no port blocked).
int IsPortInPortMask(const std::string& maskText, int port, const std::string& modelOid);

// Rewrites the mask as two-digit lower-case hexadecimal bytes separated by single blanks, as many as the
// model has; false, text unchanged, for any other model.
bool NormalizePortMask(std::string& maskText, const std::string& modelOid);

// The mask text of a port bitmap sent as bytes: two-digit upper-case hexadecimal bytes separated by single
// blanks ("20 20 20"), whatever the bytes are.
std::string FormatPortMaskOctets(const std::vector<unsigned char>& octets);
