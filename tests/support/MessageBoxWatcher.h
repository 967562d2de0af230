#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Watches, on its own thread, for message boxes with a given caption (in any process),
// records their text and owner, and dismisses each with its default button.
class MessageBoxWatcher {
public:
    struct Seen {
        std::string text;
        HWND owner;
        DWORD processId;
    };

    explicit MessageBoxWatcher(const std::string& caption);
    ~MessageBoxWatcher();

    // Waits until at least `count` boxes were seen and dismissed.
    bool WaitForBoxes(size_t count, DWORD timeoutMs);
    std::vector<Seen> Boxes();

private:
    static DWORD WINAPI Watch(void* self);

    std::string m_caption;
    CRITICAL_SECTION m_lock;
    std::vector<Seen> m_seen;
    volatile LONG m_stop;
    HANDLE m_thread;
};
