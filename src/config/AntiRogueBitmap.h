#pragma once
// A switch's anti-rogue port control: one bit per port, port 1 in the highest bit of the first byte, at
// most 160 ports. Stored in switch_property as text: each byte as two upper-case hexadecimal digits and
// a space ("FF 00 0F "); read back with the spaces dropped and digits of either case, digit k covering
// ports 4k+1 to 4k+4.
#include <array>
#include <string>
#include <vector>

class CAntiRogueBitmap {
 public:
  static constexpr int kMaxPorts = 160;

  // The ports the page offers and lists: the largest multiple of 8 not above the port count (0 for -1).
  static int OfferedPorts(int portCount);
  // The bytes an Apply sends: one per started group of 8 ports.
  static int ByteCount(int portCount);
  // The stored text of bytes.
  static std::string FormatText(const std::vector<unsigned char>& bytes);

  enum class LoadResult { kLoaded, kUnusable, kBadCharacter };
  // Starts from all ports clear and takes every port up to the port count that the stored text covers.
  // kUnusable: the text is too short for the offered ports, or the port count is not a multiple of 4;
  // nothing is loaded. kBadCharacter: a character that is no hexadecimal digit; the ports before it
  // are loaded. shownPorts receives the number of offered ports whose state was loaded.
  LoadResult Load(const std::string& storedText, int portCount, int& shownPorts);

  bool IsSet(int port) const;
  // Sets or clears ports from to to (1-based, inclusive); the other ports keep their bits.
  void SetRange(int from, int to, bool enable, int portCount);
  std::vector<unsigned char> Bytes(int portCount) const;

 private:
  void Set(int port, bool enable);
  std::array<unsigned char, kMaxPorts / 8> bits_{};
};
