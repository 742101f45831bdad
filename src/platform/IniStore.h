#pragma once
// The window-layout store standing in for the registry: an INI file under $XDG_CONFIG_HOME/pellion/.
#include <map>
#include <string>

namespace platform {

class CIniStore {
 public:
  // Opens (or starts) the file; the default is $XDG_CONFIG_HOME/pellion/pellion.ini, else ~/.config/...
  explicit CIniStore(std::string path = DefaultPath());

  std::string GetString(const std::string& section, const std::string& key, const std::string& fallback = {}) const;
  int GetInt(const std::string& section, const std::string& key, int fallback = 0) const;
  void SetString(const std::string& section, const std::string& key, const std::string& value);
  void SetInt(const std::string& section, const std::string& key, int value);
  // Writes the file, creating its folder. False when it cannot be written.
  bool Save() const;

  static std::string DefaultPath();

 private:
  std::string path_;
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace platform
