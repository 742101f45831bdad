#pragma once
// Asks the user for a file or folder; nothing when cancelled. The windows supply it (db/ui), so the
// commands that back up and restore the database run without windows in tests.
#include <functional>
#include <optional>
#include <string>

namespace db {

using PathChooser = std::function<std::optional<std::string>()>;

}  // namespace db
