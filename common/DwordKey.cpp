#include "DwordKey.h"

CDwordKey::~CDwordKey()
{
    if (m_hKey) {
        RegCloseKey(m_hKey);
        m_hKey = NULL;
    }
}

bool CDwordKey::Open(HKEY parent, LPCSTR subKey)
{
    if (m_hKey) {
        RegCloseKey(m_hKey);
        m_hKey = NULL;
    }
    if (RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, &m_hKey) == ERROR_SUCCESS)
        return true;
    m_hKey = NULL;
    m_lastError = GetLastError();
    return false;
}

bool CDwordKey::QueryValue(LPCSTR name, void* destination, DWORD* error)
{
    if (!m_hKey)
        return false;
    // Read into a scratch word so that a value shorter than 4 bytes can be told apart:
    // it counts as missing, like one longer than 4 bytes.
    DWORD data = 0;
    DWORD size = sizeof(data);
    LONG status = RegQueryValueExA(m_hKey, name, NULL, NULL, reinterpret_cast<BYTE*>(&data), &size);
    m_lastError = GetLastError();
    if (error)
        *error = m_lastError;
    if (status != ERROR_SUCCESS || size != sizeof(data))
        return false;
    CopyMemory(destination, &data, sizeof(data));
    return true;
}

bool CDwordKey::SetValue(LPCSTR name, DWORD value, DWORD* error)
{
    if (!m_hKey)
        return false;
    LONG status = RegSetValueExA(m_hKey, name, 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), sizeof(value));
    m_lastError = GetLastError();
    if (error)
        *error = m_lastError;
    return status == ERROR_SUCCESS;
}

bool CDwordKey::Close()
{
    if (!m_hKey)
        return false;
    LONG status = RegCloseKey(m_hKey);
    m_hKey = NULL;
    return status == ERROR_SUCCESS;
}

bool CreateKey(HKEY root, LPCSTR subKey, LPSTR className)
{
    HKEY key = NULL;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, subKey, 0, className, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, &disposition) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
