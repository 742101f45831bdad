#pragma once
// The process-wide status-bar text and the progress message to the main window. Callable from any thread.
#include <string>

void SetStatusText(const std::string& text);
std::string GetStatusText();
// Replaces the status text when one is given, then posts WM_NMS_STATUS_TEXT with the increment's float
// bits as wParam and 1 as lParam to the main window.
void PostStatusText(const char* text, float increment);
float GetProgressSpan();
void SetProgressSpan(float span);
