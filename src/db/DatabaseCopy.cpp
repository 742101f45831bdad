#include "db/DatabaseCopy.h"

#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "db/DatabaseFile.h"

namespace db {
namespace {

// The temporary file beside the target, locked while it exists (so a start meanwhile does not take it
// for abandoned) and removed on every path.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) {
    std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (folder.empty()) folder = ".";
    path_ = (folder / (std::string(kTemporaryPrefix) + "XXXXXX")).string();
    fd_ = mkstemp(path_.data());
    if (fd_ < 0) {
      error_ = errno;
      return;
    }
    flock(fd_, LOCK_EX);
  }
  ~TemporaryFile() {
    if (fd_ < 0) return;
    unlink(path_.c_str());
    for (const char* companion : {"-journal", "-wal", "-shm"}) unlink((path_ + companion).c_str());
    close(fd_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool Made() const { return fd_ >= 0; }
  void Sync() const { fsync(fd_); }
  int Error() const { return error_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  int error_ = 0;
};

// Copies every page of source into the file at path; the engine's result code.
int BackupInto(sqlite3* source, const std::string& path) {
  sqlite3* target = nullptr;
  int code = sqlite3_open_v2(path.c_str(), &target, SQLITE_OPEN_READWRITE, nullptr);
  if (code == SQLITE_OK) {
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup) {
      code = sqlite3_extended_errcode(target);
    } else {
      // All pages in one step: the source is read in one read transaction, so the copy is one state.
      code = sqlite3_backup_step(backup, -1);
      const int finished = sqlite3_backup_finish(backup);
      code = code == SQLITE_DONE ? finished : code;
    }
  }
  const int closed = sqlite3_close(target);
  return code == SQLITE_OK ? closed : code;
}

}  // namespace

bool CopyDatabase(sqlite3* source, const std::string& target, CopyPlacement placement, int& errorNumber) {
  errorNumber = 0;
  TemporaryFile temporary(target);
  if (!temporary.Made()) {
    errorNumber = temporary.Error();
    return false;
  }
  if (const int code = BackupInto(source, temporary.Path()); code != SQLITE_OK) {
    errorNumber = code;
    return false;
  }
  // The pages are on disk before the name points at them.
  temporary.Sync();
  // link() refuses an existing name; rename() replaces one atomically.
  const int placed = placement == CopyPlacement::NewOnly ? link(temporary.Path().c_str(), target.c_str())
                                                         : rename(temporary.Path().c_str(), target.c_str());
  if (placed != 0) {
    errorNumber = errno;
    return false;
  }
  return true;
}

bool CopyDatabaseFile(const std::string& sourcePath, const std::string& target, CopyPlacement placement,
                      int& errorNumber) {
  sqlite3* source = nullptr;
  const int code = sqlite3_open_v2(sourcePath.c_str(), &source, SQLITE_OPEN_READONLY, nullptr);
  const bool copied = code == SQLITE_OK && CopyDatabase(source, target, placement, errorNumber);
  if (code != SQLITE_OK) errorNumber = code;
  sqlite3_close(source);
  return copied;
}

}  // namespace db
