#include <gtest/gtest.h>

#include "ElapsedStore.h"
#include "Programs.h"
#include "Registry.h"
#include "ViewerHarness.h"

namespace {

class ViewerDisplayTest : public ::testing::Test {
protected:
    void TearDown() override { DeleteStore(); }

    // Waits until the display shows `rating` and a live total of `stored` + up time.
    static bool WaitForLiveTotal(HWND window, int rating, unsigned long long stored,
                                 unsigned long long* total, DWORD timeoutMs = 4000)
    {
        return WaitUntil([&] {
            return ShownTotal(CaptureClient(window), rating, stored, total);
        }, timeoutMs);
    }
};

TEST_F(ViewerDisplayTest, ZeroPictureFirstThenStoredTotalPlusUpTime)
{
    struct Case {
        const char* name;
        StoreValues store;
        int shownRating;
    };
    const Case cases[] = {
        // The low half carries into the high half as soon as the up time is one second.
        {"carry into the high half, rating shown signed", {1, 0xFFFFFFFF, 0xFFFFFFFF, 1}, -1},
        {"total wraps modulo 2^64", {0xFFFFFFFF, 0xFFFFFFFB, 750000, 0}, 750000},
        {"largest positive rating", {0, 125, 0x7FFFFFFF, 1}, 0x7FFFFFFF},
        {"rating 2^31 is negative", {0, 0, 0x80000000, 1}, static_cast<int>(0x80000000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteStore(c.store);
        ViewerProcess viewer;
        ASSERT_TRUE(viewer.Start());

        // Painted before the key is read, and left so until the first tick. No later picture
        // can equal it (every case stores a non-zero value), so the bound may be generous.
        Picture first;
        EXPECT_TRUE(WaitUntil([&] {
            first = CaptureClient(viewer.Window());
            return first == ExpectedDisplay(first.width, first.height, 0, 0);
        }, 3000)) << "zero picture before the first tick";

        unsigned long long stored = JoinHalves(c.store.high, c.store.low);
        unsigned long long total = 0, later = 0;
        ASSERT_TRUE(WaitForLiveTotal(viewer.Window(), c.shownRating, stored, &total));
        ASSERT_TRUE(WaitUntil([&] {
            return ShownTotal(CaptureClient(viewer.Window()), c.shownRating, stored, &later) &&
                   later != total;
        }, 3000)) << "the display counts";
        EXPECT_EQ(1u, later - total);
    }
}

TEST_F(ViewerDisplayTest, MissingValuesTakeTheirDefaultsAndAreNotWritten)
{
    DeleteStore();
    WriteDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_LOW, 100);
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.Start());
    unsigned long long total = 0;
    EXPECT_TRUE(WaitForLiveTotal(viewer.Window(), 750000, 100, &total));

    DWORD value;
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_HIGH, &value));
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_RATING, &value));
    EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_ALARM, &value));
}

TEST_F(ViewerDisplayTest, KeepsCountingWhileADialogIsOpen)
{
    const StoreValues store = {0, 3590, 750000, 1};
    WriteStore(store);
    ViewerProcess viewer;
    ASSERT_TRUE(viewer.Start());
    HWND window = viewer.Window();
    unsigned long long total = 0;
    ASSERT_TRUE(WaitForLiveTotal(window, 750000, 3590, &total));

    struct Dialog {
        UINT command;
        const char* caption;
    };
    const Dialog dialogs[] = {{104, "About"}, {32772, "Vask Viewer"}};
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.caption);
        PostMessageA(window, WM_COMMAND, d.command, 0);
        HWND dialog = viewer.WaitForDialog(d.caption, 5000);
        ASSERT_NE(nullptr, dialog);
        // Both dialogs open over the display; move them so that it can be seen.
        MoveAside(dialog);
        unsigned long long first = 0, later = 0;
        ASSERT_TRUE(WaitForLiveTotal(window, 750000, 3590, &first));
        ASSERT_TRUE(WaitUntil([&] {
            return ShownTotal(CaptureClient(window), 750000, 3590, &later) && later > first;
        }, 3000));
        PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
        // Leaving the settings dialog saves it; put the store back for the next check.
        WriteStore(store);
    }
}

} // namespace
