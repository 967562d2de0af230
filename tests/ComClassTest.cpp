// The class object and the instance, called directly in this process: a cross-process proxy
// under Wine answers some of these calls itself.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include "ClassEntries.h"
#include "ClassTable.h"
#include "ElapsedTimeService.h"
#include "ProductIds.h"
#include "TypeLibrary.h"

namespace {

// An outer object that counts the calls its inner object passes on to it.
class CountingOuter : public IUnknown {
public:
    LONG queries = 0, addRefs = 0, releases = 0;
    STDMETHODIMP QueryInterface(REFIID, void** object) override
    {
        ++queries;
        *object = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++addRefs; }
    STDMETHODIMP_(ULONG) Release() override { return ++releases; }
};

class ComClassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        module = new CElapsedTimeService;
        ASSERT_EQ(S_OK, g_classTable[0].getClassObject(IID_IClassFactory,
                                                       reinterpret_cast<void**>(&factory)));
    }
    void TearDown() override
    {
        if (factory)
            factory->Release();
        delete module;
        CoUninitialize();
    }

    IDispatch* NewInstance()
    {
        IDispatch* dispatch = NULL;
        EXPECT_EQ(S_OK,
                  factory->CreateInstance(NULL, IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
        return dispatch;
    }
    LONG Locks() const { return module->m_lockCount; }

    CElapsedTimeService* module = NULL;
    IClassFactory* factory = NULL;
};

TEST(ClassTableTest, HasOneRowForTheClass)
{
    EXPECT_TRUE(IsEqualCLSID(kClsidElapsedTime, *g_classTable[0].clsid));
    EXPECT_EQ(0u, g_classTable[0].cookie);
    EXPECT_EQ(NULL, g_classTable[1].clsid);
}

TEST_F(ComClassTest, ClassObjectAnswersOnlyIUnknownAndIClassFactoryAndHoldsNoLock)
{
    IUnknown* unknown = NULL;
    EXPECT_EQ(S_OK, factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(static_cast<IUnknown*>(factory), unknown);
    unknown->Release();

    const IID refused[] = {IID_IDispatch, IID_IClassFactory2, IID_IPersist, kIidElapsedTime};
    for (const IID& iid : refused) {
        void* object = &object;
        EXPECT_EQ(E_NOINTERFACE, factory->QueryInterface(iid, &object));
        EXPECT_EQ(NULL, object);
    }
    void* object = NULL;
    EXPECT_EQ(E_NOINTERFACE, g_classTable[0].getClassObject(IID_IPersist, &object));
    EXPECT_EQ(NULL, object);
    EXPECT_EQ(0, Locks());
}

TEST_F(ComClassTest, CreateInstanceChecksItsArguments)
{
    EXPECT_EQ(E_POINTER, factory->CreateInstance(NULL, IID_IUnknown, NULL));

    CountingOuter outer;
    const IID notUnknown[] = {IID_IDispatch, kIidElapsedTime, IID_IProvideClassInfo};
    for (const IID& iid : notUnknown) {
        void* object = &object;
        EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, iid, &object));
        EXPECT_EQ(NULL, object);
    }
    EXPECT_EQ(0, outer.queries + outer.addRefs + outer.releases);

    void* object = &object;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(NULL, IID_IPersist, &object));
    EXPECT_EQ(NULL, object);
    EXPECT_EQ(0, Locks()) << "a refused instance still holds the server";
}

TEST_F(ComClassTest, InstanceHoldsOneServerLockForItsLifetime)
{
    IDispatch* first = NewInstance();
    IDispatch* second = NewInstance();
    EXPECT_EQ(2, Locks());
    EXPECT_EQ(2u, first->AddRef());
    EXPECT_EQ(1u, first->Release());
    EXPECT_EQ(0u, first->Release());
    EXPECT_EQ(1, Locks());
    EXPECT_EQ(0u, second->Release());
    EXPECT_EQ(0, Locks());
}

TEST_F(ComClassTest, LockServerCountsLocks)
{
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(2, Locks());
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(0, Locks());
}

