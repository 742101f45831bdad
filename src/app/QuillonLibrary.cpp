#include "app/QuillonLibrary.h"

#include <dlfcn.h>

CQuillonLibrary::CQuillonLibrary(const std::filesystem::path& file) {
  handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_) entry_ = reinterpret_cast<int (*)()>(::dlsym(handle_, "quillon"));
}

CQuillonLibrary::~CQuillonLibrary() {
  if (handle_) ::dlclose(handle_);
}

std::filesystem::path CQuillonLibrary::BesideProgram() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::current_path() : program.parent_path()) / "libquillon.so";
}

void CQuillonLibrary::Run() const {
  if (entry_) entry_();  // its result means nothing
}
