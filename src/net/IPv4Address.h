#pragma once
// A dotted IPv4 address as its four parts, most significant first. The device model's link-local test
// and the segment scan of the polling engine walk and compare addresses with it.
#include <string>

class CIPv4Address {
 public:
  CIPv4Address() = default;
  // Reads "%d.%d.%d.%d"; parts that do not parse keep their values, so callers pass valid texts.
  explicit CIPv4Address(const char* text) { Parse(text); }
  explicit CIPv4Address(const std::string& text) { Parse(text.c_str()); }

  void Parse(const char* text);
  void Clear() { a = b = c = d = 0; }

  // Strict comparison part by part from the first.
  bool IsLess(const CIPv4Address& other) const;
  bool Equals(const CIPv4Address& other) const;

  // Adds one with carry from the last part towards the first; returns the new value.
  CIPv4Address Increment();

  // 1 for a first part 0..127, 2 for 128..191, 3 for 192..223, 4 for 224..239, 5 for 240..247, else 0.
  int GetClass() const;

  // Writes "%d.%d.%d.%d" and returns 0; -1 without writing when the buffer is missing or under 15 bytes.
  int Format(char* buffer, int length) const;
  std::string ToString() const;

  // The class (1..3) when the host part is all zero for the address's class, else 0.
  int IsClassfulNetwork() const;
  // The class (1..3) when the host part is all 255 for its class, else 0. With a buffer of 15 bytes or
  // more, the first host of that network is written into it.
  int IsClassfulBroadcast(char* firstHost = nullptr, int length = 0) const;

  int a = 0;
  int b = 0;
  int c = 0;
  int d = 0;
};
