#include <windows.h>

#include "ElapsedTimeService.h"

CElapsedTimeService _Module;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    _Module.LaunchStep();
    return 0;
}
