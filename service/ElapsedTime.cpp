#include "ElapsedTime.h"

#include <new>

#include "AggregatedElapsedTime.h"
#include "ClassTypeInfo.h"
#include "ProductIds.h"
#include "ServiceHost.h"

CElapsedTime::CElapsedTime(IUnknown* outer) : m_refs(0), m_outer(outer) {}

HRESULT CElapsedTime::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = NULL;
    if (outer)
        return CAggregatedElapsedTime::Create(outer, riid, object);

    CElapsedTime* instance = new (std::nothrow) CElapsedTime(NULL);
    if (!instance)
        return E_OUTOFMEMORY;
    g_pModule->AddLock();
    HRESULT hr = instance->InternalQueryInterface(riid, object);
    if (FAILED(hr)) {
        g_pModule->ReleaseLock();
        delete instance;
    }
    return hr;
}

HRESULT CElapsedTime::InternalQueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kIidElapsedTime) ||
        IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IElapsedTime*>(this);
    } else if (IsEqualIID(riid, IID_IProvideClassInfo)) {
        *object = static_cast<IProvideClassInfo*>(this);
    } else {
        *object = NULL;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP CElapsedTime::QueryInterface(REFIID riid, void** object)
{
    if (m_outer)
        return m_outer->QueryInterface(riid, object);
    return InternalQueryInterface(riid, object);
}

STDMETHODIMP_(ULONG) CElapsedTime::AddRef()
{
    if (m_outer)
        return m_outer->AddRef();
    return ++m_refs;
}

STDMETHODIMP_(ULONG) CElapsedTime::Release()
{
    if (m_outer)
        return m_outer->Release();
    ULONG refs = --m_refs;
    if (refs == 0) {
        g_pModule->ReleaseLock();
        delete this;
    }
    return refs;
}

STDMETHODIMP CElapsedTime::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    ITypeInfo* typeInfo;
    HRESULT hr = GetTypeInfo(0, 0, &typeInfo);
    if (SUCCEEDED(hr))
        typeInfo->Release();
    *count = SUCCEEDED(hr) ? 1 : 0;
    return S_OK;
}

// Loaded afresh from the program file on every call; nothing is kept.
STDMETHODIMP CElapsedTime::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo)
{
    if (index != 0)
        return DISP_E_BADINDEX;
    if (!typeInfo)
        return E_POINTER;
    *typeInfo = NULL;

    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return E_FAIL;
    WCHAR widePath[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH))
        return E_OUTOFMEMORY;

    ITypeLib* library;
    HRESULT hr = LoadTypeLib(widePath, &library);
    if (FAILED(hr))
        return hr;
    hr = library->GetTypeInfoOfGuid(kIidElapsedTime, typeInfo);
    library->Release();
    return hr;
}

STDMETHODIMP CElapsedTime::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CElapsedTime::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO*, UINT*)
{
    if (!params)
        return DISP_E_BADVARTYPE;
    if (params->cArgs > 0)
        return DISP_E_BADPARAMCOUNT;
    if (result)
        VariantInit(result);
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CElapsedTime::GetClassInfo(ITypeInfo** typeInfo)
{
    if (!typeInfo)
        return E_POINTER;
    return GetClassTypeInfo(typeInfo);
}
