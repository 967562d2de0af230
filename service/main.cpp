#include <windows.h>

#include "ElapsedTimeService.h"

CElapsedTimeService _Module;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand)
{
    _Module.LaunchStep();
    if (g_moduleInitFailed)
        return -1;
    HRESULT result = S_OK;
    if (_Module.ParseCommandLine(GetCommandLineA(), &result))
        return _Module.StartHost(showCommand);
    return result;
}
