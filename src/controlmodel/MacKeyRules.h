#pragma once
// The rules of the key edit box: its mode is the most characters it takes, and every length but 5, 13 and
// 16 (the text keys) takes hexadecimal digits only. With the conversions between key bytes and hex text.
#include <string>

enum class KeyVerdict { kAccept, kRefuse, kRefuseNotHex };

class CMacKeyRules {
 public:
  static constexpr int kDefaultMode = 2;

  void SetMode(int mode) { mode_ = mode; }
  int Mode() const { return mode_; }
  bool TakesAnyCharacter() const { return mode_ == 5 || mode_ == 13 || mode_ == 16; }
  // The limit looks at the whole text, not at what a typed character would replace.
  KeyVerdict Judge(int textLength, int character) const;

  // Two upper-case hex digits per byte, no separators.
  static std::string BytesToHex(const std::string& bytes);
  // Blanks removed, then a byte per pair of characters; an odd last digit is dropped, a pair that does not
  // start with a hex digit gives 0.
  static std::string HexToBytes(const std::string& text);

 private:
  int mode_ = kDefaultMode;
};
