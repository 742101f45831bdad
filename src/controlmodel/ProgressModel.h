#pragma once
// What a progress window shows: its range, position and step, and the percentage in its caption, which is
// rewritten only when the percentage changes.
#include <cstdarg>
#include <string>

class CProgressModel {
 public:
  void SetRange(int lower, int upper, int step);
  void SetStep(int step) { step_ = step; }
  // Returns the previous position; CaptionChanged() tells whether the caption must be rewritten.
  int SetPos(int position);
  int OffsetPos(int amount) { return SetPos(position_ + amount); }
  int StepIt() { return SetPos(position_ + step_); }
  void Clear();

  int Position() const { return position_; }
  int Lower() const { return lower_; }
  int Upper() const { return upper_; }
  int Step() const { return step_; }
  int Percent() const { return lastPercent_; }
  bool CaptionChanged() const { return captionChanged_; }

  // Rounded half up; 0 for an empty or reversed range.
  static int PercentOf(int position, int lower, int upper);
  // "Title [42%]".
  static std::string Caption(const std::string& title, int percent);
  // The message text from a printf format, cut to what the window's 512-byte text holds.
  static std::string FormatMessageText(const char* format, va_list args);

  static constexpr size_t kMessageTextLimit = 511;

 private:
  int position_ = 0;
  int lastPercent_ = 0;
  int step_ = 1;
  int upper_ = 100;
  int lower_ = 0;
  bool captionChanged_ = false;
};

// Whether a remembered top-left corner lies on the screen, so the window may go back there.
bool IsOnScreen(int x, int y, int screenWidth, int screenHeight);
