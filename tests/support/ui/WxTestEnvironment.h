#pragma once
// What window tests outside the application share: the toolkit started once for the test program (without
// the console's application object), event pumping, and a picture of a window as the screen shows it.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/window.h>

#include <filesystem>
#include <functional>
#include <string>

namespace testing_support {

// Starts wxWidgets before the first test and cleans it up after the last; a test program registers it once:
//   [[maybe_unused]] auto* const env = ::testing::AddGlobalTestEnvironment(testing_support::NewWxTestEnvironment());
// Assertions raised by wxWidgets fail the running test, and so does a modal dialog opened off the UI thread.
::testing::Environment* NewWxTestEnvironment();

// Makes every CRITICAL message of the toolkit's libraries (a widget asked for a negative size, a call on a
// destroyed widget) fail the running test; they still go to standard error as before. Call once per test
// program, before the toolkit starts; NewWxTestEnvironment does.
void FailOnToolkitCriticals();

void PumpPending();
// Runs the UI thread's events until the condition holds; false when it still fails after 30 s.
bool PumpUntil(const std::function<bool()>& condition);

// Shows the window, lets the display server draw it and copies what the screen shows inside it.
wxImage CaptureWindow(wxWindow* window);
// Copies what the screen shows in the area, whatever window covers it (nothing is raised or drawn first).
wxImage CaptureScreen(const wxRect& area);
// Saves a capture as PNG under the test program's folder (or the folder given, for a test that has moved
// into a temporary one) for a person to look at; returns the path.
std::filesystem::path SaveCapture(const wxImage& image, const std::string& name,
                                  const std::filesystem::path& beside = std::filesystem::current_path());

// How many pixels of the image (or of the rectangle in it) are within `tolerance` of the colour per channel.
int CountPixels(const wxImage& image, const wxColour& colour, int tolerance = 0, wxRect area = wxRect());

}  // namespace testing_support
