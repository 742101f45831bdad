#pragma once
// What the window tests of the log, settings and credential windows share: a database in a folder of the
// test's own (so pictures are saved beside the test program, where the test started), clicks and typing.
#include <gtest/gtest.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include <filesystem>
#include <string>

#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"

namespace logui_test {

inline const std::filesystem::path& StartFolder() {
  static const std::filesystem::path folder = std::filesystem::current_path();
  return folder;
}
// Taken when the program starts, before any test moves into a folder of its own.
[[maybe_unused]] inline const std::filesystem::path& g_startFolder = StartFolder();

// Saves a picture under screenshots/ where the test program started.
inline void SavePicture(const wxImage& image, const std::string& name) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
  std::filesystem::create_directories(StartFolder() / "screenshots");
  image.SaveFile(wxString::FromUTF8((StartFolder() / "screenshots" / (name + ".png")).string()), wxBITMAP_TYPE_PNG);
}

inline void Pump(int rounds = 10) {
  for (int round = 0; round < rounds; ++round) testing_support::PumpPending();
}

inline void Click(wxWindow* window) {
  wxUIActionSimulator input;
  input.MouseMove(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
  Pump(3);
  input.MouseClick();
  Pump();
}

inline void TypeInto(wxWindow* field, const std::string& text) {
  field->SetFocus();
  Pump(5);
  wxUIActionSimulator().Text(text.c_str());
  Pump();
}

// Pixels darker than mid-grey inside the area: text drawn there.
inline int DarkPixels(const wxImage& image, const wxRect& area) {
  return testing_support::CountPixels(image, *wxBLACK, 110, area);
}

class WindowTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::RunShutdown(); }

  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
};

}  // namespace logui_test
