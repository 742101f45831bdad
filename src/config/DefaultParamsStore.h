#pragma once
// Reads and writes the default AP parameters in the settings row (global_setting) and logs what changed.
// The default-parameters page, the zero-config push and the save of new devices each use one of their own.
#include "config/DefaultParams.h"

class CDefaultParamsStore {
 public:
  // Fills params from the first settings row; fields whose column is NULL, and all fields when there is no
  // row, keep their values. b_apply_defparam changes only for the texts "0" and "1".
  void GetDefaultParams(CDefaultParams& params);
  // Writes params into the settings row in one transaction, the key type from the page's key type index
  // (0 HEX, 1 ASCII, -1 none selected), then writes an action-log line per change. Without a settings row
  // nothing is written; a database error rolls back and logs nothing. False then.
  bool SaveDefaultParams(const CDefaultParams& params, int keyTypeIndex);
};
