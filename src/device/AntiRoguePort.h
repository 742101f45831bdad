#pragma once
// The live anti-rogue check of a switch port: does the switch block the device behind the port? The
// port's bit in the switch's anti-rogue mask must be set and the client seen on the port must carry the
// switch model's own OUI.
#include <string>

class CSwitch;

// 1 the port is an anti-rogue port and its client carries the switch's OUI (the device behind it is
// blocked); 0 otherwise, also for a port outside 1..33, which the mask has no bit for (33 takes the bit
// of port 1); -1 when a value could not be read (each failure goes once to the debug output and once to
// the system log at the Debug level).
int CheckAntiRoguePort(const CSwitch& device, int port);

// The switch's anti-rogue mask, its bytes as hexadecimal numbers separated by blanks: 1; -1 the GET
// failed or the value is not an OCTET STRING; -100 when stopping (nothing sent).
int ReadAntiRoguePortMask(const CSwitch& device, std::string& mask);
// The OUI of the client seen on the 1-based port, read under root: 1; -1; -100 as above.
int ReadPortClientOui(const CSwitch& device, int port, std::string& oui, const std::string& root);

// The bit of the 1-based port (1 to 33) in a mask text of up to four hexadecimal bytes: port 1 is the
// highest bit of the first byte, port 32 the lowest of the fourth. Bytes missing from the text count as 0.
bool IsAntiRoguePortBitSet(const std::string& mask, int port);
