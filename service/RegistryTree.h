#pragma once
#include <windows.h>

// Deletes a key with everything beneath it. A key that is not there is no error; any other
// failing call ends the deletion with its error code.
LONG DeleteKeyTree(HKEY parent, const char* name);
