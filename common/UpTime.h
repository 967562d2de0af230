#pragma once
#include <windows.h>
#include <pdh.h>

#define VASK_UPTIME_COUNTER "\\System\\System Up Time"

// The block that receives the counter handle; reserved once at launch and never freed.
PDH_HCOUNTER* ReserveCounterStorage();

// Opens a live query with the one up-time counter. Results are not looked at: a failed
// open shows up as a failed sample.
void OpenUpTimeQuery(PDH_HQUERY* query, PDH_HCOUNTER* counterStorage);

// One collection and one formatted read: seconds since boot. On any failure (no storage,
// collection or formatting failed) sets *seconds to 0 and returns false.
bool SampleUpTime(PDH_HQUERY query, const PDH_HCOUNTER* counterStorage, ULONGLONG* seconds);

void CloseUpTimeQuery(PDH_HQUERY query);
