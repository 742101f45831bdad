#pragma once
// Reads the trap table into memory.
#include <list>

#include "db/DbAccessBase.h"
#include "engine/TrapRecord.h"

class TrapDBManager : public CDbAccessBase {
 public:
  // Appends one record per row, in the order the table gives them; a NULL description becomes "".
  // True also when the table is empty or cannot be read (then nothing is appended).
  bool LoadTraps(std::list<TrapRecord>& out);
};
