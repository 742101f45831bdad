// Writes a define.ecf for the device console, as a deployer places it in the cfg folder beside the program:
//   define-ecf --magic HEX --base-port N --group ADDRESS [--keep-alive SECONDS] FILE
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "quillon/DefineEcf.h"

int main(int argc, char** argv) {
  try {
    quillon::ConsoleSettings settings;
    std::string file;
    for (int i = 1; i < argc; ++i) {
      const std::string argument = argv[i];
      const bool hasValue = i + 1 < argc;
      if (argument == "--magic" && hasValue) {
        settings.magic = static_cast<std::uint32_t>(std::stoul(argv[++i], nullptr, 16));
      } else if (argument == "--base-port" && hasValue) {
        const int port = std::stoi(argv[++i]);
        if (port < 1 || port > 65529) throw std::runtime_error("the base port must be 1 to 65529");
        settings.basePort = static_cast<std::uint16_t>(port);
      } else if (argument == "--group" && hasValue) {
        settings.multicastGroup = argv[++i];
      } else if (argument == "--keep-alive" && hasValue) {
        settings.keepAliveSeconds = std::stoi(argv[++i]);
        settings.keepAliveFlag = 1;
      } else if (file.empty() && argument[0] != '-') {
        file = argument;
      } else {
        throw std::invalid_argument(argument);
      }
    }
    if (file.empty() || settings.multicastGroup.empty())
      throw std::runtime_error("usage: define-ecf --magic HEX --base-port N --group ADDRESS [--keep-alive SECONDS] FILE");
    const auto stored = quillon::ComposeDefineEcf(settings);
    if (stored.empty()) throw std::runtime_error("a value does not fit its field (group of 15 characters at most)");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(stored.data()), static_cast<std::streamsize>(stored.size())))
      throw std::runtime_error("cannot write " + file);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "define-ecf: %s\n", error.what());
    return 1;
  }
  return 0;
}
