#pragma once
#include <windows.h>

// Edits the stored total, the rating and the alarm flag; OK and Cancel both save all four.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
