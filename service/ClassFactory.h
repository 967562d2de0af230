#pragma once
#include <windows.h>
#include <unknwn.h>

// The class object of one class table row: creates instances with the row's instance
// creator. It takes no server lock of its own, so the class objects COM holds while they are
// registered do not keep a plain server alive.
class CClassFactory final : public IClassFactory {
public:
    typedef HRESULT (*InstanceCreator)(IUnknown* outer, REFIID riid, void** object);

    // The class-object getter of a row: a new class object, asked for riid.
    static HRESULT Create(InstanceCreator creator, REFIID riid, void** object);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    explicit CClassFactory(InstanceCreator creator);

    volatile LONG m_refs;
    InstanceCreator m_creator;
};
