#include "engine/TrapDBManager.h"

#include <cstdlib>

#include "engine/TrapTime.h"

bool TrapDBManager::LoadTraps(std::list<TrapRecord>& out) {
  db::CRecordset recordset;
  OpenRecordset("select * from trap", recordset);
  if (IsRecordsetEmpty(recordset)) {
    CloseRecordset(recordset);
    return true;
  }
  for (recordset.MoveFirst(); !recordset.IsEOF(); recordset.MoveNext()) {
    TrapRecord record;
    // The text form copes with whatever the column holds (NULL, text): the leading number, else 0.
    record.index = static_cast<int>(std::strtol(recordset.GetText("index").c_str(), nullptr, 10));
    record.time = trap_time::Parse(recordset.GetText("trap_time"));
    const db::SqlValue& description = recordset.GetValue("trap_des");
    record.description = description.IsNull() ? std::string() : recordset.GetText("trap_des");
    out.push_back(std::move(record));
  }
  CloseRecordset(recordset);
  return true;
}
