#pragma once
// The device console's shared library, loaded when the main window is created and unloaded with it. A
// missing library or entry point leaves the console command without effect.
#include <filesystem>

class CQuillonLibrary {
 public:
  explicit CQuillonLibrary(const std::filesystem::path& file);
  ~CQuillonLibrary();
  CQuillonLibrary(const CQuillonLibrary&) = delete;
  CQuillonLibrary& operator=(const CQuillonLibrary&) = delete;

  // libquillon.so in the folder of the running program.
  static std::filesystem::path BesideProgram();

  bool Loaded() const { return entry_ != nullptr; }
  // Runs the console; returns when it has closed.
  void Run() const;

 private:
  void* handle_ = nullptr;
  int (*entry_)() = nullptr;
};
