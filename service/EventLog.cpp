#include <stdarg.h>
#include <stdio.h>

#include "ServiceHost.h"

void CServiceHost::LogServiceEvent(const char* format, ...)
{
    // Truncated rather than overrun when the text does not fit.
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    if (length < 0)
        text[0] = 0;
    text[sizeof(text) - 1] = 0;

    HANDLE source = RegisterEventSourceA(NULL, m_serviceName);
    if (!source)
        return;
    const char* strings[] = {text};
    ReportEventA(source, EVENTLOG_INFORMATION_TYPE, 0, 0, NULL, 1, 0, strings, NULL);
    DeregisterEventSource(source);
}
