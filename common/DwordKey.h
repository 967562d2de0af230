#pragma once
#include <windows.h>

// One registry key holding 32-bit values. Every access to the store goes through it.
class CDwordKey {
public:
    CDwordKey() : m_hKey(NULL) {}
    ~CDwordKey();

    bool Open(HKEY parent, LPCSTR subKey);
    bool QueryValue(LPCSTR name, void* destination, DWORD* error = NULL);
    bool SetValue(LPCSTR name, DWORD value, DWORD* error = NULL);
    bool Close();

    HKEY Handle() const { return m_hKey; }
    DWORD LastError() const { return m_lastError; }

private:
    CDwordKey(const CDwordKey&);
    CDwordKey& operator=(const CDwordKey&);

    HKEY m_hKey;
    DWORD m_lastError;
};

// Creates the key (or opens an existing one, left as it is) and closes it at once.
bool CreateKey(HKEY root, LPCSTR subKey, LPSTR className);
