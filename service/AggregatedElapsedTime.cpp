#include "AggregatedElapsedTime.h"

#include <new>

#include "ServiceHost.h"

CAggregatedElapsedTime::CAggregatedElapsedTime(IUnknown* outer) : m_refs(0), m_contained(outer) {}

HRESULT CAggregatedElapsedTime::Create(IUnknown* outer, REFIID riid, void** object)
{
    *object = NULL;
    CAggregatedElapsedTime* wrapper = new (std::nothrow) CAggregatedElapsedTime(outer);
    if (!wrapper)
        return E_OUTOFMEMORY;
    g_pModule->AddLock();
    HRESULT hr = wrapper->QueryInterface(riid, object);
    if (FAILED(hr)) {
        g_pModule->ReleaseLock();
        delete wrapper;
    }
    return hr;
}

STDMETHODIMP CAggregatedElapsedTime::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown)) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    return m_contained.InternalQueryInterface(riid, object);
}

STDMETHODIMP_(ULONG) CAggregatedElapsedTime::AddRef() { return ++m_refs; }

STDMETHODIMP_(ULONG) CAggregatedElapsedTime::Release()
{
    ULONG refs = --m_refs;
    if (refs == 0) {
        g_pModule->ReleaseLock();
        delete this;
    }
    return refs;
}
