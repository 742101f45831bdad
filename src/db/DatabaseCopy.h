#pragma once
// A whole database written to another file through SQLite's online backup: the copy is one consistent
// state of the source even while other connections write to it. The copy is built in a temporary file
// beside the target and moved into place only when it is complete, so the target is never half written.
#include <string>

struct sqlite3;

namespace db {

enum class CopyPlacement {
  NewOnly,  // the copy fails (EEXIST) when the target exists; the target is left as it is
  Replace,  // the complete copy replaces the target in one rename
};

// True when target now holds the copy. On false, errorNumber holds the system's error number (errno) or,
// for a failure of the engine, its result code; target is as it was and no temporary file is left.
bool CopyDatabase(sqlite3* source, const std::string& target, CopyPlacement placement, int& errorNumber);

// The same from the database file at sourcePath, which is opened for reading only.
bool CopyDatabaseFile(const std::string& sourcePath, const std::string& target, CopyPlacement placement,
                      int& errorNumber);

}  // namespace db
