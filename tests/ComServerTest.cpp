// The program as a real COM server: registered by its verbs, launched by COM for a client in
// this process (or for a script), and ended again.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include <fstream>

#include "ClassEntries.h"
#include "ProductIds.h"
#include "Programs.h"
#include "Registry.h"
#include "ServerProcesses.h"

namespace {

const DWORD kVerbTimeoutMs = 30000;
#define CLASS_KEY "CLSID\\" VASK_CLSID_ELAPSEDTIME_TEXT

DWORD RunVerb(const std::string& exe, const char* verb)
{
    DWORD code = 0xDEADBEEF;
    EXPECT_TRUE(RunProgram(exe, verb, kVerbTimeoutMs, &code)) << verb;
    return code;
}

HRESULT UnregisteredTypeLibResult()
{
#ifdef _WIN64
    return UnRegisterTypeLib(kAppId, 1, 0, LANG_NEUTRAL, SYS_WIN64);
#else
    return UnRegisterTypeLib(kAppId, 1, 0, LANG_NEUTRAL, SYS_WIN32);
#endif
}

template <typename T> T* Query(IUnknown* object, REFIID iid, HRESULT expected = S_OK)
{
    T* result = NULL;
    EXPECT_EQ(expected, object->QueryInterface(iid, reinterpret_cast<void**>(&result)));
    return result;
}

GUID TypeGuid(ITypeInfo* typeInfo)
{
    GUID guid = GUID_NULL;
    TYPEATTR* attributes;
    if (typeInfo && SUCCEEDED(typeInfo->GetTypeAttr(&attributes))) {
        guid = attributes->guid;
        typeInfo->ReleaseTypeAttr(attributes);
    }
    return guid;
}

// A script host of Wine's as a third-party client: it creates the class by ProgID and calls
// into it; the script ends with 0 only when every call raised an error. (Wine's JScript reads
// an unknown property as undefined instead of raising an error, so no property is read.) The
// object is let go before WScript.Quit, which ends the process at once.
DWORD RunClientScript()
{
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    std::string script = std::string(directory) + "vask-client.js";
    std::ofstream(script.c_str()) << "var o = new ActiveXObject(\"VaskService.ElapsedTime\");\n"
                                     "var errors = 0;\n"
                                     "try { o.Start(); } catch (e) { ++errors; }\n"
                                     "try { o.Add(1, \"x\"); } catch (e) { ++errors; }\n"
                                     "try { o.Value = 1; } catch (e) { ++errors; }\n"
                                     "o = null;\n"
                                     "WScript.Quit(errors == 3 ? 0 : 1);\n";
    DWORD code = 0xDEADBEEF;
    EXPECT_TRUE(RunProgram("C:\\windows\\system32\\cscript.exe", "//nologo \"" + script + "\"",
                           30000, &code));
    DeleteFileA(script.c_str());
    return code;
}

class ComServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        exe = ServiceExePath();
    }
    void TearDown() override
    {
        EXPECT_TRUE(WaitForNoServer(15000)) << "a server outlived its test";
        RunVerb(exe, "-UnregServer");
        CoUninitialize();
    }
    std::string exe;
};

TEST_F(ComServerTest, VerbsWriteAndRemoveTheClassEntriesAndTheTypeLibrary)
{
    ASSERT_EQ(0u, RunVerb(exe, "-RegServer"));
    ExpectClassEntries(exe);
    ExpectTypeLibRegistered(exe);

    WriteRaw(HKEY_CLASSES_ROOT, CLASS_KEY "\\Foreign", NULL, REG_SZ, "x", 2);
    ASSERT_EQ(0u, RunVerb(exe, "-Service"));
    ExpectClassEntries(exe);
    ExpectTypeLibRegistered(exe);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, CLASS_KEY "\\Foreign"));

    ASSERT_EQ(0u, RunVerb(exe, "-UnregServer"));
    ExpectNoClassEntries();
    ExpectTypeLibNotRegistered();

    HRESULT notRegistered = UnregisteredTypeLibResult();
    ASSERT_TRUE(FAILED(notRegistered));
    EXPECT_EQ(static_cast<DWORD>(notRegistered), RunVerb(exe, "-UnregServer"));
}

// The path goes into the class entries as it is: no script quoting, no placeholder reading.
// Wine starts no program whose path has 260 characters or more (CreateProcess fails with
// ERROR_INVALID_NAME), so the longest path it can run is what is tried at the other end.
TEST_F(ComServerTest, ProgramPathsAreWrittenUnchanged)
{
    const std::string directories[] = {
        "C:\\vask-it's 100%",
        "C:\\vask-long\\" + std::string(230, 'd'),
    };
    for (const std::string& directory : directories) {
        const std::string copy = directory + "\\VaskService.exe";
        SCOPED_TRACE(copy);
        CreateDirectoryA("C:\\vask-long", NULL);
        ASSERT_TRUE(CreateDirectoryA(directory.c_str(), NULL) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CopyFileA(exe.c_str(), copy.c_str(), FALSE));

        EXPECT_EQ(0u, RunVerb(copy, "-RegServer"));
        ExpectClassEntries(copy);
        ExpectTypeLibRegistered(copy);
        EXPECT_EQ(0u, RunVerb(copy, "-UnregServer"));
        ExpectNoClassEntries();
        ExpectTypeLibNotRegistered();

        DeleteFileA(copy.c_str());
        RemoveDirectoryA(directory.c_str());
    }
    RemoveDirectoryA("C:\\vask-long");
    EXPECT_EQ(259u, directories[1].size() + strlen("\\VaskService.exe"));
}

