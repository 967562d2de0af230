#include <windows.h>

#include "MainWindow.h"
#include "UpTime.h"
#include "ViewerState.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    CounterHandleStorage = ReserveCounterStorage();
    LoadStringA(instance, IDS_APP_TITLE, WindowTitle, sizeof(WindowTitle));
    LoadStringA(instance, IDS_WINDOW_CLASS, WindowClassName, sizeof(WindowClassName));
    RegisterMainWindowClass(instance);

    if (!StartMainWindow(instance, showCommand))
        return 0;

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_VASKVIEWER));
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
