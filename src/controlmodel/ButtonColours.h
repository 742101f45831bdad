#pragma once
// The six state colours of an owner-drawn button (background and text when hovered or pressed, when out,
// and when focused), with the result codes its settings answer.
#include <array>

#include "controlmodel/Rgb.h"

enum BtnResult {
  BTNST_OK = 0,
  BTNST_INVALIDRESOURCE = 1,
  BTNST_FAILEDMASK = 2,
  BTNST_INVALIDINDEX = 3,
  BTNST_INVALIDALIGN = 4,
  BTNST_BADPARAM = 5,
  BTNST_INVALIDPRESSEDSTYLE = 6,
};

enum BtnColour { BTNST_COLOR_BK_IN = 0, BTNST_COLOR_FG_IN, BTNST_COLOR_BK_OUT, BTNST_COLOR_FG_OUT,
                 BTNST_COLOR_BK_FOCUS, BTNST_COLOR_FG_FOCUS, BTNST_MAX_COLORS };

class CButtonColours {
 public:
  CButtonColours(Rgb face, Rgb text) { Reset(face, text); }

  // Backgrounds to the face colour, texts to the text colour.
  void Reset(Rgb face, Rgb text);
  BtnResult Set(int index, Rgb colour);
  BtnResult Get(int index, Rgb& colour) const;
  // Adds the shade to each channel alike, first shrinking it so that no channel leaves 0 to 255.
  BtnResult Shade(int index, int shade);
  Rgb At(int index) const { return colours_[index]; }

 private:
  std::array<Rgb, BTNST_MAX_COLORS> colours_{};
};

// The derived images of a button: a grey copy by luminance and a darker copy at 75 %.
Rgb GreyPixel(Rgb colour);
Rgb DarkerPixel(Rgb colour, double factor = 0.25);
