#include "db/ActionLogWriter.h"

#include <iostream>
#include <mutex>
#include <utility>

namespace db {

namespace {

std::mutex g_writerMutex;
ActionLogWriter g_writer;

}  // namespace

ActionLogWriter SetActionLogWriter(ActionLogWriter writer) {
  std::lock_guard lock(g_writerMutex);
  return std::exchange(g_writer, std::move(writer));
}

void WriteActionLogLine(const std::string& text) {
  ActionLogWriter writer;
  {
    std::lock_guard lock(g_writerMutex);
    writer = g_writer;
  }
  if (writer)
    writer(text);
  else
    std::cerr << "Action log: " << text << '\n';
}

}  // namespace db
