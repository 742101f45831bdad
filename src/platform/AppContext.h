#pragma once
// What the application object records at start-up and other subsystems read: the program folder, the
// database path and the logged-in account.
#include <string>

namespace platform {

// Sets the program folder to the directory and the database path to it followed by "/Database.mdb".
// An empty directory gives the bare "/Database.mdb", which DatabaseFilePath() opens relative to the
// working directory.
void SetStartDirectory(const std::string& directory);
std::string GetProgramFolder();
std::string GetDatabasePath();
// The path to open: GetDatabasePath(), with a bare "/Database.mdb" taken as "Database.mdb".
std::string DatabaseFilePath();

void SetLoggedInUser(const std::string& user);
std::string GetLoggedInUser();

}  // namespace platform
