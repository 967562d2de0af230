#include <gtest/gtest.h>

#include <vector>

#include "ElapsedStore.h"
#include "Programs.h"
#include "Registry.h"
#include "ViewerHarness.h"

namespace {

const StoreValues kStore = {0, 3600, 750000, 1};

class ViewerWindowTest : public ::testing::Test {
protected:
    void SetUp() override { WriteStore(kStore); }
    void TearDown() override { DeleteStore(); }
};

struct ChildSearch {
    const char* className;
    DWORD styleMask, style;
    int visible;
};

static BOOL CALLBACK CountChild(HWND child, LPARAM param)
{
    ChildSearch* search = reinterpret_cast<ChildSearch*>(param);
    char name[64] = "";
    GetClassNameA(child, name, sizeof(name));
    DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    if (lstrcmpiA(name, search->className) == 0 && (style & search->styleMask) == search->style &&
        IsWindowVisible(child))
        ++search->visible;
    return TRUE;
}

static int VisibleChildren(HWND parent, const char* className, DWORD styleMask = 0,
                           DWORD style = 0)
{
    ChildSearch search = {className, styleMask, style, 0};
    EnumChildWindows(parent, CountChild, reinterpret_cast<LPARAM>(&search));
    return search.visible;
}

TEST_F(ViewerWindowTest, RefusesToRunWithoutTheStore)
{
    DeleteStore();
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.Start());

    HWND box = viewer.WaitForDialog("Vask Viewer", 10000);
    ASSERT_NE(nullptr, box);
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    EXPECT_STREQ("Vask Service not installed. Exiting.", text);
    EXPECT_EQ(viewer.Window(), GetWindow(box, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(viewer.Window()));
    EXPECT_EQ(1, VisibleChildren(box, "Button")) << "a single OK button";

    // Behind the box stands the picture of a viewer that never loaded anything.
    MoveAside(box);
    Picture zero;
    bool zeroShown = WaitUntil([&] {
        zero = CaptureClient(viewer.Window());
        return zero == ExpectedDisplay(zero.width, zero.height, 0, 0);
    }, 3000);
    EXPECT_TRUE(zeroShown);

    PressButton(box, IDOK);
    DWORD exitCode = 1;
    ASSERT_TRUE(viewer.WaitForExit(10000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, VASK_STORE_KEY)) << "the viewer creates nothing";
}

TEST_F(ViewerWindowTest, MainWindowClassTitleAndFrame)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.Start());
    HWND window = viewer.Window();

    char text[256] = "";
    GetClassNameA(window, text, sizeof(text));
    EXPECT_STREQ("VASKVIEWER", text);
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_STREQ("VaskViewer", text);

    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(600, outer.right - outer.left);
    EXPECT_EQ(200, outer.bottom - outer.top);

    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), style & WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(0u, static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & ~WS_EX_WINDOWEDGE);
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW), GetClassLongPtrA(window, GCL_STYLE));
    EXPECT_EQ(0u, GetClassLongPtrA(window, GCL_CBWNDEXTRA));

    // The class menu makes a menu bar: the client area is what an overlapped window with a
    // one-line menu leaves of 600 x 200.
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(600 - (frame.right - frame.left), client.right);
    EXPECT_EQ(200 - (frame.bottom - frame.top), client.bottom);
}

