#pragma once
#include <string>

// Assertions on the class's registry entries and the type library registration, shared by
// the in-process and the command-line tests.

// Every entry of the class, with LocalServer32 naming exePath.
void ExpectClassEntries(const std::string& exePath);
// No ProgID key, no class key; HKEY_CLASSES_ROOT\CLSID itself stays.
void ExpectNoClassEntries();
// The type library registered from libraryPath, its dual interface marshalled by Automation.
void ExpectTypeLibRegistered(const std::string& libraryPath);
void ExpectTypeLibNotRegistered();
