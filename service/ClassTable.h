#pragma once
#include <windows.h>
#include <objbase.h>

// One COM class served by this program. The table ends with a row whose class id is null.
struct ClassTableRow {
    const CLSID* clsid;
    // Writes (TRUE) or removes (FALSE) the class's registry entries.
    HRESULT (*updateRegistry)(BOOL registering);
    // Creates a new class object and returns the requested interface of it.
    HRESULT (*getClassObject)(REFIID riid, void** object);
    // Creates a new instance, aggregated when outer is not null.
    HRESULT (*createInstance)(IUnknown* outer, REFIID riid, void** object);
    // Filled in by CoRegisterClassObject; 0 while not registered.
    DWORD cookie;
};

extern ClassTableRow g_classTable[];
