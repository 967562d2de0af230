#pragma once
#include <windows.h>

void RegisterMainWindowClass(HINSTANCE instance);

// Creates and shows the main window, then loads the store or refuses to run without it.
// False only when the window cannot be created.
bool StartMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
