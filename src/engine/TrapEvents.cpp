#include "engine/TrapEvents.h"

#include <fstream>

#include "engine/TrapTime.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"

namespace {

std::string PadRight(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

bool CTrapEvents::ClearTrapEvents() { return ExecuteCommand("DELETE FROM trap"); }

std::string CTrapEvents::FormatEventFile(const std::string& path, const db::CRecordset& rows) {
  const int index = rows.FindField("index");
  const int time = rows.FindField("trap_time");
  const int description = rows.FindField("trap_des");
  std::string text = path + "\r\n\r\n";
  text += "Index     Date And Time       Description\r\n";
  for (const db::CRecordset::Row& row : rows.Rows()) {
    text += PadRight(db::ValueToText(row.at(index)), 10);
    text += PadRight(trap_time::Display(trap_time::Parse(db::ValueToText(row.at(time)))), 20);
    text += db::ValueToText(row.at(description));  // NULL as ""
    text += "\r\n";
  }
  return text;
}

void CTrapEvents::SaveTrapEventsAs(const PathChooser& chooseFile) {
  db::CRecordset recordset;
  OpenRecordset("SELECT * FROM trap ORDER BY \"index\"", recordset);
  if (IsRecordsetEmpty(recordset)) {
    CloseRecordset(recordset);
    platform::MessageBox("There are no events in current system", {}, platform::MB_OK);
    return;
  }
  const std::optional<std::string> path = chooseFile();
  if (!path) {
    CloseRecordset(recordset);
    return;
  }
  const std::string text = FormatEventFile(*path, recordset);
  CloseRecordset(recordset);
  std::ofstream file(*path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) {
    platform::MessageBox("Cannot write the events file " + *path, {}, platform::MB_OK);
    return;
  }
  platform::MessageBox("Save as events success", {}, platform::MB_OK);
}

void CTrapEvents::OpenInNotepad(const PathChooser& chooseFile) {
  const std::optional<std::string> path = chooseFile();
  if (path && !platform::OpenWithDefaultApplication(*path))
    platform::MessageBox("Cannot open the file " + *path, {}, platform::MB_OK);
}
