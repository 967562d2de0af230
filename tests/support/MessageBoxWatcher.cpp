#include "MessageBoxWatcher.h"

#include "Programs.h"

MessageBoxWatcher::MessageBoxWatcher(const std::string& caption)
    : m_caption(caption), m_stop(0)
{
    InitializeCriticalSection(&m_lock);
    m_thread = CreateThread(NULL, 0, Watch, this, 0, NULL);
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    InterlockedExchange(&m_stop, 1);
    WaitForSingleObject(m_thread, 10000);
    CloseHandle(m_thread);
    DeleteCriticalSection(&m_lock);
}

DWORD WINAPI MessageBoxWatcher::Watch(void* param)
{
    MessageBoxWatcher* self = static_cast<MessageBoxWatcher*>(param);
    HWND handled = NULL;
    while (!self->m_stop) {
        HWND box = FindWindowA("#32770", self->m_caption.c_str());
        if (box && box != handled && IsWindowVisible(box)) {
            char text[1024] = "";
            // A message box shows its text in the static control with id 0xFFFF.
            GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
            Seen seen = {text, GetWindow(box, GW_OWNER), 0};
            GetWindowThreadProcessId(box, &seen.processId);
            EnterCriticalSection(&self->m_lock);
            self->m_seen.push_back(seen);
            LeaveCriticalSection(&self->m_lock);
            // IDOK is sent for a box with only an OK button; the default button otherwise.
            HWND button = GetDlgItem(box, IDOK);
            if (!button)
                button = GetDlgItem(box, LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0)));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            handled = box;
        } else if (!box) {
            handled = NULL;
        }
        Sleep(20);
    }
    return 0;
}

bool MessageBoxWatcher::WaitForBoxes(size_t count, DWORD timeoutMs)
{
    return WaitUntil([&] { return Boxes().size() >= count; }, timeoutMs);
}

std::vector<MessageBoxWatcher::Seen> MessageBoxWatcher::Boxes()
{
    EnterCriticalSection(&m_lock);
    std::vector<Seen> copy = m_seen;
    LeaveCriticalSection(&m_lock);
    return copy;
}
