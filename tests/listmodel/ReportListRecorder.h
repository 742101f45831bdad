#pragma once
// Stands in for the list's window: holds the cell editor's text and records what the list tells its parent.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "listmodel/ReportListObserver.h"

namespace listmodel {

struct ParentMessage {
  std::uint32_t id;
  std::intptr_t wParam;
  std::intptr_t lParam;
  bool operator==(const ParentMessage&) const = default;
  friend void PrintTo(const ParentMessage& m, std::ostream* out) {
    *out << std::hex << "0x" << m.id << std::dec << "(" << m.wParam << ", " << m.lParam << ")";
  }
};

class ReportListRecorder : public ReportListObserver {
 public:
  std::string CellEditorText() override { return editorText; }
  void CellEditorClosed() override { ++editorClosings; }
  void NotifyParent(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override {
    messages.push_back({message, wParam, lParam});
  }

  std::string editorText;
  int editorClosings = 0;
  std::vector<ParentMessage> messages;
};

}  // namespace listmodel
