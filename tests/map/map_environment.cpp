#include "support/ui/WxTestEnvironment.h"

[[maybe_unused]] static auto* const g_environment = ::testing::AddGlobalTestEnvironment(testing_support::NewWxTestEnvironment());