TEST_F(ComClassTest, QueryInterfaceOfTheInstance)
{
    IDispatch* dispatch = NewInstance();
    ASSERT_TRUE(dispatch);
    const IID same[] = {IID_IUnknown, IID_IDispatch, kIidElapsedTime};
    for (const IID& iid : same) {
        IUnknown* object = NULL;
        EXPECT_EQ(S_OK, dispatch->QueryInterface(iid, reinterpret_cast<void**>(&object)));
        EXPECT_EQ(static_cast<IUnknown*>(dispatch), object);
        object->Release();
    }
    IProvideClassInfo* classInfo = NULL;
    EXPECT_EQ(S_OK, dispatch->QueryInterface(IID_IProvideClassInfo,
                                             reinterpret_cast<void**>(&classInfo)));
    ASSERT_TRUE(classInfo);
    EXPECT_NE(static_cast<void*>(dispatch), static_cast<void*>(classInfo));
    IUnknown* identity = NULL;
    classInfo->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(static_cast<IUnknown*>(dispatch), identity);
    identity->Release();
    classInfo->Release();

    const IID refused[] = {IID_IProvideClassInfo2, IID_IPersist, IID_IClassFactory,
                           IID_ITypeInfo, IID_IMarshal};
    for (const IID& iid : refused) {
        void* object = &object;
        EXPECT_EQ(E_NOINTERFACE, dispatch->QueryInterface(iid, &object));
        EXPECT_EQ(NULL, object);
    }
    EXPECT_EQ(E_POINTER, dispatch->QueryInterface(IID_IUnknown, NULL));
    EXPECT_EQ(0u, dispatch->Release());
}

TEST_F(ComClassTest, DispatchKnowsNoNamesAndNoMembers)
{
    IDispatch* dispatch = NewInstance();
    ASSERT_TRUE(dispatch);
    WCHAR name[] = L"Anything";
    LPOLESTR names[] = {name};
    DISPID id = 1234;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id));
    EXPECT_EQ(1234, id);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, NULL, 0, 0, NULL));

    VARIANT argument;
    VariantInit(&argument);
    DISPPARAMS none = {NULL, NULL, 0, 0};
    DISPPARAMS one = {&argument, NULL, 1, 0};
    const struct {
        DISPID id;
        DISPPARAMS* params;
        HRESULT expected;
    } calls[] = {
        {0, &none, DISP_E_MEMBERNOTFOUND},       {DISPID_VALUE, &none, DISP_E_MEMBERNOTFOUND},
        {12345, &none, DISP_E_MEMBERNOTFOUND},   {0, &one, DISP_E_BADPARAMCOUNT},
        {12345, &one, DISP_E_BADPARAMCOUNT},     {0, NULL, DISP_E_BADVARTYPE},
    };
    for (const auto& call : calls) {
        VARIANT result;
        result.vt = VT_I4;
        result.lVal = 7;
        EXPECT_EQ(call.expected, dispatch->Invoke(call.id, IID_NULL, 0, DISPATCH_METHOD,
                                                  call.params, &result, NULL, NULL))
            << call.id;
        // Only a call that got as far as the member lookup clears the result.
        EXPECT_EQ(call.expected == DISP_E_MEMBERNOTFOUND ? VT_EMPTY : VT_I4, result.vt);
    }
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              dispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, NULL, NULL, NULL));
    dispatch->Release();
}

TEST_F(ComClassTest, TypeInfoOfTheInterfaceComesFromTheProgramFile)
{
    IDispatch* dispatch = NewInstance();
    ASSERT_TRUE(dispatch);
    UINT count = 99;
    EXPECT_EQ(E_POINTER, dispatch->GetTypeInfoCount(NULL));
    EXPECT_EQ(S_OK, dispatch->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);

    ITypeInfo* typeInfo = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(DISP_E_BADINDEX, dispatch->GetTypeInfo(1, 0, &typeInfo));
    EXPECT_EQ(DISP_E_BADINDEX, dispatch->GetTypeInfo(1, 0, NULL));
    EXPECT_EQ(E_POINTER, dispatch->GetTypeInfo(0, 0, NULL));

    ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, 0x0409, &typeInfo));
    TYPEATTR* attributes;
    ASSERT_EQ(S_OK, typeInfo->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualIID(kIidElapsedTime, attributes->guid));
    typeInfo->ReleaseTypeAttr(attributes);

    // The interface's own view: the slots of IUnknown and IDispatch, nothing of its own.
    HREFTYPE vtableView;
    ITypeInfo* vtable = NULL;
    ASSERT_EQ(S_OK, typeInfo->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableView));
    ASSERT_EQ(S_OK, typeInfo->GetRefTypeInfo(vtableView, &vtable));
    ASSERT_EQ(S_OK, vtable->GetTypeAttr(&attributes));
    EXPECT_EQ(TKIND_INTERFACE, attributes->typekind);
    EXPECT_EQ(0, attributes->cFuncs);
    EXPECT_EQ(7 * sizeof(void*), attributes->cbSizeVft);
    vtable->ReleaseTypeAttr(attributes);
    vtable->Release();
    typeInfo->Release();

    // Nothing was registered on the way.
    ExpectTypeLibNotRegistered();
    dispatch->Release();
}

