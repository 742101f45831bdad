#pragma once
// Values shared by the report list's model and its window: row state bits, check modes, column formats,
// colours and the three notifications the list sends its parent.
#include <cstdint>

namespace listmodel {

// A colour as 0x00BBGGRR; kNoColor answers a colour query for a cell that does not exist.
using ColorRef = std::uint32_t;
constexpr ColorRef MakeRgb(unsigned red, unsigned green, unsigned blue) {
  return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr unsigned RedOf(ColorRef color) { return color & 0xFF; }
constexpr unsigned GreenOf(ColorRef color) { return (color >> 8) & 0xFF; }
constexpr unsigned BlueOf(ColorRef color) { return (color >> 16) & 0xFF; }
constexpr ColorRef kNoColor = 0xFFFFFFFF;
// Passed as a colour to the colour setters: "the system's default colour, read now".
constexpr ColorRef kDefaultColor = 0xFFFFFFFF;

// Row state bits. A row always has one bit of each pair.
constexpr unsigned ROW_ANY = 0x01;
constexpr unsigned ROW_SELECTED = 0x02;
constexpr unsigned ROW_UNSELECTED = 0x04;
constexpr unsigned ROW_CHECKED = 0x08;
constexpr unsigned ROW_UNCHECKED = 0x10;
constexpr unsigned ROW_FOCUSED = 0x20;
constexpr unsigned ROW_UNFOCUSED = 0x40;

// What a click on a row's check box does.
constexpr int CHECK_MODE_NONE = 0;
constexpr int CHECK_MODE_NORMAL = 1;
constexpr int CHECK_MODE_SINGLE = 2;
constexpr int CHECK_MODE_READONLY = 3;

// Kinds for InvertRowStates.
constexpr int INVERT_SELECTION = 0;
constexpr int INVERT_CHECKS = 1;

enum class ColumnFormat { Left = 0, Center = 1, Right = 2 };

// Notifications to the parent window: the id, what wParam and lParam carry.
constexpr std::uint32_t WM_REPORT_CHECKBOX_CLICKED = 0xA710;  // row, the mouse message
constexpr std::uint32_t WM_REPORT_SORTED = 0xA711;            // sort column, 1 for ascending
constexpr std::uint32_t WM_REPORT_EDIT_COMMITTED = 0xA712;    // row, column

// Mouse messages a check-box click carries as its cause.
constexpr std::uint32_t WM_LBUTTONDOWN = 0x201;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x204;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x207;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x209;

// Flags for the date form of SetItemText: both off gives date and time.
constexpr unsigned DATE_VALUE_ONLY = 0x1;
constexpr unsigned TIME_VALUE_ONLY = 0x2;

}  // namespace listmodel
