#include "platform/IniStore.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string CIniStore::DefaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && *config)
    base = config;
  else if (const char* home = std::getenv("HOME"))
    base = std::string(home) + "/.config";
  else
    base = ".";
  return base + "/pellion/pellion.ini";
}

CIniStore::CIniStore(std::string path) : path_(std::move(path)) {
  std::ifstream in(path_);
  std::string line;
  std::string section;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    size_t equals = line.find('=');
    if (equals != std::string::npos) sections_[section][Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
  }
}

std::string CIniStore::GetString(const std::string& section, const std::string& key, const std::string& fallback) const {
  auto s = sections_.find(section);
  if (s == sections_.end()) return fallback;
  auto k = s->second.find(key);
  return k == s->second.end() ? fallback : k->second;
}

int CIniStore::GetInt(const std::string& section, const std::string& key, int fallback) const {
  std::string text = GetString(section, key);
  if (text.empty()) return fallback;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  return *end == '\0' ? static_cast<int>(value) : fallback;
}

void CIniStore::SetString(const std::string& section, const std::string& key, const std::string& value) {
  sections_[section][key] = value;
}

void CIniStore::SetInt(const std::string& section, const std::string& key, int value) {
  SetString(section, key, std::to_string(value));
}

bool CIniStore::Save() const {
  std::error_code ec;
  std::filesystem::path path(path_);
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::string temp = path_ + ".tmp";
  {
    std::ofstream out(temp, std::ios::trunc);
    for (const auto& [section, keys] : sections_) {
      out << '[' << section << "]\n";
      for (const auto& [key, value] : keys) out << key << '=' << value << '\n';
    }
    if (!out.flush()) return false;
  }
  std::filesystem::rename(temp, path_, ec);
  return !ec;
}

}  // namespace platform
