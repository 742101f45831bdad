#pragma once
// The database file on disk: created on first start from the schema and seed scripts built into the
// program, opened as it is when it exists, refused when it is not a database of this program, is damaged,
// or cannot be written (the file or its folder). Temporary files of a creation that was killed are
// removed first.
#include <string>

namespace db {

// True when the file at path is ready to open. On false, error holds the message for the user.
bool PrepareDatabaseFile(const std::string& path, std::string& error);

}  // namespace db
