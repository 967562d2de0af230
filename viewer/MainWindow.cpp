#include "MainWindow.h"

#include "AboutDialog.h"
#include "DwordKey.h"
#include "ElapsedDisplay.h"
#include "SettingsDialog.h"
#include "UpTime.h"
#include "ViewerState.h"
#include "resource.h"

static const UINT_PTR kTickTimer = 0;
static const UINT kTickMs = 1000;

void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VASKVIEWER));
    wc.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDC_VASKVIEWER);
    wc.lpszClassName = WindowClassName;
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
    RegisterClassExA(&wc);
}

static DWORD ReadOrDefault(CDwordKey& key, LPCSTR name, DWORD fallback)
{
    DWORD value = 0;
    return key.QueryValue(name, &value) ? value : fallback;
}

// Nothing is written back: missing values only take their defaults in memory.
static void LoadStore(CDwordKey& key)
{
    DWORD high = ReadOrDefault(key, VASK_VALUE_HIGH, kDefaultElapsedHalf);
    DWORD low = ReadOrDefault(key, VASK_VALUE_LOW, kDefaultElapsedHalf);
    StoredElapsed = JoinHalves(high, low);
    Rating = ReadOrDefault(key, VASK_VALUE_RATING, kDefaultRating);
    AlarmFlag = ReadOrDefault(key, VASK_VALUE_ALARM, kDefaultAlarm);
}

bool StartMainWindow(HINSTANCE instance, int showCommand)
{
    AppInstance = instance;
    HWND window = CreateWindowExA(0, WindowClassName, WindowTitle, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, 0, 600, 200, NULL, NULL, instance, NULL);
    if (!window)
        return false;

    // The first paint happens here, before the store is read: it shows zeros.
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    CDwordKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, VASK_STORE_KEY)) {
        LoadStore(key);
        OpenUpTimeQuery(&UpTimeQuery, CounterHandleStorage);
        SetTimer(window, kTickTimer, kTickMs, NULL);
    } else {
        MessageBoxA(window, "Vask Service not installed. Exiting.", "Vask Viewer", MB_OK);
        SendMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    }
    key.Close();
    return true;
}

static void OnTimer(HWND window)
{
    // A failed read counts as zero seconds rather than whatever the record held.
    SampleUpTime(UpTimeQuery, CounterHandleStorage, &UpTimeSample);
    InvalidateRect(window, NULL, TRUE);
}

static LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDM_ABOUT:
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUTBOX), window, AboutDialogProc, 0);
        return 0;
    case IDM_EXIT:
        DestroyWindow(window);
        return 0;
    case IDM_SETTINGS:
        DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SETTINGS), window, SettingsDialogProc,
                        0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintDisplay(window);
        return 0;
    case WM_TIMER:
        OnTimer(window);
        return 0;
    case WM_COMMAND:
        return OnCommand(window, message, wParam, lParam);
    case WM_DESTROY:
        CloseUpTimeQuery(UpTimeQuery);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
