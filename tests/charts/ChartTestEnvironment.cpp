#include "ChartTestEnvironment.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <chrono>
#include <thread>

namespace chart_test {
namespace {

void FailOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message) {
  ADD_FAILURE_AT(file.utf8_string().c_str(), line)
      << "wxWidgets assertion in " << function << ": " << condition << " " << message;
}

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    wxSetAssertHandler(FailOnAssert);
    wxApp::SetInstance(new wxApp);
    static char name[] = "test_charts";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    ASSERT_TRUE(wxEntryStart(argc, argv)) << "no display: run the window tests under xvfb-run -a";
    delete wxLog::SetActiveTarget(new wxLogStderr);  // a test never waits on a log window
  }
  void TearDown() override { wxEntryCleanup(); }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

}  // namespace

bool PumpUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    wxTheApp->Yield(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace chart_test
