#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "Beeper.h"
#include "ElapsedTimeService.h"
#include "Registry.h"

namespace {

typedef std::pair<DWORD, DWORD> Tone;
std::vector<Tone> g_tones;

BOOL WINAPI RecordBeep(DWORD frequency, DWORD duration)
{
    g_tones.push_back(Tone(frequency, duration));
    return TRUE;
}

const HKEY kHklm = HKEY_LOCAL_MACHINE;

class AccountingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_beep = RecordBeep;
        g_tones.clear();
        DeleteTree(kHklm, VASK_STORE_KEY);
        DeleteTree(kHklm, VASK_SERVICE_KEY);
        WriteDword(kHklm, VASK_SERVICE_KEY, "Start", SERVICE_DEMAND_START);
        service = new CElapsedTimeService;
    }
    void TearDown() override
    {
        delete service;
        g_beep = Beep;
        DeleteTree(kHklm, VASK_STORE_KEY);
        DeleteTree(kHklm, VASK_SERVICE_KEY);
    }

    void Start()
    {
        service->LaunchStep();
        char name[] = "VaskService";
        LPSTR argv[] = {name};
        service->ServiceMain(1, argv);
    }

    static DWORD Stored(const char* name)
    {
        DWORD value = 0xBAD;
        EXPECT_TRUE(ReadDword(kHklm, VASK_STORE_KEY, name, &value)) << name;
        return value;
    }
    static ElapsedSeconds StoredTotal()
    {
        return JoinHalves(Stored(VASK_VALUE_HIGH), Stored(VASK_VALUE_LOW));
    }

    CElapsedTimeService* service;
};

TEST_F(AccountingTest, FirstStartCreatesTheStoreWithDefaults)
{
    Start();
    EXPECT_EQ("REG_DWORD", KeyClass(kHklm, VASK_STORE_KEY));
    EXPECT_EQ(0u, Stored(VASK_VALUE_HIGH));
    EXPECT_EQ(0u, Stored(VASK_VALUE_LOW));
    EXPECT_EQ(750000u, Stored(VASK_VALUE_RATING));
    EXPECT_EQ(1u, Stored(VASK_VALUE_ALARM));
    DWORD start = 0;
    EXPECT_TRUE(ReadDword(kHklm, VASK_SERVICE_KEY, "Start", &start));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_AUTO_START), start);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN),
              service->m_status.dwControlsAccepted);
    EXPECT_EQ((std::vector<Tone>{{500, 100}, {1000, 100}}), g_tones);
    EXPECT_EQ(NULL, service->m_key.Handle()) << "no key is held between steps";
}

TEST_F(AccountingTest, ExistingValuesAreReadAndOnlyUnreadableOnesReplaced)
{
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_HIGH, 3);
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_LOW, 4);
    WriteRaw(kHklm, VASK_STORE_KEY, VASK_VALUE_RATING, REG_SZ, "abc", 4);
    const char eightBytes[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    WriteRaw(kHklm, VASK_STORE_KEY, VASK_VALUE_ALARM, REG_BINARY, eightBytes, 8);

    Start();

    EXPECT_EQ(JoinHalves(3, 4), service->m_total);
    EXPECT_EQ(0x00636261u, service->m_rating);
    EXPECT_EQ(1u, service->m_alarm);
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRaw(kHklm, VASK_STORE_KEY, VASK_VALUE_RATING, &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type) << "a readable value is not rewritten";
    ASSERT_TRUE(ReadRaw(kHklm, VASK_STORE_KEY, VASK_VALUE_ALARM, &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(std::string("\x01\0\0\0", 4), data);
}

TEST_F(AccountingTest, ShutdownStoresTotalPlusUpTimeWithCarry)
{
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_HIGH, 1);
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_LOW, 0xFFFFFFFF);
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_ALARM, 0);
    Start();
    // A total stored by someone else while the service runs is replaced.
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_HIGH, 77);
    Sleep(1100);

    service->ControlHandler(SERVICE_CONTROL_SHUTDOWN);

    ASSERT_GE(service->m_upTime, 1u);
    EXPECT_EQ(JoinHalves(1, 0xFFFFFFFF) + service->m_upTime, StoredTotal());
    EXPECT_EQ(2u, Stored(VASK_VALUE_HIGH)) << "the low half carries into the high half";
    EXPECT_EQ(NULL, service->m_key.Handle());
    EXPECT_EQ((std::vector<Tone>{{500, 100}, {1000, 100}, {100, 100}}), g_tones)
        << "the alarm flag does not silence the beeps";
}

TEST_F(AccountingTest, TotalWrapsModulo2To64)
{
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_HIGH, 0xFFFFFFFF);
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_LOW, 0xFFFFFFFF);
    Start();
    Sleep(1100);
    service->ControlHandler(SERVICE_CONTROL_SHUTDOWN);
    ASSERT_GE(service->m_upTime, 1u);
    EXPECT_EQ(service->m_upTime - 1, StoredTotal());
}

TEST_F(AccountingTest, OtherControlsAddNothing)
{
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_LOW, 10);
    Start();
    Sleep(1100);
    const DWORD codes[] = {SERVICE_CONTROL_STOP, SERVICE_CONTROL_INTERROGATE, 128};
    for (DWORD code : codes)
        service->ControlHandler(code);
    EXPECT_EQ(10u, StoredTotal());
    EXPECT_EQ(2u, g_tones.size()) << "no shutdown beep";
}

TEST_F(AccountingTest, SecondShutdownAddsNothingMore)
{
    Start();
    Sleep(1100);
    service->ControlHandler(SERVICE_CONTROL_SHUTDOWN);
    ElapsedSeconds afterFirst = StoredTotal();
    ASSERT_GE(afterFirst, 1u);
    Sleep(1100);
    service->ControlHandler(SERVICE_CONTROL_SHUTDOWN);
    EXPECT_EQ(afterFirst, StoredTotal());
    EXPECT_EQ(3u, g_tones.size());
}

TEST_F(AccountingTest, FailedSampleLeavesTheTotalAlone)
{
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_HIGH, 5);
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_LOW, 6);
    // No launch step: the counter-handle storage was never reserved.
    char name[] = "VaskService";
    LPSTR argv[] = {name};
    service->ServiceMain(1, argv);
    Sleep(1100);
    service->ControlHandler(SERVICE_CONTROL_SHUTDOWN);
    EXPECT_EQ(JoinHalves(5, 6), StoredTotal());
    EXPECT_EQ((std::vector<Tone>{{1000, 100}, {100, 100}}), g_tones);
}

TEST_F(AccountingTest, QueryThatNeverOpenedAddsNothing)
{
    service->LaunchStep();
    WriteDword(kHklm, VASK_STORE_KEY, VASK_VALUE_LOW, 6);
    // The shutdown notification without a service start: no query is open.
    service->ControlHandler(SERVICE_CONTROL_SHUTDOWN);
    DWORD low = 0;
    EXPECT_TRUE(ReadDword(kHklm, VASK_STORE_KEY, VASK_VALUE_LOW, &low));
    EXPECT_EQ(6u, low);
    EXPECT_FALSE(ReadDword(kHklm, VASK_STORE_KEY, VASK_VALUE_HIGH, &low));
}

TEST_F(AccountingTest, StoreDeletedWhileRunningLosesThisBootQuietly)
{
    Start();
    DeleteTree(kHklm, VASK_STORE_KEY);
    service->ControlHandler(SERVICE_CONTROL_SHUTDOWN);
    EXPECT_FALSE(KeyExists(kHklm, VASK_STORE_KEY));
    EXPECT_EQ(3u, g_tones.size());
}

} // namespace
