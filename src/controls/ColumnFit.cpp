#include "controls/ColumnFit.h"

#include <algorithm>

namespace {

constexpr std::size_t kMeasured = 16;
// Room around a cell's text, and around a heading's text and the sort mark beside it.
constexpr int kCellMargin = 16;
constexpr int kHeadingMargin = 32;

int TextWidth(const wxWindow& list, const std::string& text) {
  return list.GetTextExtent(wxString::FromUTF8(text)).x;
}

}  // namespace

int ColumnWidthForTexts(const wxWindow& list, const std::string& heading, std::vector<std::string> texts,
                        int imageWidth) {
  const auto longer = [](const std::string& a, const std::string& b) { return a.size() > b.size(); };
  if (texts.size() > kMeasured) {
    std::nth_element(texts.begin(), texts.begin() + kMeasured, texts.end(), longer);
    texts.resize(kMeasured);
  }
  int cells = 0;
  for (const std::string& text : texts) cells = std::max(cells, TextWidth(list, text));
  return std::max(TextWidth(list, heading) + kHeadingMargin, cells + imageWidth + kCellMargin);
}
