#include "ViewerHarness.h"

#include "ElapsedStore.h"
#include "Programs.h"
#include "Registry.h"
#include "UpTime.h"

void WriteStore(const StoreValues& values)
{
    DeleteStore();
    WriteDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_HIGH, values.high);
    WriteDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_LOW, values.low);
    WriteDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_RATING, values.rating);
    WriteDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_ALARM, values.beep);
}

void DeleteStore() { DeleteTree(HKEY_LOCAL_MACHINE, VASK_STORE_KEY); }

ViewerProcess::~ViewerProcess()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        if (m_window)
            PostMessageA(m_window, WM_COMMAND, 105, 0);
        if (WaitForSingleObject(m_process, 5000) != WAIT_OBJECT_0) {
            TerminateProcess(m_process, 0xDEAD);
            WaitForSingleObject(m_process, 5000);
        }
    }
    CloseHandle(m_process);
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window))
        return TRUE;
    char text[256] = "";
    GetClassNameA(window, text, sizeof(text));
    if (lstrcmpA(text, search->className) != 0)
        return TRUE;
    GetWindowTextA(window, text, sizeof(text));
    if (search->caption && lstrcmpA(text, search->caption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

static HWND FindProcessWindow(HANDLE process, const char* className, const char* caption)
{
    WindowSearch search = {GetProcessId(process), className, caption, NULL};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ViewerProcess::Start()
{
    m_process = StartProgram(ViewerExePath(), "");
    if (!m_process)
        return false;
    WaitUntil([&] { return (m_window = FindProcessWindow(m_process, "VASKVIEWER", NULL)); },
              15000);
    return m_window != NULL;
}

bool ViewerProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    return ::WaitForExit(m_process, timeoutMs, exitCode);
}

HWND ViewerProcess::FindDialog(const char* caption) const
{
    return FindProcessWindow(m_process, "#32770", caption);
}

HWND ViewerProcess::WaitForDialog(const char* caption, DWORD timeoutMs) const
{
    HWND dialog = NULL;
    WaitUntil([&] { return (dialog = FindDialog(caption)); }, timeoutMs);
    return dialog;
}

static Picture ReadDib(HDC dc, HBITMAP bitmap, int width, int height)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(dc, bitmap, 0, height, picture.pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD& p : picture.pixels)
        p &= 0x00FFFFFF;
    return picture;
}

Picture CaptureClient(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    Picture picture = ReadDib(memory, bitmap, client.right, client.bottom);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return picture;
}

Picture ExpectedDisplay(int width, int height, int rating, unsigned long long total)
{
    const std::string lines[] = {
        "Vask=" + std::to_string(rating),
        "Elapsed Time",
        "Hours:" + std::to_string(total / 3600),
        "Minutes:" + std::to_string(total / 60),
        "Seconds:" + std::to_string(total),
    };
    const int tops[] = {10, 50, 70, 90, 110};

    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, GetSysColorBrush(COLOR_WINDOW));
    // A fresh DC has the defaults the viewer relies on: system font, black on white, opaque.
    for (int i = 0; i < 5; ++i)
        TextOutA(memory, 10, tops[i], lines[i].c_str(), static_cast<int>(lines[i].size()));
    SelectObject(memory, old);
    Picture picture = ReadDib(memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return picture;
}

unsigned long long UpTimeNow()
{
    static PDH_HCOUNTER* storage = ReserveCounterStorage();
    static PDH_HQUERY query = 0;
    if (!query)
        OpenUpTimeQuery(&query, storage);
    ULONGLONG seconds = 0;
    SampleUpTime(query, storage, &seconds);
    return seconds;
}

bool ShownTotal(const Picture& shown, int rating, unsigned long long stored,
                unsigned long long* total)
{
    // The viewer sampled at its last tick, up to a second before this check.
    unsigned long long now = UpTimeNow();
    for (unsigned long long back = 0; back <= 3; ++back) {
        unsigned long long candidate = stored + now + 1 - back;
        if (ExpectedDisplay(shown.width, shown.height, rating, candidate) == shown) {
            *total = candidate;
            return true;
        }
    }
    return false;
}

std::string ControlText(HWND dialog, int id)
{
    char text[1024] = "";
    SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof(text),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

void SetControlText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void MoveAside(HWND dialog)
{
    SetWindowPos(dialog, NULL, 620, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
