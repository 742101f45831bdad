#include "db/MethodBox.h"

#include <utility>

#include "platform/MessageBox.h"

namespace db {

std::function<int(const CDbError&)> ShowTextBox(std::string text, int result) {
  return [text = std::move(text), result](const CDbError&) {
    platform::MessageBox(text);
    return result;
  };
}

std::function<int(const CDbError&)> ShowMethodBox(const char* method, int result) {
  return ShowTextBox(std::string(method) + "()", result);
}

}  // namespace db
