#pragma once
#include <windows.h>

#include "ElapsedTime.h"

// An instance inside an outer object: this IUnknown is the one the outer object holds; the
// contained instance's own interfaces pass their IUnknown calls to the outer object.
class CAggregatedElapsedTime final : public IUnknown {
public:
    static HRESULT Create(IUnknown* outer, REFIID riid, void** object);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

private:
    explicit CAggregatedElapsedTime(IUnknown* outer);

    ULONG m_refs;
    CElapsedTime m_contained;
};
