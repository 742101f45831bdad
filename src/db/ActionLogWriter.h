#pragma once
// Action-log lines written by the database managers. The event log sits above this layer, so it installs
// itself here when it is created; until then a line goes to standard error.
#include <functional>
#include <string>

namespace db {

using ActionLogWriter = std::function<void(const std::string& text)>;

// Returns the writer installed before.
ActionLogWriter SetActionLogWriter(ActionLogWriter writer);
void WriteActionLogLine(const std::string& text);

}  // namespace db
