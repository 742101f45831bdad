#include "controlmodel/ProgressModel.h"

#include <cstdio>

void CProgressModel::SetRange(int lower, int upper, int step) {
  lower_ = lower;
  upper_ = upper;
  step_ = step;
}

int CProgressModel::SetPos(int position) {
  const int previous = position_;
  position_ = position;
  const int percent = PercentOf(position, lower_, upper_);
  captionChanged_ = percent != lastPercent_;
  lastPercent_ = percent;
  return previous;
}

void CProgressModel::Clear() { SetPos(0); }

int CProgressModel::PercentOf(int position, int lower, int upper) {
  if (lower >= upper) return 0;
  return static_cast<int>((static_cast<double>(position) - lower) * 100.0 / (static_cast<double>(upper) - lower) + 0.5);
}

std::string CProgressModel::Caption(const std::string& title, int percent) {
  return title + " [" + std::to_string(percent) + "%]";
}

std::string CProgressModel::FormatMessageText(const char* format, va_list args) {
  if (!format) return {};
  char text[kMessageTextLimit + 1];
  std::vsnprintf(text, sizeof text, format, args);
  return text;
}

bool IsOnScreen(int x, int y, int screenWidth, int screenHeight) {
  return x >= 0 && x < screenWidth && y >= 0 && y < screenHeight;
}
