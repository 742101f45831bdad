#pragma once
// Why a page may not be left: the control to focus and the text to show (no caption, exclamation icon).
#include <string>

struct PageFailure {
  int control = 0;
  std::string message;

  bool operator==(const PageFailure&) const = default;
};
