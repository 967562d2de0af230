#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Drives a running VaskViewer.exe from the test process: its store, its windows, its pixels.

struct StoreValues {
    DWORD high, low, rating, beep;
};

// Replaces the store key with exactly these four values.
void WriteStore(const StoreValues& values);
void DeleteStore();

class ViewerProcess {
public:
    ViewerProcess() : m_process(NULL), m_window(NULL) {}
    ~ViewerProcess();

    // Starts the viewer and waits until its main window is visible.
    bool Start();
    HANDLE Process() const { return m_process; }
    HWND Window() const { return m_window; }
    // Waits for the process to end; false when it is still running at the timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

    // A visible top-level dialog of this process with the given caption, or NULL.
    HWND FindDialog(const char* caption) const;
    HWND WaitForDialog(const char* caption, DWORD timeoutMs) const;

private:
    HANDLE m_process;
    HWND m_window;
};

// Screen pixels (0x00RRGGBB) of a window's client area.
struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    bool operator==(const Picture& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

Picture CaptureClient(HWND window);

// What the display must look like: five lines in the default DC font on the window colour.
Picture ExpectedDisplay(int width, int height, int rating, unsigned long long total);

// Seconds since boot, read the way the viewer reads them.
unsigned long long UpTimeNow();

// The live total (stored + some up-time sample near now) that the captured display shows,
// or false when it matches none of them.
bool ShownTotal(const Picture& shown, int rating, unsigned long long stored,
                unsigned long long* total);

// Text of a dialog control in another process.
std::string ControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::string& text);
// Posts a button's command, as a click does.
void PressButton(HWND dialog, int id);
// Moves a dialog off the main window so that the display can be captured.
void MoveAside(HWND dialog);
