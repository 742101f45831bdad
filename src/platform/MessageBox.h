#pragma once
// Message boxes through a replaceable handler: the GUI shows a modal dialog on its UI thread (a worker
// waits for the answer); tests install a recorder with scripted answers; without a handler the text goes
// to standard error and the default button is the answer.
#include <functional>
#include <string>

namespace platform {

// Styles and answers with their usual numbers, so callers can keep the values they compare against.
enum : unsigned { MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
                  MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40 };
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using MessageBoxHandler = std::function<int(const std::string& text, const std::string& caption, unsigned style)>;

int MessageBox(const std::string& text, const std::string& caption = {}, unsigned style = MB_OK);

// Returns the handler that was installed before.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
