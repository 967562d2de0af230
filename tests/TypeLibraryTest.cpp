// The type library as built into the program file, read with the OLE Automation calls.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include "ProductIds.h"
#include "Programs.h"

namespace {

const GUID kStdOle = {0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], wide.size()) - 1);
    return wide;
}

void ExpectDocumentation(ITypeLib* library, int index, const wchar_t* name, const wchar_t* help)
{
    BSTR actualName = NULL, actualHelp = NULL, helpFile = NULL;
    ASSERT_EQ(S_OK, library->GetDocumentation(index, &actualName, &actualHelp, NULL, &helpFile));
    EXPECT_STREQ(name, actualName);
    EXPECT_STREQ(help, actualHelp);
    EXPECT_EQ(NULL, helpFile);
    SysFreeString(actualName);
    SysFreeString(actualHelp);
    SysFreeString(helpFile);
}

class TypeLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        ASSERT_EQ(S_OK, LoadTypeLib(Wide(ServiceExePath()).c_str(), &library));
    }
    void TearDown() override
    {
        if (library)
            library->Release();
        CoUninitialize();
    }

    ITypeInfo* TypeOf(const GUID& guid, TYPEATTR** attributes)
    {
        ITypeInfo* typeInfo = NULL;
        EXPECT_EQ(S_OK, library->GetTypeInfoOfGuid(guid, &typeInfo));
        if (typeInfo) {
            EXPECT_EQ(S_OK, typeInfo->GetTypeAttr(attributes));
        }
        return typeInfo;
    }

    ITypeLib* library = NULL;
};

TEST(TypeLibraryResourceTest, IsTypeLibResourceOneInUsEnglish)
{
    HMODULE file = LoadLibraryExA(ServiceExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(file);
    EXPECT_TRUE(FindResourceExA(file, "TYPELIB", MAKEINTRESOURCEA(1), 0x0409));
    FreeLibrary(file);
}

TEST_F(TypeLibraryTest, Library)
{
    TLIBATTR* attributes;
    ASSERT_EQ(S_OK, library->GetLibAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(kAppId, attributes->guid));
    EXPECT_EQ(static_cast<LCID>(LANG_NEUTRAL), attributes->lcid);
#ifdef _WIN64
    EXPECT_EQ(SYS_WIN64, attributes->syskind);
#else
    EXPECT_EQ(SYS_WIN32, attributes->syskind);
#endif
    EXPECT_EQ(1, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    // Wine marks every library loaded from a file as having a disk image.
    EXPECT_EQ(0, attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE);
    library->ReleaseTLibAttr(attributes);
    ExpectDocumentation(library, -1, L"VaskService", L"VaskService 1.0 Type Library");
    EXPECT_EQ(2u, library->GetTypeInfoCount()) << "the interface and the class, nothing else";
}

TEST_F(TypeLibraryTest, DualInterfaceWithoutMembersOfItsOwn)
{
    TYPEATTR* attributes = NULL;
    ITypeInfo* dispatchView = TypeOf(kIidElapsedTime, &attributes);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(TKIND_DISPATCH, attributes->typekind);
    EXPECT_EQ(0, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    dispatchView->ReleaseTypeAttr(attributes);

    UINT index;
    ASSERT_EQ(S_OK, dispatchView->GetContainingTypeLib(NULL, &index));
    ExpectDocumentation(library, index, L"IElapsedTime", L"IElapsedTime Interface");

    HREFTYPE reference;
    ITypeInfo* vtableView = NULL;
    ASSERT_EQ(S_OK, dispatchView->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference));
    ASSERT_EQ(S_OK, dispatchView->GetRefTypeInfo(reference, &vtableView));
    ASSERT_EQ(S_OK, vtableView->GetTypeAttr(&attributes));
    EXPECT_EQ(TKIND_INTERFACE, attributes->typekind);
    EXPECT_EQ(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE,
              attributes->wTypeFlags);
    EXPECT_EQ(0, attributes->cFuncs);
    EXPECT_EQ(0, attributes->cVars);
    EXPECT_EQ(7 * sizeof(void*), attributes->cbSizeVft);
    EXPECT_EQ(1, attributes->cImplTypes);
    vtableView->ReleaseTypeAttr(attributes);

    // Its base is IDispatch, imported from stdole2.tlb.
    ITypeInfo* base = NULL;
    ASSERT_EQ(S_OK, vtableView->GetRefTypeOfImplType(0, &reference));
    ASSERT_EQ(S_OK, vtableView->GetRefTypeInfo(reference, &base));
    ASSERT_EQ(S_OK, base->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualIID(IID_IDispatch, attributes->guid));
    base->ReleaseTypeAttr(attributes);
    ITypeLib* baseLibrary = NULL;
    ASSERT_EQ(S_OK, base->GetContainingTypeLib(&baseLibrary, &index));
    TLIBATTR* baseLibraryAttributes;
    ASSERT_EQ(S_OK, baseLibrary->GetLibAttr(&baseLibraryAttributes));
    EXPECT_TRUE(IsEqualGUID(kStdOle, baseLibraryAttributes->guid));
    baseLibrary->ReleaseTLibAttr(baseLibraryAttributes);
    baseLibrary->Release();
    base->Release();
    vtableView->Release();
    dispatchView->Release();
}

TEST_F(TypeLibraryTest, CreatableClassWithTheInterfaceAsDefault)
{
    TYPEATTR* attributes = NULL;
    ITypeInfo* coclass = TypeOf(kClsidElapsedTime, &attributes);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
    EXPECT_EQ(TYPEFLAG_FCANCREATE, attributes->wTypeFlags);
    EXPECT_EQ(1, attributes->wMajorVerNum);
    EXPECT_EQ(0, attributes->wMinorVerNum);
    EXPECT_EQ(1, attributes->cImplTypes);
    coclass->ReleaseTypeAttr(attributes);

    UINT index;
    ASSERT_EQ(S_OK, coclass->GetContainingTypeLib(NULL, &index));
    ExpectDocumentation(library, index, L"CElapsedTime", L"ElapsedTime Class");

    INT implFlags = 0;
    EXPECT_EQ(S_OK, coclass->GetImplTypeFlags(0, &implFlags));
    EXPECT_EQ(IMPLTYPEFLAG_FDEFAULT, implFlags);
    HREFTYPE reference;
    ITypeInfo* implemented = NULL;
    ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(0, &reference));
    ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(reference, &implemented));
    ASSERT_EQ(S_OK, implemented->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualIID(kIidElapsedTime, attributes->guid));
    implemented->ReleaseTypeAttr(attributes);
    implemented->Release();
    coclass->Release();
}

} // namespace
