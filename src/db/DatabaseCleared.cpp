#include "db/DatabaseCleared.h"

std::atomic<bool> g_bDatabaseCleared{false};
