#pragma once
#include <windows.h>
#include <oaidl.h>

// The type description of the coclass, from the registered type library. Loaded once, under
// the module critical section, and kept until the module's teardown; a failed load is tried
// again at the next call. typeInfo receives one reference, or null with the load's failure.
HRESULT GetClassTypeInfo(ITypeInfo** typeInfo);
