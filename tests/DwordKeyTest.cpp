#include <gtest/gtest.h>

#include "DwordKey.h"
#include "ElapsedStore.h"
#include "Registry.h"

namespace {

const char kTestKey[] = "SOFTWARE\\Tovarn\\VaskKeyTest";

class DwordKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, kTestKey);
        WriteDword(HKEY_LOCAL_MACHINE, kTestKey, "Present", 0x12345678);
    }
    void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kTestKey); }
};

bool HandleIsOpen(HKEY key)
{
    return RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
                            NULL) == ERROR_SUCCESS;
}

struct StoredValue {
    const char* label;
    DWORD type;
    std::string bytes;
    bool readable;
    DWORD expected;
};

TEST_F(DwordKeyTest, QueryValueReadsExactlyFourBytesOfAnyType)
{
    const StoredValue cases[] = {
        {"dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4), true, 0x12345678},
        {"four-byte string", REG_SZ, std::string("abc\0", 4), true, 0x00636261},
        {"four-byte binary", REG_BINARY, std::string("\x01\x00\x00\x80", 4), true, 0x80000001},
        {"eight bytes", REG_QWORD, std::string("\x01\0\0\0\0\0\0\0", 8), false, 0},
        {"two bytes", REG_BINARY, std::string("\x05\x00", 2), false, 0},
        {"no data", REG_BINARY, std::string(), false, 0},
    };
    for (const StoredValue& c : cases) {
        WriteRaw(HKEY_LOCAL_MACHINE, kTestKey, "V", c.type, c.bytes.data(),
                 static_cast<DWORD>(c.bytes.size()));
        CDwordKey key;
        ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey));
        DWORD value = 0xDEADBEEF;
        EXPECT_EQ(c.readable, key.QueryValue("V", &value)) << c.label;
        EXPECT_EQ(c.readable ? c.expected : 0xDEADBEEF, value) << c.label;
    }
}

TEST_F(DwordKeyTest, MissingValueFailsAndReportsTheError)
{
    CDwordKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey));
    DWORD value = 7;
    DWORD error = 0;
    EXPECT_FALSE(key.QueryValue("Absent", &value, &error));
    EXPECT_EQ(error, key.LastError());
    EXPECT_EQ(7u, value);
}

TEST_F(DwordKeyTest, SetValueWritesAFourByteDword)
{
    WriteRaw(HKEY_LOCAL_MACHINE, kTestKey, "V", REG_SZ, "long text", 10);
    CDwordKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey));
    EXPECT_TRUE(key.SetValue("V", 0xFFFFFFFF));
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRaw(HKEY_LOCAL_MACHINE, kTestKey, "V", &type, &data));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(std::string("\xFF\xFF\xFF\xFF", 4), data);
}

TEST_F(DwordKeyTest, WithoutAKeyEveryOperationFailsAndTouchesNothing)
{
    CDwordKey key;
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tovarn\\NoSuchKey"));
    EXPECT_EQ(NULL, key.Handle());
    DWORD lastError = key.LastError();

    DWORD value = 42;
    DWORD error = 99;
    EXPECT_FALSE(key.QueryValue("Present", &value, &error));
    EXPECT_FALSE(key.SetValue("Present", 1, &error));
    EXPECT_FALSE(key.Close());
    EXPECT_EQ(42u, value);
    EXPECT_EQ(99u, error);
    EXPECT_EQ(lastError, key.LastError());
    DWORD stored = 0;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, kTestKey, "Present", &stored));
    EXPECT_EQ(0x12345678u, stored);
}

TEST_F(DwordKeyTest, OpenClosesThePreviousKeyEvenWhenTheNewOpenFails)
{
    CDwordKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey));
    HKEY first = key.Handle();
    ASSERT_TRUE(HandleIsOpen(first));
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Tovarn\\NoSuchKey"));
    EXPECT_EQ(NULL, key.Handle());
    EXPECT_FALSE(HandleIsOpen(first));
}

TEST_F(DwordKeyTest, CloseAndDestructionCloseTheKey)
{
    HKEY handle;
    {
        CDwordKey key;
        ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey));
        handle = key.Handle();
    }
    EXPECT_FALSE(HandleIsOpen(handle));

    CDwordKey key;
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey));
    handle = key.Handle();
    EXPECT_TRUE(key.Close());
    EXPECT_EQ(NULL, key.Handle());
    EXPECT_FALSE(HandleIsOpen(handle));
    EXPECT_FALSE(key.Close());
}

// Windows keeps the class of an existing key; Wine 8 replaces it, so only a new key's
// class is checked here.
TEST_F(DwordKeyTest, CreateKeyCreatesTheKeyWithItsClass)
{
    const char created[] = "SOFTWARE\\Tovarn\\VaskKeyTest\\Created";
    char storeClass[] = VASK_STORE_CLASS;
    EXPECT_TRUE(CreateKey(HKEY_LOCAL_MACHINE, created, storeClass));
    EXPECT_EQ("REG_DWORD", KeyClass(HKEY_LOCAL_MACHINE, created));
    EXPECT_TRUE(CreateKey(HKEY_LOCAL_MACHINE, created, storeClass)) << "an existing key";
}

TEST(ElapsedSecondsTest, HalvesJoinAndSplit)
{
    ElapsedSeconds total = JoinHalves(0x00000002, 0xFFFFFFFF);
    EXPECT_EQ(0x2FFFFFFFFull, total);
    EXPECT_EQ(0x00000003u, HighHalf(total + 1));
    EXPECT_EQ(0x00000000u, LowHalf(total + 1));
}

} // namespace
