#pragma once
#include <windows.h>
#include <oleauto.h>

// The locale the type library is built and registered under; loading and unregistering by
// the registry must name the same one (lookups match it exactly).
const LCID kTypeLibLcid = 0x0409;

// Loads the program's own type library (its TYPELIB resource 1, else the ".tlb" file of the
// same name next to it). path receives the file it was loaded from (MAX_PATH characters).
HRESULT LoadModuleTypeLib(ITypeLib** library, char* path);
HRESULT RegisterModuleTypeLib();
HRESULT UnregisterModuleTypeLib();
