#include "UpTime.h"

PDH_HCOUNTER* ReserveCounterStorage()
{
    return static_cast<PDH_HCOUNTER*>(GlobalAlloc(GMEM_ZEROINIT, sizeof(PDH_HCOUNTER)));
}

void OpenUpTimeQuery(PDH_HQUERY* query, PDH_HCOUNTER* counterStorage)
{
    PdhOpenQueryA(NULL, 0, query);
    if (counterStorage)
        PdhAddCounterA(*query, VASK_UPTIME_COUNTER, 0, counterStorage);
}

bool SampleUpTime(PDH_HQUERY query, const PDH_HCOUNTER* counterStorage, ULONGLONG* seconds)
{
    *seconds = 0;
    if (!counterStorage)
        return false;
    if (PdhCollectQueryData(query) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    PDH_FMT_COUNTERVALUE value;
    ZeroMemory(&value, sizeof(value));
    if (PdhGetFormattedCounterValue(*counterStorage, PDH_FMT_LARGE, &type, &value) != ERROR_SUCCESS)
        return false;
    *seconds = static_cast<ULONGLONG>(value.largeValue);
    return true;
}

void CloseUpTimeQuery(PDH_HQUERY query)
{
    PdhCloseQuery(query);
}
