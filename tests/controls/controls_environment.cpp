#include "support/ui/WxTestEnvironment.h"
[[maybe_unused]] static ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(testing_support::NewWxTestEnvironment());
