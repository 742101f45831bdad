#pragma once
// The caption strip's gradient: one colour per column from the left colour towards the right one, each
// channel growing by (right - left) / width per column and cut to a byte.
#include "controlmodel/Rgb.h"

Rgb CaptionGradientColumn(Rgb left, Rgb right, int width, int column);
