#pragma once
// The console's millisecond wait. It sleeps rather than spins, and it ends early when the caller's job is
// cancelled or the program shuts down, so no cancel or shut-down sits out a long wait.
#include <cstdint>
#include <stop_token>

namespace platform {

// Waits milliseconds on the calling thread. True when the whole time passed; false as soon as stop or the
// process-wide shut-down request (RequestDelayStop) is set, also when one was set before the call.
bool DelayMs(std::uint32_t milliseconds, std::stop_token stop = {});

// Ends every wait now in progress and every later one at once; the shut-down sets it before it joins
// the threads that may be waiting.
void RequestDelayStop();
// Lets waits run their full time again (tests, and a program that stays up after a cancelled shut-down).
void ResetDelayStop();

}  // namespace platform
