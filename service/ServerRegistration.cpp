#include "ClassTable.h"
#include "ServiceHost.h"
#include "TypeLibrary.h"

HRESULT CServiceHost::RegisterServer()
{
    for (ClassTableRow* row = g_classTable; row->clsid; ++row) {
        HRESULT hr = row->updateRegistry(TRUE);
        if (FAILED(hr))
            return hr;
    }
    return RegisterModuleTypeLib();
}

HRESULT CServiceHost::UnregisterServer()
{
    for (ClassTableRow* row = g_classTable; row->clsid; ++row) {
        HRESULT hr = row->updateRegistry(FALSE);
        if (FAILED(hr))
            return hr;
    }
    return UnregisterModuleTypeLib();
}
