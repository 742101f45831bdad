#pragma once
// The toolkit for the chart window tests: started once before the first test, ended after the last.
#include <functional>

namespace chart_test {

// Runs the UI thread's events until the condition holds; false when it still fails after 30 s.
bool PumpUntil(const std::function<bool()>& condition);

}  // namespace chart_test
