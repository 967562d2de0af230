#include "RegistryTree.h"

LONG DeleteKeyTree(HKEY parent, const char* name)
{
    HKEY key;
    LONG error = RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &key);
    if (error == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (error != ERROR_SUCCESS)
        return error;
    // Always the first subkey: each one is gone before the next is asked for.
    for (;;) {
        char subkey[256];
        DWORD length = sizeof(subkey);
        error = RegEnumKeyExA(key, 0, subkey, &length, NULL, NULL, NULL, NULL);
        if (error == ERROR_NO_MORE_ITEMS)
            break;
        if (error == ERROR_SUCCESS)
            error = DeleteKeyTree(key, subkey);
        if (error != ERROR_SUCCESS) {
            RegCloseKey(key);
            return error;
        }
    }
    RegCloseKey(key);
    return RegDeleteKeyA(parent, name);
}
