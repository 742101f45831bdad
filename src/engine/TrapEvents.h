#pragma once
// The trap-event commands: empty the trap table, save it as an ".evt" text file, open such a file.
#include <functional>
#include <optional>
#include <string>

#include "db/DbAccessBase.h"

class CTrapEvents : public CDbAccessBase {
 public:
  // Asks the user for a file; nothing when cancelled. The windows supply it (engine/ui/TrapFileDialogs.h).
  using PathChooser = std::function<std::optional<std::string>()>;

  // False when the delete fails (the pool has logged why).
  bool ClearTrapEvents();
  // Writes the table in index order to the chosen file; an empty table says so and asks for no file.
  void SaveTrapEventsAs(const PathChooser& chooseFile);
  // Opens the chosen file in the desktop's text viewer.
  void OpenInNotepad(const PathChooser& chooseFile);

  // The file's text: its own path, an empty line, the header and one line per row (index padded to 10,
  // time to 20 characters; longer fields are kept whole).
  static std::string FormatEventFile(const std::string& path, const db::CRecordset& rows);
};
