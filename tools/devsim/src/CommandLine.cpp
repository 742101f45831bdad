#include "CommandLine.h"

#include <charconv>

namespace devsim {
namespace {

int ParsePort(const std::string& text) {
  int port = -1;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (ec != std::errc() || end != text.data() + text.size() || port < 0 || port > 65535)
    throw std::runtime_error("bad port \"" + text + "\"");
  return port;
}

size_t ParseKeptSets(const std::string& text) {
  size_t kept = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), kept);
  if (ec != std::errc() || end != text.data() + text.size() || kept == 0)
    throw std::runtime_error("bad count of kept SETs \"" + text + "\"");
  return kept;
}

}  // namespace

const char* CommandLine::Usage() {
  return "usage: devsim [--port N] [--control] [--strict] [--keep-sets N] [--scenario FILE]... [ADDRESS=DATAFILE]...";
}

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments, const char* environmentPort) {
  CommandLine line;
  if (environmentPort && *environmentPort) line.port = ParsePort(environmentPort);
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--port" && hasValue) {
      line.port = ParsePort(arguments[++i]);
    } else if (argument == "--keep-sets" && hasValue) {
      line.keepSets = ParseKeptSets(arguments[++i]);
    } else if (argument == "--scenario" && hasValue) {
      for (auto& entry : Scenario::ParseFile(arguments[++i])) line.devices.push_back(std::move(entry));
    } else if (argument == "--control") {
      line.control = true;
    } else if (argument == "--strict") {
      line.strict = true;
    } else if (argument.starts_with("-")) {
      throw std::runtime_error(Usage());
    } else {
      line.devices.push_back(Scenario::ParseDeviceArgument(argument));
    }
  }
  if (line.devices.empty()) throw std::runtime_error(Usage());
  return line;
}

}  // namespace devsim
