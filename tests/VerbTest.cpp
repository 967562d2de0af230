#include <gtest/gtest.h>

#include <vector>

#include "MessageBoxWatcher.h"
#include "Programs.h"
#include "Registry.h"
#include "ServiceScenario.h"

namespace {

const HKEY kHkcr = HKEY_CLASSES_ROOT;
const DWORD kNeverRegistered = ERROR_FILE_NOT_FOUND;
const DWORD kEFail = 0x80004005;

enum Registration { kNone, kPlain, kService };

std::string StringValue(HKEY root, const char* path, const char* name, DWORD* type = NULL)
{
    DWORD actualType = 0;
    std::string data;
    if (!ReadRaw(root, path, name, &actualType, &data))
        return "<absent>";
    if (type)
        *type = actualType;
    return data;
}

// Checks every trace of one registration state.
void ExpectRegistration(Registration expected)
{
    EXPECT_TRUE(KeyExists(kHkcr, "AppID")) << "the AppID key is never removed";
    if (expected == kNone) {
        EXPECT_FALSE(KeyExists(kHkcr, VASK_APPID_KEY));
        EXPECT_FALSE(KeyExists(kHkcr, VASK_APPID_EXE_KEY));
        EXPECT_FALSE(KeyExists(kHkcr, VASK_TYPELIB_KEY));
        EXPECT_EQ(0u, ServiceState(kServiceName));
        return;
    }
    DWORD type = 0;
    EXPECT_EQ(std::string("VaskService", 12), StringValue(kHkcr, VASK_APPID_KEY, NULL, &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::string(VASK_APPID_TEXT, 39), StringValue(kHkcr, VASK_APPID_EXE_KEY, "AppID"));
    EXPECT_TRUE(KeyExists(kHkcr, VASK_TYPELIB_KEY "\\1.0"));
    if (expected == kPlain) {
        EXPECT_EQ("<absent>", StringValue(kHkcr, VASK_APPID_KEY, "LocalService"));
        EXPECT_EQ(0u, ServiceState(kServiceName));
    } else {
        EXPECT_EQ(std::string("VaskService", 12),
                  StringValue(kHkcr, VASK_APPID_KEY, "LocalService", &type));
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
        EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), ServiceState(kServiceName));
    }
}

void Reach(Registration state)
{
    RemoveRegistration();
    if (state == kPlain) {
        ASSERT_EQ(0u, RunService("-RegServer"));
    } else if (state == kService) {
        ASSERT_EQ(0u, RunService("-Service"));
    }
}

class VerbTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveRegistration(); }
    void TearDown() override { RemoveRegistration(); }
};

struct VerbCase {
    const char* arguments;
    Registration before;
    Registration after;
    DWORD exitCode;
};

TEST_F(VerbTest, CommandLinesReachTheirStates)
{
    const VerbCase cases[] = {
        {"-RegServer", kNone, kPlain, 0},
        {"/regserver", kNone, kPlain, 0},
        {"/REGSERVER other words", kNone, kPlain, 0},
        {"x-RegServer", kNone, kPlain, 0},
        {"--RegServer", kNone, kPlain, 0},
        {"-Reg/RegServer", kNone, kPlain, 0},
        // No verb: the host starts and finds no registration.
        {"-RegServerX", kNone, kNone, kNeverRegistered},
        {"-RegServer,", kNone, kNone, kNeverRegistered},
        {"RegServer", kNone, kNone, kNeverRegistered},
        {"-Reg Server", kNone, kNone, kNeverRegistered},
        // The first candidate that is either first-pass verb decides.
        {"-RegServer -UnregServer", kNone, kPlain, 0},
        {"-UnregServer -RegServer", kPlain, kNone, 0},
        // "Service" is looked for only when the first pass found nothing.
        {"-Service -RegServer", kNone, kPlain, 0},
        {"/SERVICE", kNone, kService, 0},
        {"\t-service\t", kPlain, kService, 0},
        {"-Services", kNone, kNone, kNeverRegistered},
        // Each verb reaches its state whatever the state before.
        {"-Service", kService, kService, 0},
        {"-RegServer", kService, kPlain, 0},
        {"-UnregServer", kService, kNone, 0},
    };
    for (const VerbCase& c : cases) {
        SCOPED_TRACE(c.arguments);
        Reach(c.before);
        EXPECT_EQ(c.exitCode, RunService(c.arguments));
        ExpectRegistration(c.after);
    }
}

TEST_F(VerbTest, UnregServerWithNothingRegisteredEndsWithTheTypeLibraryFailure)
{
    DWORD exitCode = RunService("-UnregServer");
    EXPECT_TRUE(FAILED(static_cast<HRESULT>(exitCode))) << std::hex << exitCode;
    EXPECT_NE(0xDEADu, exitCode);
    ExpectRegistration(kNone);
}

TEST_F(VerbTest, ServiceIsCreatedExactlyAsStated)
{
    ASSERT_EQ(0u, RunService("-Service"));
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    ASSERT_TRUE(manager != NULL);
    SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_QUERY_CONFIG);
    ASSERT_TRUE(service != NULL);
    union {
        QUERY_SERVICE_CONFIGA config;
        char bytes[8192];
    } buffer;
    DWORD needed = 0;
    ASSERT_TRUE(QueryServiceConfigA(service, &buffer.config, sizeof(buffer), &needed));
    const QUERY_SERVICE_CONFIGA& config = buffer.config;
    EXPECT_EQ(static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS), config.dwServiceType);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_DEMAND_START), config.dwStartType);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_ERROR_NORMAL), config.dwErrorControl);
    EXPECT_EQ("\"" + ServiceExePath() + "\"", config.lpBinaryPathName);
    EXPECT_STREQ("VaskService", config.lpDisplayName);
    EXPECT_STREQ("LocalSystem", config.lpServiceStartName);
    EXPECT_STREQ("", config.lpLoadOrderGroup ? config.lpLoadOrderGroup : "");
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    // Wine does not report dependencies through QueryServiceConfigA; the SCM keeps them here.
    DWORD type = 0;
    std::string dependencies;
    ASSERT_TRUE(ReadRaw(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VaskService",
                        "DependOnService", &type, &dependencies));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
    EXPECT_EQ(std::string("RPCSS\0\0", 7), dependencies);
}

