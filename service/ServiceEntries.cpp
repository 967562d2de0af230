#include "ElapsedTimeService.h"

// The module object is a CElapsedTimeService; its service main function and control handler
// are reached by that type, not through a virtual call.
void WINAPI ServiceEntry(DWORD argc, LPSTR* argv)
{
    static_cast<CElapsedTimeService*>(g_pModule)->ServiceMain(argc, argv);
}

void WINAPI ControlHandlerEntry(DWORD code)
{
    static_cast<CElapsedTimeService*>(g_pModule)->ControlHandler(code);
}
