#pragma once
#include <windows.h>
#include <ocidl.h>

#include "VaskService_h.h"

// One instance of the class: its dual interface has no members of its own, so it offers
// identity, type information, and an IDispatch that answers every name and call with an error.
// When created inside an outer object, the IUnknown calls of its interfaces go to the outer.
class CElapsedTime final : public IElapsedTime, public IProvideClassInfo {
public:
    explicit CElapsedTime(IUnknown* outer);

    // The instance creator of the class table row.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object);
    // The registry update of the class table row (ClassRegistration.cpp).
    static HRESULT UpdateRegistry(BOOL registering);

    // The non-delegating QueryInterface, also used by the aggregation wrapper.
    HRESULT InternalQueryInterface(REFIID riid, void** object);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** typeInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    STDMETHODIMP GetClassInfo(ITypeInfo** typeInfo) override;

private:
    ULONG m_refs;
    IUnknown* m_outer;
};
