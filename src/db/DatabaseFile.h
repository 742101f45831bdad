#pragma once
// The database file on disk: created on first start from the schema and seed scripts built into the
// program, opened as it is when it exists, refused when it is not a database of this program, is damaged,
// or cannot be written (the file or its folder). Temporary files of a creation that was killed are
// removed first.
#include <string>
#include <string_view>

namespace db {

// True when the file at path is ready to open. On false, error holds the message for the user.
bool PrepareDatabaseFile(const std::string& path, std::string& error);

// True when the file at path is an undamaged database of this program. It is only read: companion files
// the check made are removed again. On false, error says why.
bool IsProgramDatabase(const std::string& path, std::string& error);

// Files a creation or a copy builds in before it moves them into place: this prefix and six characters of
// mkstemp, beside the target. One that no running process holds is removed at the next start.
inline constexpr std::string_view kTemporaryPrefix = ".Database-";

// Removes the temporary files in folder (and their companions) that no running creation or copy holds.
void RemoveAbandonedTemporaries(const std::string& folder);

// A backup builds its copy in the folder the user chose. That folder is kept beside the database when a
// backup begins, so that the next start (PrepareDatabaseFile) also removes what a killed backup left there.
void RememberBackupFolder(const std::string& databasePath, const std::string& folder);

}  // namespace db
