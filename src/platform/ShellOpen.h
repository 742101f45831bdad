#pragma once
// Opening a file in the desktop's default application for its type, as the shell's "open" verb did.
#include <string>

namespace platform {

// Starts "xdg-open path" and returns without waiting for it; false when it could not be started.
bool OpenWithDefaultApplication(const std::string& path);

}  // namespace platform
