#pragma once
// Set by the clear of the database once its commit is done; the client monitor drops the client lists it
// keeps in memory on its next pass and resets it. Shared between threads, so atomic.
#include <atomic>

extern std::atomic<bool> g_bDatabaseCleared;
