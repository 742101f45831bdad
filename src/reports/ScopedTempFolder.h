#pragma once
// A private temporary folder (mode 0700, a unique name), removed with its files when the object goes, on
// every way out of the code that made it.
#include <filesystem>
#include <string>

class CScopedTempFolder {
 public:
  CScopedTempFolder();
  ~CScopedTempFolder();
  CScopedTempFolder(const CScopedTempFolder&) = delete;
  CScopedTempFolder& operator=(const CScopedTempFolder&) = delete;

  // False when the folder could not be made.
  bool IsValid() const { return !path_.empty(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
