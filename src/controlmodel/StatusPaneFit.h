#pragma once
// Where a progress bar sits in a status-bar pane: after the pane's message and four blanks, taking the
// given share of what is left, and a tenth of the pane's height in from its top and bottom.
#include "controlmodel/ControlRect.h"

// messageWidth is 0 without a message; blankWidth is the width of one blank in the status bar's font.
ControlRect FitBarToPane(ControlRect pane, int messageWidth, int blankWidth, int sharePercent);
