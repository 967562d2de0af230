#include <gtest/gtest.h>

#include "ElapsedStore.h"
#include "Programs.h"
#include "Registry.h"
#include "ViewerHarness.h"

#include <memory>
#include <string>

namespace {

const int kSeconds = 1000, kRating = 1001, kHours = 1002, kApply = 1003, kAlarm = 1004;

class SettingsDialogTest : public ::testing::Test {
protected:
    void TearDown() override { DeleteStore(); }

    // Starts the viewer on this store and opens its settings dialog.
    void StartWith(const StoreValues& store)
    {
        WriteStore(store);
        m_viewer.reset(new ViewerProcess);
        ASSERT_TRUE(m_viewer->Start());
        ASSERT_TRUE(WaitForLoaded(store));
        OpenDialog();
    }

    // The store is read once the first tick shows it.
    bool WaitForLoaded(const StoreValues& store)
    {
        unsigned long long total;
        return WaitUntil([&] {
            return ShownTotal(CaptureClient(m_viewer->Window()), static_cast<int>(store.rating),
                              JoinHalves(store.high, store.low), &total);
        }, 5000);
    }

    void OpenDialog()
    {
        PostMessageA(m_viewer->Window(), WM_COMMAND, 32772, 0);
        m_dialog = m_viewer->WaitForDialog("Vask Viewer", 5000);
        ASSERT_NE(nullptr, m_dialog);
        EXPECT_EQ(m_viewer->Window(), GetWindow(m_dialog, GW_OWNER));
    }

    bool WaitForDialogClosed()
    {
        return WaitUntil([&] { return !IsWindow(m_dialog); }, 5000);
    }

    bool AlarmChecked() const
    {
        return SendMessageA(GetDlgItem(m_dialog, kAlarm), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    static StoreValues ReadStore()
    {
        StoreValues values = {0xBAD, 0xBAD, 0xBAD, 0xBAD};
        ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_HIGH, &values.high);
        ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_LOW, &values.low);
        ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_RATING, &values.rating);
        ReadDword(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, VASK_VALUE_ALARM, &values.beep);
        return values;
    }

    static void ExpectStore(const StoreValues& expected)
    {
        StoreValues actual = ReadStore();
        EXPECT_EQ(expected.high, actual.high);
        EXPECT_EQ(expected.low, actual.low);
        EXPECT_EQ(expected.rating, actual.rating);
        EXPECT_EQ(expected.beep, actual.beep);
    }

    std::unique_ptr<ViewerProcess> m_viewer;
    HWND m_dialog = NULL;
};

TEST_F(SettingsDialogTest, OpensWithTheStoredValues)
{
    struct Case {
        StoreValues store;
        const char* seconds;
        const char* hours;
        const char* rating;
        bool alarm;
    };
    // The hours box shows only the stored total: 3599 s is 0 h whatever the up time.
    const Case cases[] = {
        {{0, 3599, 750000, 1}, "3599", "0", "750000", true},
        {{1, 16, 0xFFFFFFFF, 0}, "4294967312", "1193046", "4294967295", false},
        {{0, 0, 0, 7}, "0", "0", "0", true}, // any non-zero flag means on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        StartWith(c.store);
        EXPECT_EQ(c.seconds, ControlText(m_dialog, kSeconds));
        EXPECT_EQ(c.hours, ControlText(m_dialog, kHours));
        EXPECT_EQ(c.rating, ControlText(m_dialog, kRating));
        EXPECT_EQ(c.alarm, AlarmChecked());
        EXPECT_EQ("OK", ControlText(m_dialog, IDOK));
        EXPECT_EQ("Cancel", ControlText(m_dialog, IDCANCEL));
        EXPECT_EQ("Apply", ControlText(m_dialog, kApply));
        EXPECT_EQ("Alarm", ControlText(m_dialog, kAlarm));
        PostMessageA(m_dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitForDialogClosed());
        ExpectStore({c.store.high, c.store.low, c.store.rating, c.alarm ? 1u : 0u});
    }
}

TEST_F(SettingsDialogTest, ApplyChangesTheDisplayButWritesNothingUntilTheDialogIsLeft)
{
    const StoreValues store = {0, 10, 750000, 1};
    StartWith(store);
    SetControlText(m_dialog, kSeconds, "7200");
    SetControlText(m_dialog, kRating, "42");
    PressButton(m_dialog, kApply);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(m_dialog, kHours) == "2"; }, 3000));
    EXPECT_EQ("7200", ControlText(m_dialog, kSeconds));

    // The main window takes the applied values at its next tick, with the dialog still open.
    MoveAside(m_dialog);
    unsigned long long total;
    EXPECT_TRUE(WaitUntil([&] {
        return ShownTotal(CaptureClient(m_viewer->Window()), 42, 7200, &total);
    }, 3000));
    ExpectStore(store);

    // Cancel reads the boxes again and saves them.
    SetControlText(m_dialog, kSeconds, "60");
    PressButton(m_dialog, IDCANCEL);
    ASSERT_TRUE(WaitForDialogClosed());
    ExpectStore({0, 60, 42, 1});
}

