#pragma once
// A capture of a window that shows what the screen shows now, also when the same area was captured before.
//
// The shared CaptureWindow reads the screen through wxScreenDC, whose cairo surface for the root window keeps
// a cached copy of the pixels it read last; a second capture of the same area then returns the old picture.
// Marking the surface dirty first makes cairo read the screen again. The cairo calls are looked up at run
// time because the test programs do not link cairo themselves.
#include <dlfcn.h>
#include <wx/dcscreen.h>

#include "support/ui/WxTestEnvironment.h"

namespace controls_test {

inline wxImage CaptureLive(wxWindow* window) {
  {
    wxScreenDC screen;
    using GetTarget = void* (*)(void*);
    using MarkDirty = void (*)(void*);
    auto getTarget = reinterpret_cast<GetTarget>(dlsym(RTLD_DEFAULT, "cairo_get_target"));
    auto markDirty = reinterpret_cast<MarkDirty>(dlsym(RTLD_DEFAULT, "cairo_surface_mark_dirty"));
    void* context = screen.GetImpl() ? screen.GetImpl()->GetCairoContext() : nullptr;
    if (context && getTarget && markDirty) markDirty(getTarget(context));
  }
  return testing_support::CaptureWindow(window);
}

}  // namespace controls_test
