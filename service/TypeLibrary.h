#pragma once
#include <windows.h>
#include <oleauto.h>

// The locale the type library is built and registered under: registry lookups of it must
// name this one (they match it exactly).
const LCID kTypeLibLcid = LANG_NEUTRAL;

// Loads the program's own type library (its TYPELIB resource 1, else the ".tlb" file of the
// same name next to it). path receives the file it was loaded from (MAX_PATH characters).
HRESULT LoadModuleTypeLib(ITypeLib** library, char* path);
HRESULT RegisterModuleTypeLib();
HRESULT UnregisterModuleTypeLib();