TEST_F(SettingsDialogTest, EveryWayOutSavesAllFourValues)
{
    StartWith({0, 0, 1, 1});
    struct Way {
        const char* name;
        void (*leave)(HWND dialog);
    };
    const Way ways[] = {
        {"OK", [](HWND d) { PressButton(d, IDOK); }},
        {"Cancel", [](HWND d) { PressButton(d, IDCANCEL); }},
        {"Esc", [](HWND d) { PostMessageA(GetDlgItem(d, kSeconds), WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"Enter", [](HWND d) { PostMessageA(GetDlgItem(d, kSeconds), WM_KEYDOWN, VK_RETURN, 1); }},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    bool alarm = true;
    for (DWORD i = 0; i < sizeof(ways) / sizeof(ways[0]); ++i) {
        SCOPED_TRACE(ways[i].name);
        if (i) {
            OpenDialog();
            // The dialog opens with what the previous way took over.
            EXPECT_EQ(std::to_string(JoinHalves(i, i + 1)), ControlText(m_dialog, kSeconds));
            EXPECT_EQ(std::to_string(1000 + i - 1), ControlText(m_dialog, kRating));
        }
        ASSERT_EQ(alarm, AlarmChecked());

        SetControlText(m_dialog, kSeconds, std::to_string(JoinHalves(i + 1, i + 2)));
        SetControlText(m_dialog, kRating, std::to_string(1000 + i));
        SendMessageA(GetDlgItem(m_dialog, kAlarm), BM_CLICK, 0, 0);
        alarm = !alarm;
        ASSERT_EQ(alarm, AlarmChecked());
        // Something else wrote the key meanwhile: leaving overwrites every value.
        WriteStore({0xAAAA, 0xBBBB, 0xCCCC, 0xDDDD});

        ways[i].leave(m_dialog);
        ASSERT_TRUE(WaitForDialogClosed());
        ExpectStore({i + 1, i + 2, 1000 + i, alarm ? 1u : 0u});
    }
}

TEST_F(SettingsDialogTest, TextsAreTakenAsTheyStand)
{
    StartWith({0, 1, 2, 1});
    struct Case {
        std::string seconds;
        std::string rating;
        unsigned long long storedSeconds;
        DWORD storedRating;
    };
    const Case cases[] = {
        {"", "", 0, 0},
        {"  +42abc", "123", 42, 123},
        {"-5", "4294967295", 0xFFFFFFFFFFFFFFFBull, 0xFFFFFFFF},
        {"18446744073709551621", "7", 5, 7},     // 2^64 + 5 wraps
        {"4294967296", "750000", 1ull << 32, 750000},
        {"seconds", "rating", 0, 0},
        // Only the first 99 characters count: the digits "34" are cut off.
        {std::string(97, '0') + "12" + "34", "9", 12, 9},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.seconds);
        if (i)
            OpenDialog();
        SetControlText(m_dialog, kSeconds, c.seconds);
        SetControlText(m_dialog, kRating, c.rating);
        ASSERT_EQ(c.seconds, ControlText(m_dialog, kSeconds)) << "no text limit on the box";
        PressButton(m_dialog, IDOK);
        ASSERT_TRUE(WaitForDialogClosed());
        ExpectStore({static_cast<DWORD>(c.storedSeconds >> 32), static_cast<DWORD>(c.storedSeconds),
                     c.storedRating, 1});
    }
    // A total that went negative shows as its 64-bit unsigned value on reopening.
    OpenDialog();
    SetControlText(m_dialog, kSeconds, "-5");
    PressButton(m_dialog, kApply);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(m_dialog, kHours) == "5124095576030431"; },
                          3000));
    PressButton(m_dialog, IDOK);
    ASSERT_TRUE(WaitForDialogClosed());
    OpenDialog();
    EXPECT_EQ("18446744073709551611", ControlText(m_dialog, kSeconds));
}

TEST_F(SettingsDialogTest, KeyDeletedWhileOpenIsNotWrittenButTheValuesAreTaken)
{
    StartWith({0, 1, 2, 1});
    DeleteStore();
    SetControlText(m_dialog, kSeconds, "600");
    SetControlText(m_dialog, kRating, "9");
    PressButton(m_dialog, IDOK);
    ASSERT_TRUE(WaitForDialogClosed());
    unsigned long long total;
    EXPECT_TRUE(WaitUntil([&] {
        return ShownTotal(CaptureClient(m_viewer->Window()), 9, 600, &total);
    }, 3000));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, VASK_STORE_KEY));
    EXPECT_EQ(nullptr, m_viewer->FindDialog(NULL)) << "no message";
    EXPECT_TRUE(IsWindow(m_viewer->Window()));
}

} // namespace
