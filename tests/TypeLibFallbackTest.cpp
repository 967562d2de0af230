// This program carries no type library resource: the library is looked for in the ".tlb" file
// of the same name next to it.
#include <gtest/gtest.h>
#include <windows.h>

#include "ClassEntries.h"
#include "ElapsedTimeService.h"
#include "ProductIds.h"
#include "Programs.h"
#include "TypeLibrary.h"

namespace {

std::string SideBySideTlb()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string tlb = path;
    return tlb.substr(0, tlb.rfind('.')) + ".tlb";
}

class TypeLibFallbackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        module = new CElapsedTimeService;
        tlb = SideBySideTlb();
        ASSERT_TRUE(CopyFileA(WindowsPath(VASK_TYPELIB_FILE).c_str(), tlb.c_str(), FALSE));
    }
    void TearDown() override
    {
        DeleteFileA(tlb.c_str());
        delete module;
        CoUninitialize();
    }
    CElapsedTimeService* module = NULL;
    std::string tlb;
};

TEST_F(TypeLibFallbackTest, LoadsRegistersAndUnregistersTheTlbFile)
{
    ITypeLib* library = NULL;
    char path[MAX_PATH] = "";
    ASSERT_EQ(S_OK, LoadModuleTypeLib(&library, path));
    EXPECT_EQ(tlb, path);
    TLIBATTR* attributes;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(kAppId, attributes->guid));
    library->ReleaseTLibAttr(attributes);
    library->Release();

    ASSERT_EQ(S_OK, RegisterModuleTypeLib());
    ExpectTypeLibRegistered(tlb);
    EXPECT_EQ(S_OK, UnregisterModuleTypeLib());
    ExpectTypeLibNotRegistered();
}

TEST_F(TypeLibFallbackTest, WithoutTheFileFailsWithTheSecondLoadsResult)
{
    ASSERT_TRUE(DeleteFileA(tlb.c_str()));
    std::wstring wide(tlb.begin(), tlb.end());
    ITypeLib* library = NULL;
    HRESULT missing = LoadTypeLib(wide.c_str(), &library);
    ASSERT_TRUE(FAILED(missing));

    char path[MAX_PATH];
    library = reinterpret_cast<ITypeLib*>(1);
    EXPECT_EQ(missing, LoadModuleTypeLib(&library, path));
    EXPECT_EQ(NULL, library);
    EXPECT_EQ(missing, RegisterModuleTypeLib());
    EXPECT_EQ(missing, module->RegisterServer()) << "after the class entries";
    module->UnregisterServer();
}

} // namespace