TEST_F(ComClassTest, ClassInfoNeedsTheRegisteredLibraryAndIsKeptOnceLoaded)
{
    IDispatch* dispatch = NewInstance();
    ASSERT_TRUE(dispatch);
    IProvideClassInfo* provider = NULL;
    ASSERT_EQ(S_OK, dispatch->QueryInterface(IID_IProvideClassInfo,
                                             reinterpret_cast<void**>(&provider)));
    EXPECT_EQ(E_POINTER, provider->GetClassInfo(NULL));

    ITypeInfo* typeInfo = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(TYPE_E_LIBNOTREGISTERED, provider->GetClassInfo(&typeInfo));
    EXPECT_EQ(NULL, typeInfo);

    ASSERT_EQ(S_OK, RegisterModuleTypeLib());
    ASSERT_EQ(S_OK, provider->GetClassInfo(&typeInfo));
    TYPEATTR* attributes;
    ASSERT_EQ(S_OK, typeInfo->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualCLSID(kClsidElapsedTime, attributes->guid));
    EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
    typeInfo->ReleaseTypeAttr(attributes);
    ITypeInfo2* typeInfo2 = NULL;
    EXPECT_EQ(S_OK, typeInfo->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(&typeInfo2)));
    if (typeInfo2)
        typeInfo2->Release();

    // Kept: the same description comes back even once the registration is gone.
    EXPECT_EQ(S_OK, UnregisterModuleTypeLib());
    ITypeInfo* again = NULL;
    EXPECT_EQ(S_OK, provider->GetClassInfo(&again));
    EXPECT_EQ(typeInfo, again);
    again->Release();
    typeInfo->Release();
    provider->Release();
    dispatch->Release();
}

TEST_F(ComClassTest, ClassInfoIsLoadedAgainByANewModule)
{
    // The previous module's teardown released the kept description.
    IDispatch* dispatch = NewInstance();
    ASSERT_TRUE(dispatch);
    IProvideClassInfo* provider = NULL;
    ASSERT_EQ(S_OK, dispatch->QueryInterface(IID_IProvideClassInfo,
                                             reinterpret_cast<void**>(&provider)));
    ITypeInfo* typeInfo = NULL;
    EXPECT_EQ(TYPE_E_LIBNOTREGISTERED, provider->GetClassInfo(&typeInfo));
    provider->Release();
    dispatch->Release();
}

TEST_F(ComClassTest, AggregatedInstancePassesItsIdentityToTheOuterObject)
{
    CountingOuter outer;
    IUnknown* inner = NULL;
    ASSERT_EQ(S_OK, factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&inner)));
    EXPECT_EQ(1, Locks());

    IDispatch* dispatch = NULL;
    ASSERT_EQ(S_OK, inner->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
    EXPECT_EQ(1, outer.addRefs) << "the reference the inner object handed out is the outer's";
    EXPECT_NE(static_cast<IUnknown*>(dispatch), inner);

    IUnknown* viaDispatch = NULL;
    EXPECT_EQ(E_NOINTERFACE,
              dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&viaDispatch)));
    EXPECT_EQ(1, outer.queries);
    dispatch->AddRef();
    dispatch->Release();
    dispatch->Release();
    EXPECT_EQ(2, outer.addRefs);
    EXPECT_EQ(2, outer.releases);

    IUnknown* self = NULL;
    EXPECT_EQ(S_OK, inner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self)));
    EXPECT_EQ(inner, self);
    EXPECT_EQ(1u, self->Release());
    EXPECT_EQ(1, Locks());
    EXPECT_EQ(0u, inner->Release());
    EXPECT_EQ(0, Locks());
}

// The host serves on this thread as a plain server with a short idle period, while a client
// on another thread holds the server by LockServer alone.
struct LockingClient {
    CElapsedTimeService* module;
    volatile bool released;
};

DWORD WINAPI LockHoldRelease(void* param)
{
    LockingClient* client = static_cast<LockingClient*>(param);
    IClassFactory* factory = NULL;
    g_classTable[0].getClassObject(IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (!factory) {
        PostThreadMessageA(client->module->m_mainThreadId, WM_QUIT, 0, 0);
        return 1;
    }
    factory->LockServer(TRUE);
    Sleep(1000);  // more than three quiet periods
    client->released = true;
    factory->LockServer(FALSE);
    factory->Release();
    return 0;
}

TEST(PlainServerLockTest, LockServerAloneKeepsAPlainServerAndItsReleaseEndsIt)
{
    CElapsedTimeService* module = new CElapsedTimeService;
    module->m_runningAsService = FALSE;
    module->m_idleTimeout = 300;
    module->m_exitPause = 0;
    LockingClient client = {module, false};
    DWORD start = GetTickCount();
    HANDLE thread = CreateThread(NULL, 0, LockHoldRelease, &client, 0, NULL);
    EXPECT_EQ(S_OK, module->RunServer(0));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    CloseHandle(thread);
    EXPECT_TRUE(client.released) << "ended while the lock was held";
    EXPECT_GE(elapsed, 1200u) << "no quiet period after the release";
    EXPECT_LT(elapsed, 5000u);
    EXPECT_EQ(0, module->m_lockCount);
    delete module;
}

} // namespace
