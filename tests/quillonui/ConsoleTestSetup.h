#pragma once
// What the console's window tests share: loopback endpoints and random ports in the environment, the
// console's define.ecf beside the test program, simulated input, and a hook that acts inside a modal dialog.
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/window.h>

#include <cstdint>
#include <functional>
#include <string>

namespace quillonui_test {

inline constexpr std::uint32_t kMagic = 0x5EC0FFEE;
inline constexpr const char* kGroup = "239.255.42.98";

struct Ports {
  std::uint16_t base = 0, tftp = 0, tftpLocal = 0;
};

// Picks random ports, points the console at loopback through the environment and writes define.ecf.
Ports PrepareConsoleEnvironment();

// Clicks the middle of a window with the simulated mouse.
void Click(wxWindow* window);
// Gives the field the focus and types the text with the simulated keyboard; true once the field shows it.
bool TypeInto(wxWindow* field, const std::string& text);

// Runs the script inside the first modal dialog that opens (from its own event loop); every later modal
// dialog, message dialogs included, is answered OK at once without appearing.
class ModalScript : public wxModalDialogHook {
 public:
  explicit ModalScript(std::function<void(wxDialog*)> script) : script_(std::move(script)) { Register(); }
  ~ModalScript() override { Unregister(); }
  bool Ran() const { return ran_; }

 protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog*) override {}

 private:
  std::function<void(wxDialog*)> script_;
  bool ran_ = false;
};

}  // namespace quillonui_test
