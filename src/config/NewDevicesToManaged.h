#pragma once
// Saving every new device into the managed list, then pushing the default AP parameters to each AP that
// moved. The pushes run once the move is committed, so no database lock is held while an AP is slow.
#include "config/DefaultParamsPush.h"

// The result of the move (false when nothing was moved or it failed; then nothing is pushed).
bool SaveAllNewDevicesToManaged(CDefaultParamsPush& push);
