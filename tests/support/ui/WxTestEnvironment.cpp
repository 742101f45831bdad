#include "support/ui/WxTestEnvironment.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/init.h>
#include <wx/log.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "support/TempDir.h"
#include "uibase/MainThreadDialogCheck.h"

namespace testing_support {
namespace {

void FailOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message) {
  ADD_FAILURE_AT(file.utf8_string().c_str(), line)
      << "wxWidgets assertion in " << function << ": " << condition << " " << message;
}

std::unique_ptr<TempDir> g_root;

// The screen's cairo surface keeps a copy of the pixels it read last, so a second capture of the same area
// would return the old picture. Marking the surface dirty makes cairo read the screen again. The cairo calls
// are looked up at run time because the test programs do not link cairo themselves.
void ForgetCachedScreen(wxScreenDC& screen) {
  using GetTarget = void* (*)(void*);
  using MarkDirty = void (*)(void*);
  static const auto getTarget = reinterpret_cast<GetTarget>(dlsym(RTLD_DEFAULT, "cairo_get_target"));
  static const auto markDirty = reinterpret_cast<MarkDirty>(dlsym(RTLD_DEFAULT, "cairo_surface_mark_dirty"));
  void* context = screen.GetImpl() ? screen.GetImpl()->GetCairoContext() : nullptr;
  if (context && getTarget && markDirty) markDirty(getTarget(context));
}

// The log writer of GLib, declared here because the test programs have no GLib headers; its calls are
// looked up at run time like cairo's above.
struct LogField {
  const char* key;
  const void* value;
  long length;
};
using LogWriter = int (*)(int level, const LogField* fields, std::size_t count, void* data);
constexpr int kLogLevelCritical = 1 << 3;

std::string LogFieldText(const LogField* fields, std::size_t count, const char* key) {
  for (std::size_t i = 0; i < count; ++i)
    if (std::strcmp(fields[i].key, key) == 0 && fields[i].value)
      return fields[i].length < 0 ? static_cast<const char*>(fields[i].value)
                                  : std::string(static_cast<const char*>(fields[i].value), fields[i].length);
  return {};
}

int FailOnCritical(int level, const LogField* fields, std::size_t count, void* defaultWriter) {
  if (level & kLogLevelCritical)
    ADD_FAILURE() << LogFieldText(fields, count, "GLIB_DOMAIN")
                  << "-CRITICAL: " << LogFieldText(fields, count, "MESSAGE");
  return reinterpret_cast<LogWriter>(defaultWriter)(level, fields, count, nullptr);
}

}  // namespace

void FailOnToolkitCriticals() {
  using SetWriter = void (*)(LogWriter, void*, void (*)(void*));
  const auto setWriter = reinterpret_cast<SetWriter>(dlsym(RTLD_DEFAULT, "g_log_set_writer_func"));
  void* const defaultWriter = dlsym(RTLD_DEFAULT, "g_log_writer_default");
  ASSERT_TRUE(setWriter && defaultWriter) << "GLib's log writer is not linked in";
  setWriter(FailOnCritical, defaultWriter, nullptr);
}

class WxTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    g_root = std::make_unique<TempDir>();
    // Window layout and other per-user files go below the test's own folder.
    for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
      std::filesystem::path folder = g_root->Path() / variable;
      std::filesystem::create_directories(folder);
      setenv(variable, folder.c_str(), 1);
    }
    wxSetAssertHandler(FailOnAssert);
    FailOnToolkitCriticals();
    wxApp::SetInstance(new wxApp);  // a GUI application object, so the toolkit and its display are started
    static char name[] = "window_test";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    ASSERT_TRUE(wxEntryStart(argc, argv)) << "no display: run the window tests under xvfb-run -a";
    // Log messages go to standard error: a log window would wait for a click that never comes.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();
    dialogThreadCheck_ = std::make_unique<CMainThreadDialogCheck>();
  }

  void TearDown() override {
    dialogThreadCheck_.reset();
    wxEntryCleanup();
    g_root.reset();
  }

 private:
  std::unique_ptr<CMainThreadDialogCheck> dialogThreadCheck_;  // a dialog off the UI thread fails the test
};

::testing::Environment* NewWxTestEnvironment() { return new WxTestEnvironment; }

void PumpPending() { wxTheApp->Yield(true); }

bool PumpUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    PumpPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

wxImage CaptureWindow(wxWindow* window) {
  window->Show();
  window->Raise();
  window->Refresh();
  window->Update();
  // The X server draws asynchronously: give it a few rounds of events before reading the screen back.
  for (int round = 0; round < 20; ++round) {
    PumpPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return CaptureScreen(window->GetScreenRect());
}

wxImage CaptureScreen(const wxRect& area) {
  wxBitmap bitmap(area.width, area.height, 24);
  wxMemoryDC memory(bitmap);
  wxScreenDC screen;
  ForgetCachedScreen(screen);
  memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
  memory.SelectObject(wxNullBitmap);
  return bitmap.ConvertToImage();
}

std::filesystem::path SaveCapture(const wxImage& image, const std::string& name, const std::filesystem::path& beside) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
  const std::filesystem::path folder = beside / "screenshots";
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / (name + ".png");
  image.SaveFile(wxString::FromUTF8(path.string()), wxBITMAP_TYPE_PNG);
  return path;
}

int CountPixels(const wxImage& image, const wxColour& colour, int tolerance, wxRect area) {
  if (area.IsEmpty()) area = wxRect(0, 0, image.GetWidth(), image.GetHeight());
  area.Intersect(wxRect(0, 0, image.GetWidth(), image.GetHeight()));
  int count = 0;
  for (int y = area.y; y < area.GetBottom() + 1; ++y)
    for (int x = area.x; x < area.GetRight() + 1; ++x)
      if (std::abs(image.GetRed(x, y) - colour.Red()) <= tolerance &&
          std::abs(image.GetGreen(x, y) - colour.Green()) <= tolerance &&
          std::abs(image.GetBlue(x, y) - colour.Blue()) <= tolerance)
        ++count;
  return count;
}

}  // namespace testing_support