// GetMenu cannot read another process's menu under Wine: the menu and the accelerators are
// read from the executable's resources, and their commands are checked on the running window.
TEST_F(ViewerWindowTest, MenuAndAcceleratorResources)
{
    HMODULE exe = LoadLibraryExA(ViewerExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, exe);

    HMENU menu = LoadMenuA(exe, MAKEINTRESOURCEA(109));
    ASSERT_NE(nullptr, menu);
    struct Entry {
        const char* popup;
        const char* item;
        UINT command;
    };
    const Entry entries[] = {
        {"&File", "E&xit", 105}, {"&Edit", "&Settings", 32772}, {"&Help", "&About ...", 104}};
    ASSERT_EQ(3, GetMenuItemCount(menu));
    for (int i = 0; i < 3; ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(entries[i].popup, text);
        HMENU popup = GetSubMenu(menu, i);
        ASSERT_NE(nullptr, popup) << entries[i].popup;
        ASSERT_EQ(1, GetMenuItemCount(popup));
        GetMenuStringA(popup, 0, text, sizeof(text), MF_BYPOSITION);
        EXPECT_STREQ(entries[i].item, text);
        EXPECT_EQ(entries[i].command, GetMenuItemID(popup, 0));
    }
    DestroyMenu(menu);

    HACCEL table = LoadAcceleratorsA(exe, MAKEINTRESOURCEA(109));
    ASSERT_NE(nullptr, table);
    ACCEL accels[8];
    ASSERT_EQ(2, CopyAcceleratorTableA(table, accels, 8));
    const char keys[] = {'?', '/'};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(keys[i], accels[i].key);
        EXPECT_EQ(104, accels[i].cmd);
        EXPECT_EQ(FALT, accels[i].fVirt & ~FNOINVERT) << "character code with Alt";
    }
    DestroyAcceleratorTable(table);
    FreeLibrary(exe);
}

// Types Alt plus a character on the keyboard of the foreground window (the viewer's): the
// viewer's own message loop turns the keystrokes into characters and offers them to its
// accelerator table.
static void TypeAltCharacter(HWND window, char character)
{
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
    SHORT scan = VkKeyScanA(character);
    BYTE key = LOBYTE(scan);
    bool shift = (HIBYTE(scan) & 1) != 0;
    std::vector<INPUT> inputs;
    auto press = [&](WORD vk, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    press(VK_MENU, false);
    if (shift)
        press(VK_SHIFT, false);
    press(key, false);
    press(key, true);
    if (shift)
        press(VK_SHIFT, true);
    press(VK_MENU, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST_F(ViewerWindowTest, AboutBoxOpensByAcceleratorsAndMenuAndClosesEveryWay)
{
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.Start());
    HWND window = viewer.Window();

    struct Way {
        const char* name;
        void (*open)(HWND window);
        void (*close)(HWND box);
    };
    const Way ways[] = {
        {"Alt+? then OK", [](HWND w) { TypeAltCharacter(w, '?'); },
         [](HWND box) { PressButton(box, IDOK); }},
        {"Alt+/ then Enter", [](HWND w) { TypeAltCharacter(w, '/'); },
         [](HWND box) { PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 1); }},
        {"menu then Esc", [](HWND w) { PostMessageA(w, WM_COMMAND, 104, 0); },
         [](HWND box) { PostMessageA(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"menu then close box", [](HWND w) { PostMessageA(w, WM_COMMAND, 104, 0); },
         [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        way.open(window);
        HWND box = viewer.WaitForDialog("About", 5000);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(window, GetWindow(box, GW_OWNER));
        EXPECT_EQ("OK", ControlText(box, IDOK));
        EXPECT_EQ(1, VisibleChildren(box, "Static", SS_TYPEMASK, SS_ICON));
        way.close(box);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
        EXPECT_TRUE(IsWindow(window));
    }
    // Other characters with Alt are not accelerators.
    TypeAltCharacter(window, 'a');
    EXPECT_FALSE(WaitUntil([&] { return viewer.FindDialog("About") != NULL; }, 500));
}

TEST_F(ViewerWindowTest, ExitAndCloseBoxEndTheProcessWithZero)
{
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Way ways[] = {{"File > Exit", WM_COMMAND, 105}, {"close box", WM_SYSCOMMAND, SC_CLOSE}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ViewerProcess viewer;
        ASSERT_TRUE(viewer.Start());
        PostMessageA(viewer.Window(), way.message, way.wParam, 0);
        DWORD exitCode = 1;
        ASSERT_TRUE(viewer.WaitForExit(10000, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }
}

} // namespace
