#pragma once
// The switch's system key check. The switch publishes its key text and an HMAC-MD5 digest of it; the
// console recomputes the digest from the key text, the switch's MAC and its model's OUI, and compares.
//   key:     the three OUI bytes of the model's support_product row, then the key text
//   message: the MAC as 12 lower-case hexadecimal digits
//   digest:  32 upper-case hexadecimal digits, compared case-sensitively
// Every call keeps its own state, so polling threads may check switches at the same time.
#include <string>

class CSwitch;

// True when the switch's digest matches; false otherwise, also when a value cannot be read or the model
// has no OUI. Does not look at the discovery stop flag.
bool VerifySystemKey(const CSwitch& device);

// GETs rootOid + ".24.4.0" from the switch into keyText: 1, or 0 when the GET fails.
int ReadSystemKeyText(const CSwitch& device, const std::string& rootOid, std::string& keyText);

// The digest text the switch should publish for the OUI text ("02 44 71"), key text and colon MAC; none
// when the OUI text is not three hexadecimal numbers.
bool ComputeSystemKeyDigest(const std::string& ouiText, const std::string& keyText, const std::string& mac,
                            std::string& digestText);