TEST_F(VerbTest, RegServerStopsAndRemovesARunningServiceWithoutAMessage)
{
    ASSERT_EQ(0u, RunService("-Service"));
    ASSERT_TRUE(StartAndWaitForService(kServiceName));
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_QUERY_STATUS);
    ASSERT_TRUE(service != NULL);
    HANDLE process = OpenServiceProcess(service);
    ASSERT_TRUE(process != NULL);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);

    MessageBoxWatcher boxes("VaskService");
    EXPECT_EQ(0u, RunService("-RegServer"));
    DWORD exitCode = 0xDEAD;
    EXPECT_TRUE(WaitForExit(process, 10000, &exitCode)) << "the service was stopped";
    EXPECT_EQ(0u, exitCode);
    CloseHandle(process);
    EXPECT_TRUE(WaitUntil([] { return ServiceState(kServiceName) == 0; }, 10000));
    ExpectRegistration(kPlain);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(VerbTest, UnregServerAfterTheAppIdKeyWasRemovedByHand)
{
    ASSERT_EQ(0u, RunService("-Service"));
    DeleteTree(kHkcr, VASK_APPID_KEY);
    EXPECT_EQ(0x80070002u, RunService("-UnregServer"));
    EXPECT_FALSE(KeyExists(kHkcr, VASK_TYPELIB_KEY));
    EXPECT_EQ(0u, ServiceState(kServiceName));
    EXPECT_TRUE(KeyExists(kHkcr, VASK_APPID_EXE_KEY)) << "the script did not run";
}

TEST_F(VerbTest, FailedCreationIsShownAndLeavesTheAppIdEntries)
{
    // A service of another name that already uses our display name makes creation fail.
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE decoy = CreateServiceA(manager, "VaskOther", "VaskService", SERVICE_ALL_ACCESS,
                                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                     SERVICE_ERROR_NORMAL, "C:\\windows\\notepad.exe", NULL,
                                     NULL, NULL, NULL, NULL);
    ASSERT_TRUE(decoy != NULL);
    CloseServiceHandle(decoy);
    CloseServiceHandle(manager);

    MessageBoxWatcher boxes("VaskService");
    HANDLE process = StartProgram(ServiceExePath(), "-Service");
    ASSERT_TRUE(process != NULL);
    DWORD exitCode = 0;
    EXPECT_TRUE(boxes.WaitForBoxes(1, 20000));
    EXPECT_TRUE(WaitForExit(process, 20000, &exitCode));
    EXPECT_EQ(kEFail, exitCode);
    std::vector<MessageBoxWatcher::Seen> seen = boxes.Boxes();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Could not start service", seen[0].text);
    EXPECT_EQ(NULL, seen[0].owner);
    EXPECT_EQ(GetProcessId(process), seen[0].processId);
    CloseHandle(process);
    EXPECT_EQ(0u, ServiceState(kServiceName));
    EXPECT_EQ(std::string("VaskService", 12), StringValue(kHkcr, VASK_APPID_KEY, "LocalService"));
    EXPECT_FALSE(KeyExists(kHkcr, VASK_TYPELIB_KEY)) << "the verb ended before RegisterServer";
}

TEST_F(VerbTest, ServiceAlreadyMarkedForDeletionCannotBeRemoved)
{
    ASSERT_EQ(0u, RunService("-Service"));
    ASSERT_TRUE(StartAndWaitForService(kServiceName));
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, kServiceName, DELETE);
    ASSERT_TRUE(service != NULL);
    ASSERT_TRUE(DeleteService(service));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);

    MessageBoxWatcher boxes("VaskService");
    EXPECT_EQ(kEFail, RunService("-RegServer"));
    std::vector<MessageBoxWatcher::Seen> seen = boxes.Boxes();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Could not delete service", seen[0].text);
    EXPECT_TRUE(WaitUntil([] { return ServiceState(kServiceName) == 0; }, 10000))
        << "the stop request still went out";
    EXPECT_EQ(std::string("VaskService", 12), StringValue(kHkcr, VASK_APPID_KEY, "LocalService"))
        << "the verb ended before the AppID step";
}

TEST_F(VerbTest, PathWithSpacesAndApostrophesRegisters)
{
    const char dir[] = "C:\\Vask test's dir";
    const std::string exe = std::string(dir) + "\\Vask O'Brien's.exe";
    CreateDirectoryA(dir, NULL);
    ASSERT_TRUE(CopyFileA(ServiceExePath().c_str(), exe.c_str(), FALSE));

    EXPECT_EQ(0u, RunService("-Service", exe));
    ExpectRegistration(kService);
    DWORD type = 0;
    std::string imagePath;
    EXPECT_TRUE(ReadRaw(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VaskService",
                        "ImagePath", &type, &imagePath));
    EXPECT_EQ("\"" + exe + "\"", std::string(imagePath.c_str()));
    EXPECT_EQ(0u, RunService("-UnregServer", exe));
    ExpectRegistration(kNone);

    DeleteFileA(exe.c_str());
    RemoveDirectoryA(dir);
}

} // namespace
