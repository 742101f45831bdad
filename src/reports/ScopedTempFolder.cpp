#include "reports/ScopedTempFolder.h"

#include <stdlib.h>

#include <system_error>

CScopedTempFolder::CScopedTempFolder() {
  std::error_code error;
  std::string pattern = (std::filesystem::temp_directory_path(error) / "pellion-report-XXXXXX").string();
  if (!error && mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

CScopedTempFolder::~CScopedTempFolder() {
  if (path_.empty()) return;
  std::error_code ignored;  // nothing more can be done about a folder that will not go
  std::filesystem::remove_all(path_, ignored);
}
