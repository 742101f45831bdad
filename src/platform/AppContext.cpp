#include "platform/AppContext.h"

#include <mutex>

namespace platform {
namespace {
const char kDatabaseFileName[] = "Database.mdb";
std::mutex g_mutex;
std::string g_programFolder;
std::string g_databasePath = std::string("/") + kDatabaseFileName;
std::string g_user;
}  // namespace

void SetStartDirectory(const std::string& directory) {
  std::lock_guard lock(g_mutex);
  g_programFolder = directory;
  g_databasePath = directory + "/" + kDatabaseFileName;
}

std::string GetProgramFolder() {
  std::lock_guard lock(g_mutex);
  return g_programFolder;
}

std::string GetDatabasePath() {
  std::lock_guard lock(g_mutex);
  return g_databasePath;
}

std::string DatabaseFilePath() {
  std::string path = GetDatabasePath();
  // A start directory that could not be read leaves the bare "/Database.mdb": open it beside the process.
  return path == std::string("/") + kDatabaseFileName ? kDatabaseFileName : path;
}

void SetLoggedInUser(const std::string& user) {
  std::lock_guard lock(g_mutex);
  g_user = user;
}

std::string GetLoggedInUser() {
  std::lock_guard lock(g_mutex);
  return g_user;
}

}  // namespace platform
