#pragma once
// The "--name value" options of a benchmark program. Every option has a default; an option the program
// does not know, or a number that does not read, ends the program with its usage line.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

class BenchOptions {
 public:
  // usage: the program's usage line, printed on a bad option.
  BenchOptions(int argc, char** argv, std::map<std::string, std::string> defaults, std::string usage)
      : values_(std::move(defaults)), usage_(std::move(usage)) {
    for (int i = 1; i < argc; i += 2) {
      const std::string name = argv[i];
      if (name.rfind("--", 0) != 0 || !values_.count(name.substr(2)) || i + 1 >= argc) Fail("bad option " + name);
      values_[name.substr(2)] = argv[i + 1];
    }
  }

  const std::string& Text(const std::string& name) const { return values_.at(name); }
  int Number(const std::string& name) const {
    const std::string& text = Text(name);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 1000000) Fail("bad number for --" + name + ": " + text);
    return static_cast<int>(value);
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    std::fprintf(stderr, "%s\nusage: %s\n", what.c_str(), usage_.c_str());
    std::exit(2);
  }

  std::map<std::string, std::string> values_;
  std::string usage_;
};
