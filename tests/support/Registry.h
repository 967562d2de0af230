#pragma once
#include <windows.h>

#include <string>

// Direct registry access for tests, independent of the code under test.
void DeleteTree(HKEY root, const char* path);
bool KeyExists(HKEY root, const char* path);
// The value's type and raw bytes; false when it does not exist.
bool ReadRaw(HKEY root, const char* path, const char* name, DWORD* type, std::string* data);
bool ReadDword(HKEY root, const char* path, const char* name, DWORD* value);
void WriteRaw(HKEY root, const char* path, const char* name, DWORD type, const void* data,
              DWORD size);
void WriteDword(HKEY root, const char* path, const char* name, DWORD value);
std::string KeyClass(HKEY root, const char* path);
