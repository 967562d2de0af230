#pragma once
#include <windows.h>

// The main window's paint handler: rating and live total, drawn with the DC's defaults.
void PaintDisplay(HWND window);
void PaintContent(HDC dc);
