#include "ElapsedDisplay.h"

#include "DisplayText.h"
#include "ViewerState.h"

#include <string.h>

void PaintContent(HDC dc)
{
    DisplayLine lines[kDisplayLineCount];
    ComposeDisplay(Rating, StoredElapsed, UpTimeSample, lines);
    for (int i = 0; i < kDisplayLineCount; ++i)
        TextOutA(dc, kDisplayLeft, lines[i].y, lines[i].text,
                 static_cast<int>(strlen(lines[i].text)));
}

void PaintDisplay(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintContent(dc);
    EndPaint(window, &ps);
}
