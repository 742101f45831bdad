#pragma once
// The text of a rich tool tip, read from the small part of RTF that tips use ("{\b 'Cts mode' previous
// value is Auto}"): paragraphs with an alignment, each a list of runs with bold, italic, underline and
// strike-out. A text that is not RTF, or from which RTF reading gets no characters, is plain text.
#include <string>
#include <string_view>
#include <vector>

namespace listmodel {

enum class TipAlignment { Left, Center, Right };

struct TipRun {
  std::string text;  // UTF-8
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool operator==(const TipRun&) const = default;
};

struct TipParagraph {
  TipAlignment alignment = TipAlignment::Left;
  std::vector<TipRun> runs;
  bool operator==(const TipParagraph&) const = default;
};

class RichTipText {
 public:
  static RichTipText Load(std::string_view text);

  const std::vector<TipParagraph>& Paragraphs() const { return m_paragraphs; }
  bool IsRtf() const { return m_rtf; }
  // Every run's text, paragraphs separated by "\n".
  std::string PlainText() const;

 private:
  static bool ReadRtf(std::string_view text, RichTipText& result);
  static RichTipText ReadPlain(std::string_view text);

  std::vector<TipParagraph> m_paragraphs;
  bool m_rtf = false;
};

// A text that shows literally inside an RTF tip: "\", "{" and "}" escaped, "{\par}" before every line
// break (a CR-LF or LF-CR pair is one break and both characters follow the marker).
std::string EscapeForRtf(std::string_view text);
// Right-aligned or centred paragraphs ("\qr", "\qc") need a little more width than their text.
bool HasAlignedParagraphs(std::string_view text);

}  // namespace listmodel
