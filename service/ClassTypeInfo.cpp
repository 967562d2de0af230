#include "ClassTypeInfo.h"

#include "ProductIds.h"
#include "ServiceHost.h"
#include "TypeLibrary.h"

namespace {

ITypeInfo* g_classTypeInfo = NULL;

void ReleaseClassTypeInfo(void*)
{
    if (g_classTypeInfo) {
        g_classTypeInfo->Release();
        g_classTypeInfo = NULL;
    }
}

HRESULT LoadClassTypeInfo()
{
    ITypeLib* library;
    HRESULT hr = LoadRegTypeLib(kAppId, 1, 0, kTypeLibLcid, &library);
    if (FAILED(hr))
        return hr;
    ITypeInfo* typeInfo;
    hr = library->GetTypeInfoOfGuid(kClsidElapsedTime, &typeInfo);
    library->Release();
    if (FAILED(hr))
        return hr;

    ITypeInfo2* typeInfo2;
    if (SUCCEEDED(typeInfo->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(&typeInfo2)))) {
        typeInfo->Release();
        typeInfo = typeInfo2;
    }
    if (!g_pModule->AddCleanup(ReleaseClassTypeInfo, NULL)) {
        typeInfo->Release();
        return E_OUTOFMEMORY;
    }
    g_classTypeInfo = typeInfo;
    return S_OK;
}

} // namespace

HRESULT GetClassTypeInfo(ITypeInfo** typeInfo)
{
    *typeInfo = NULL;
    HRESULT hr = S_OK;
    EnterCriticalSection(&g_pModule->m_moduleLock);
    if (!g_classTypeInfo)
        hr = LoadClassTypeInfo();
    if (g_classTypeInfo) {
        g_classTypeInfo->AddRef();
        *typeInfo = g_classTypeInfo;
    }
    LeaveCriticalSection(&g_pModule->m_moduleLock);
    return hr;
}
