#include "ConsoleTestSetup.h"

#include <wx/textentry.h>
#include <wx/uiaction.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/Environment.h"
#include "quillon/DefineEcf.h"
#include "support/ui/WxTestEnvironment.h"

namespace quillonui_test {
namespace {

bool PumpUntilFor(const std::function<bool()>& condition, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    testing_support::PumpPending();
  }
  return true;
}

}  // namespace

Ports PrepareConsoleEnvironment() {
  std::random_device seed;
  Ports ports;
  ports.base = static_cast<std::uint16_t>(20000 + seed() % 20000);
  ports.tftp = static_cast<std::uint16_t>(40000 + seed() % 10000);
  ports.tftpLocal = static_cast<std::uint16_t>(50000 + seed() % 10000);
  setenv("PELLION_CONSOLE_BROADCAST", "127.255.255.255", 1);
  setenv("PELLION_CONSOLE_MULTICAST", "127.0.0.1", 1);
  setenv("PELLION_CONSOLE_BASE_PORT", std::to_string(ports.base).c_str(), 1);
  setenv("PELLION_CONSOLE_TFTP_PORT", std::to_string(ports.tftp).c_str(), 1);
  setenv("PELLION_CONSOLE_TFTP_LOCAL_PORT", std::to_string(ports.tftpLocal).c_str(), 1);
  platform::ReloadOverrides();

  // The same bytes from every test process (the ports come from the environment), written whole and renamed
  // into place, so tests running side by side never read half a file. No keep-alive reports: they would
  // leave the machine.
  quillon::ConsoleSettings settings;
  settings.magic = kMagic;
  settings.basePort = 30000;
  settings.multicastGroup = kGroup;
  settings.keepAliveFlag = 0;
  settings.keepAliveSeconds = 30;
  const auto bytes = quillon::ComposeDefineEcf(settings);
  const std::filesystem::path folder = quillon::GetConsoleCfgDir();
  std::filesystem::create_directories(folder);
  const std::filesystem::path part = folder / ("define.ecf." + std::to_string(seed()));
  std::ofstream(part, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  std::filesystem::rename(part, folder / "define.ecf");
  return ports;
}

void Click(wxWindow* window) {
  wxUIActionSimulator simulator;
  const wxRect area = window->GetScreenRect();
  simulator.MouseMove(area.GetLeft() + area.GetWidth() / 2, area.GetTop() + area.GetHeight() / 2);
  testing_support::PumpPending();
  simulator.MouseClick();
  testing_support::PumpPending();
}

bool TypeInto(wxWindow* field, const std::string& text) {
  field->SetFocus();
  testing_support::PumpUntil([&] { return wxWindow::FindFocus() == field; });
  wxUIActionSimulator simulator;
  simulator.Text(text.c_str());
  auto* textField = dynamic_cast<wxTextEntry*>(field);
  return testing_support::PumpUntil(
      [&]() -> bool { return textField != nullptr && textField->GetValue().utf8_string() == text; });
}

int ModalScript::Enter(wxDialog* dialog) {
  if (ran_) return wxID_OK;
  ran_ = true;
  dialog->CallAfter([this, dialog] {
    // The window must be on the screen before simulated input can reach it.
    testing_support::PumpUntil([dialog] { return dialog->IsShownOnScreen(); });
    for (int round = 0; round < 10; ++round) testing_support::PumpPending();
    script_(dialog);
    // A script that did not end its dialog must not leave the test waiting for ever.
    if (!PumpUntilFor([dialog] { return !dialog->IsModal(); }, std::chrono::seconds(5)))
      dialog->EndModal(wxID_CANCEL);
  });
  return wxID_NONE;
}

}  // namespace quillonui_test
