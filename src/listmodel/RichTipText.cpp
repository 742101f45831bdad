#include "listmodel/RichTipText.h"

#include <cctype>
#include <cstdlib>

namespace listmodel {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void AppendUtf8(std::string& out, unsigned codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

struct CharacterFormat {
  bool bold = false, italic = false, underline = false, strike = false;
  bool skip = false;  // inside a destination that holds no text (font table, colours, "\*" groups)
};

// Builds paragraphs from characters in the current format.
class TipBuilder {
 public:
  TipBuilder() : m_paragraphs(1) {}
  void Add(std::string_view text, const CharacterFormat& format) {
    if (text.empty()) return;
    m_characters += text.size();
    std::vector<TipRun>& runs = m_paragraphs.back().runs;
    const TipRun style{{}, format.bold, format.italic, format.underline, format.strike};
    if (runs.empty() || !SameStyle(runs.back(), style)) runs.push_back(style);
    runs.back().text += text;
  }
  void NewParagraph() {
    ++m_characters;
    m_paragraphs.push_back(TipParagraph{m_paragraphs.back().alignment, {}});
  }
  void Align(TipAlignment alignment) { m_paragraphs.back().alignment = alignment; }
  size_t Characters() const { return m_characters; }
  std::vector<TipParagraph> Take() { return std::move(m_paragraphs); }

 private:
  static bool SameStyle(const TipRun& a, const TipRun& b) {
    return a.bold == b.bold && a.italic == b.italic && a.underline == b.underline && a.strike == b.strike;
  }
  std::vector<TipParagraph> m_paragraphs;
  size_t m_characters = 0;
};

bool IsSkippedDestination(std::string_view word) {
  for (std::string_view skipped : {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer"})
    if (word == skipped) return true;
  return false;
}

}  // namespace

RichTipText RichTipText::Load(std::string_view text) {
  RichTipText result;
  if (ReadRtf(text, result)) return result;
  return ReadPlain(text);
}

RichTipText RichTipText::ReadPlain(std::string_view text) {
  TipBuilder builder;
  CharacterFormat plain;
  size_t start = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n') continue;
    builder.Add(text.substr(start, at - start), plain);
    builder.NewParagraph();
    if (at + 1 < text.size() && (text[at + 1] == '\r' || text[at + 1] == '\n') && text[at + 1] != text[at]) ++at;
    start = at + 1;
  }
  builder.Add(text.substr(start), plain);
  RichTipText result;
  result.m_paragraphs = builder.Take();
  return result;
}

bool RichTipText::ReadRtf(std::string_view text, RichTipText& result) {
  size_t at = text.find_first_not_of(" \t\r\n");
  if (at == std::string_view::npos || text[at] != '{') return false;
  TipBuilder builder;
  std::vector<CharacterFormat> groups;
  CharacterFormat format;
  bool groupStart = false;
  while (at < text.size()) {
    const char c = text[at];
    if (c == '{') {
      groups.push_back(format);
      groupStart = true;
      ++at;
      continue;
    }
    if (c == '}') {
      if (groups.empty()) break;  // the outermost group is closed: what follows is not part of the text
      format = groups.back();
      groups.pop_back();
      ++at;
      if (groups.empty()) break;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++at;
      continue;
    }
    if (c != '\\') {
      const size_t end = std::min(text.find_first_of("{}\\\r\n", at), text.size());
      if (!format.skip) builder.Add(text.substr(at, end - at), format);
      at = end;
      groupStart = false;
      continue;
    }
    // A control symbol or a control word.
    if (++at >= text.size()) break;
    const char symbol = text[at];
    if (!IsLetter(symbol)) {
      ++at;
      if (symbol == '\\' || symbol == '{' || symbol == '}') {
        if (!format.skip) builder.Add(std::string_view(&text[at - 1], 1), format);
      } else if (symbol == '~') {
        std::string space;
        AppendUtf8(space, 0xA0);
        if (!format.skip) builder.Add(space, format);
      } else if (symbol == '\'' && at + 2 <= text.size()) {
        const std::string hex(text.substr(at, 2));
        at += 2;
        std::string character;
        AppendUtf8(character, static_cast<unsigned>(std::strtoul(hex.c_str(), nullptr, 16)));
        if (!format.skip) builder.Add(character, format);
      } else if (symbol == '*') {
        format.skip = true;
      } else if (symbol == '\r' || symbol == '\n') {
        if (!format.skip) builder.NewParagraph();
      }
      groupStart = false;
      continue;
    }
    const size_t wordStart = at;
    while (at < text.size() && IsLetter(text[at])) ++at;
    const std::string_view word = text.substr(wordStart, at - wordStart);
    const size_t numberStart = at;
    if (at < text.size() && text[at] == '-') ++at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
    const bool hasNumber = at > numberStart;
    const long number = hasNumber ? std::strtol(std::string(text.substr(numberStart, at - numberStart)).c_str(), nullptr, 10) : 1;
    if (at < text.size() && text[at] == ' ') ++at;  // the delimiter belongs to the word
    const bool on = !hasNumber || number != 0;

    if (groupStart && IsSkippedDestination(word)) format.skip = true;
    else if (word == "b") format.bold = on;
    else if (word == "i") format.italic = on;
    else if (word == "ul") format.underline = on;
    else if (word == "ulnone") format.underline = false;
    else if (word == "strike") format.strike = on;
    else if (word == "plain") format = CharacterFormat{false, false, false, false, format.skip};
    else if (format.skip) { /* nothing inside skipped destinations */ }
    else if (word == "par" || word == "line") builder.NewParagraph();
    else if (word == "tab") builder.Add("\t", format);
    else if (word == "ql" || word == "qj" || word == "pard") builder.Align(TipAlignment::Left);
    else if (word == "qc") builder.Align(TipAlignment::Center);
    else if (word == "qr") builder.Align(TipAlignment::Right);
    else if (word == "u") {
      std::string character;
      AppendUtf8(character, static_cast<unsigned>(number < 0 ? number + 65536 : number) & 0xFFFF);
      builder.Add(character, format);
      if (at < text.size() && text[at] == '?') ++at;  // the stand-in for readers without Unicode
    }
    groupStart = false;
  }
  if (builder.Characters() == 0) return false;
  result.m_paragraphs = builder.Take();
  result.m_rtf = true;
  return true;
}

std::string RichTipText::PlainText() const {
  std::string text;
  for (size_t index = 0; index < m_paragraphs.size(); ++index) {
    if (index) text += '\n';
    for (const TipRun& run : m_paragraphs[index].runs) text += run.text;
  }
  return text;
}

std::string EscapeForRtf(std::string_view text) {
  std::string escaped;
  for (size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '\\' || c == '{' || c == '}') {
      escaped += '\\';
      escaped += c;
    } else if (c == '\r' || c == '\n') {
      escaped += "{\\par}";
      escaped += c;
      if (at + 1 < text.size() && (text[at + 1] == '\r' || text[at + 1] == '\n') && text[at + 1] != c)
        escaped += text[++at];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

bool HasAlignedParagraphs(std::string_view text) {
  return text.find("\\qr") != std::string_view::npos || text.find("\\qc") != std::string_view::npos;
}

}  // namespace listmodel