TEST_F(ComServerTest, PlainServerServesClientsAndEndsSixSecondsAfterTheLastLeaves)
{
    ASSERT_EQ(0u, RunVerb(exe, "-RegServer"));
    CLSID clsid = GUID_NULL, versioned = GUID_NULL;
    EXPECT_EQ(S_OK, CLSIDFromProgID(L"VaskService.ElapsedTime", &clsid));
    EXPECT_EQ(S_OK, CLSIDFromProgID(L"VaskService.ElapsedTime.1", &versioned));
    EXPECT_TRUE(IsEqualCLSID(kClsidElapsedTime, clsid));
    EXPECT_TRUE(IsEqualCLSID(kClsidElapsedTime, versioned));

    IDispatch* dispatch = NULL;
    ASSERT_EQ(S_OK, CoCreateInstance(clsid, NULL, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&dispatch)));
    std::vector<DWORD> servers = ServerProcessIds();
    ASSERT_EQ(1u, servers.size());
    HANDLE server = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, servers[0]);
    ASSERT_TRUE(server);

    // Identity.
    const IID answered[] = {IID_IUnknown, IID_IDispatch, kIidElapsedTime};
    for (const IID& iid : answered)
        if (IUnknown* object = Query<IUnknown>(dispatch, iid))
            object->Release();
    IProvideClassInfo* provider = Query<IProvideClassInfo>(dispatch, IID_IProvideClassInfo);
    EXPECT_EQ(NULL, Query<IUnknown>(dispatch, IID_IProvideClassInfo2, E_NOINTERFACE));
    EXPECT_EQ(NULL, Query<IUnknown>(dispatch, IID_IPersist, E_NOINTERFACE));

    // Automation: no names, no members, the interface's and the class's descriptions.
    WCHAR name[] = L"Start";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, names, 1, 0x0409, &id));
    VARIANT argument, result;
    VariantInit(&argument);
    VariantInit(&result);
    DISPPARAMS none = {NULL, NULL, 0, 0}, one = {&argument, NULL, 1, 0};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, &result, NULL, NULL));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT,
              dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &one, &result, NULL, NULL));
    UINT count = 0;
    EXPECT_EQ(S_OK, dispatch->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    ITypeInfo* typeInfo = NULL;
    EXPECT_EQ(DISP_E_BADINDEX, dispatch->GetTypeInfo(1, 0, &typeInfo));
    ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, 0, &typeInfo));
    EXPECT_TRUE(IsEqualIID(kIidElapsedTime, TypeGuid(typeInfo)));
    typeInfo->Release();
    ASSERT_TRUE(provider);
    ASSERT_EQ(S_OK, provider->GetClassInfo(&typeInfo));
    EXPECT_TRUE(IsEqualCLSID(kClsidElapsedTime, TypeGuid(typeInfo)));
    typeInfo->Release();
    provider->Release();

    // Only an IUnknown may be asked for inside an outer object.
    IUnknown* aggregated = NULL;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              CoCreateInstance(clsid, dispatch, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&aggregated)));

    // A script is served by the same process.
    EXPECT_EQ(0u, RunClientScript());
    EXPECT_EQ(servers, ServerProcessIds());

    dispatch->Release();
    DWORD released = GetTickCount();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(server, 15000));
    DWORD lived = GetTickCount() - released;
    EXPECT_GE(lived, 5000u);
    EXPECT_LE(lived, 9000u);
    DWORD exitCode = 0xDEADBEEF;
    GetExitCodeProcess(server, &exitCode);
    EXPECT_EQ(0u, exitCode);
    CloseHandle(server);
}

TEST_F(ComServerTest, ServiceIsStartedForAClientAndNotStoppedByItsObjects)
{
    ASSERT_EQ(0u, RunVerb(exe, "-Service"));
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    ASSERT_TRUE(manager);
    SC_HANDLE service = OpenServiceA(manager, "VaskService", SERVICE_QUERY_STATUS | SERVICE_STOP);
    ASSERT_TRUE(service);
    auto state = [service] {
        SERVICE_STATUS status = {};
        QueryServiceStatus(service, &status);
        return status.dwCurrentState;
    };
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), state());

    for (int i = 0; i < 2; ++i) {
        IDispatch* dispatch = NULL;
        ASSERT_EQ(S_OK, CoCreateInstance(kClsidElapsedTime, NULL, CLSCTX_LOCAL_SERVER,
                                         IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
        // The class object is registered just before RUNNING is reported.
        EXPECT_TRUE(WaitUntil([&] { return state() == SERVICE_RUNNING; }, 5000));
        dispatch->Release();
    }
    // Longer than a plain server's idle period and exit pause.
    EXPECT_FALSE(WaitUntil([&] { return state() != SERVICE_RUNNING; }, 7000));
    EXPECT_EQ(1u, ServerProcessIds().size());

    SERVICE_STATUS status;
    EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_TRUE(WaitUntil([&] { return state() == SERVICE_STOPPED; }, 10000));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
}

} // namespace
