#pragma once
// One list of the main window's output bar: at most 500 lines, the oldest dropped first, each coloured by
// its level. The lock guards the whole append; the window shows what each append decided.
#include <deque>
#include <mutex>
#include <string>

#include "controlmodel/Rgb.h"
#include "platform/Sync.h"

// The colours of one list by level 1 (Critical), 2 (Warning) and 3 (Info); every other level is black.
struct LogLevelPalette {
  Rgb critical;
  Rgb warning;
  Rgb info;
  Rgb ColourOf(int level) const;
};

extern const LogLevelPalette kSystemLogPalette;
extern const LogLevelPalette kActionLogPalette;

class COutputLogModel {
 public:
  static constexpr std::size_t kMaxRows = 500;

  struct Row {
    std::string text;
    Rgb colour;
  };
  // What one append did, for the window to repeat on its list.
  struct Append {
    bool added = false;         // false for an empty text
    bool droppedFirst = false;  // row 0 was deleted to make room
    Row row;
  };

  explicit COutputLogModel(const LogLevelPalette& palette) : palette_(palette) {}

  Append AddLine(const std::string& text, int level);
  void Clear();

  std::size_t Count() const;
  Row RowAt(std::size_t index) const;

 private:
  const LogLevelPalette& palette_;
  mutable CCritSec lock_;
  std::deque<Row> rows_;
};
