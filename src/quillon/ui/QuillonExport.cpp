// The library's one entry point. The library carries its own copy of the platform layer, so while the
// console runs its message boxes are the toolkit's dialogs.
#include "platform/MessageBox.h"
#include "quillon/ui/ConsoleDlg.h"
#include "uibase/GuiMessageBox.h"

// Exported as "quillon"; the C++ name differs because the namespace of the same name takes it.
extern "C" __attribute__((visibility("default"))) int RunQuillonConsole(void) __asm__("quillon");

int RunQuillonConsole(void) {
  platform::MessageBoxHandler previous = platform::SetMessageBoxHandler(CGuiMessageBox{});
  {
    // Its sockets, timers and keep-alive thread end with it, before the host may unload the library.
    quillon::ui::CConsoleDlg console;
    console.RunModal();
  }
  platform::SetMessageBoxHandler(std::move(previous));
  return 1;
}
