#pragma once
// Checks and normalisers for the IPv4 and MAC address texts that users type and devices report.
#include <optional>
#include <string>
#include <vector>

// 0 valid; -1 length outside 7..15; -2 a part with no digit or more than three; -3 a part above 255 or a
// character other than a digit or '.'; -4 not exactly four parts. Leading zeros are accepted.
int IsValidIpText(const char* text);

// 0 when the text is exactly 12 hexadecimal digits, else -1.
int IsValidMacText(const std::string& text);

// Trims white space from both ends of the caller's text, then true when it has 17 characters with ':'
// or '-' at every third position (they may be mixed) and hexadecimal digits elsewhere.
bool IsValidMacText17(std::string& text);

// Checks the first 17 characters for the spaced MAC form "00 11 22 33 44 55" and ends the text after
// them (whatever the value printer appended is dropped): 1; -1 bufferLength below 18 or text shorter
// than 17 characters; -2 a wrong separator; -3 a wrong digit. The text is unchanged on failure.
int NormalizeMacSpacing(char* text, int bufferLength);

// The colon form "02:44:71:0A:00:01" (upper-case hex) of a MAC address sent as bytes; none unless there
// are exactly six bytes (a longer chassis id, such as a network address, is no MAC).
std::optional<std::string> FormatMacOctets(const std::vector<unsigned char>& octets);
// False for a colon-form MAC that names no single device: all zeros, or the broadcast address.
bool IsDeviceMac(const std::string& mac);

// Writes ':' at positions 2, 5, 8, 11 and 14, turning the spaced form into the colon form. The text must
// hold at least 15 characters (callers pass a text NormalizeMacSpacing accepted).
char* FormatMacColons(char* text);

// "255.0.0.0", "255.255.0.0" or "255.255.255.0" for an address of class 1, 2 or 3 (CIPv4Address::GetClass)
// and true; false with mask unchanged for any other address, or a text that does not begin with a number.
bool GetClassfulNetmask(const std::string& ipText, std::string& mask);
