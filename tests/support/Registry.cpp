#include "Registry.h"

void DeleteTree(HKEY root, const char* path) { RegDeleteTreeA(root, path); RegDeleteKeyA(root, path); }

bool KeyExists(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool ReadRaw(HKEY root, const char* path, const char* name, DWORD* type, std::string* data)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[4096];
    DWORD size = sizeof(buffer);
    LONG status = RegQueryValueExA(key, name, NULL, type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return false;
    data->assign(buffer, size);
    return true;
}

bool ReadDword(HKEY root, const char* path, const char* name, DWORD* value)
{
    DWORD type;
    std::string data;
    if (!ReadRaw(root, path, name, &type, &data) || type != REG_DWORD || data.size() != 4)
        return false;
    CopyMemory(value, data.data(), 4);
    return true;
}

void WriteRaw(HKEY root, const char* path, const char* name, DWORD type, const void* data,
              DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(root, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void WriteDword(HKEY root, const char* path, const char* name, DWORD value)
{
    WriteRaw(root, path, name, REG_DWORD, &value, sizeof(value));
}

std::string KeyClass(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char buffer[256] = "";
    DWORD size = sizeof(buffer);
    RegQueryInfoKeyA(key, buffer, &size, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return std::string(buffer, size);
}
