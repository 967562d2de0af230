#pragma once
#include <windows.h>
#include <pdh.h>

#include "DwordKey.h"
#include "ElapsedStore.h"
#include "ServiceHost.h"

#define VASK_SERVICE_KEY "SYSTEM\\CurrentControlSet\\Services\\VaskService"

// The program's one module object: the host plus the accounting of operating time.
class CElapsedTimeService : public CServiceHost {
public:
    CElapsedTimeService();
    ~CElapsedTimeService();

    // First step of the entry routine.
    void LaunchStep();
    // Loads the store (writing defaults), forces automatic start, opens the up-time query.
    void ServiceMain(DWORD argc, LPSTR* argv);
    // Adds the time since boot to the total at the shutdown notification.
    void ControlHandler(DWORD code);

    DWORD m_alarm;
    DWORD m_rating;
    ULONGLONG m_upTime;
    ElapsedSeconds m_total;
    PDH_HQUERY m_query;
    PDH_HCOUNTER* m_counterStorage;
    ULARGE_INTEGER m_storedHalves;
    CDwordKey m_key;
    // Set once the shutdown accounting has run; a repeated notification adds nothing.
    bool m_accounted;

private:
    DWORD LoadValue(LPCSTR name, DWORD defaultValue);
};
