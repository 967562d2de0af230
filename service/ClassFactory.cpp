#include "ClassFactory.h"

#include <new>

#include "ServiceHost.h"

CClassFactory::CClassFactory(InstanceCreator creator) : m_refs(0), m_creator(creator) {}

HRESULT CClassFactory::Create(InstanceCreator creator, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = NULL;
    CClassFactory* factory = new (std::nothrow) CClassFactory(creator);
    if (!factory)
        return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(riid, object);
    if (FAILED(hr))
        delete factory;
    return hr;
}

STDMETHODIMP CClassFactory::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef() { return InterlockedIncrement(&m_refs); }

STDMETHODIMP_(ULONG) CClassFactory::Release()
{
    LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return refs;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = NULL;
    if (outer && !IsEqualIID(riid, IID_IUnknown))
        return CLASS_E_NOAGGREGATION;
    return m_creator(outer, riid, object);
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock)
{
    if (lock)
        g_pModule->AddLock();
    else
        g_pModule->ReleaseLock();
    return S_OK;
}
