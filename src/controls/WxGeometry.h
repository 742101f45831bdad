#pragma once
// Conversions between the headless controls' rectangles and colours and wxWidgets' own.
#include <wx/colour.h>
#include <wx/gdicmn.h>

#include "controlmodel/ControlRect.h"
#include "controlmodel/Rgb.h"

inline wxRect ToWxRect(const ControlRect& r) { return wxRect(r.left, r.top, r.Width(), r.Height()); }
inline ControlRect ToControlRect(const wxRect& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }
inline wxColour ToWxColour(Rgb c) { return wxColour(c.red, c.green, c.blue); }
inline Rgb ToRgb(const wxColour& c) { return {c.Red(), c.Green(), c.Blue()}; }
