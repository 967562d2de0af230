#pragma once
#include <windows.h>

// The registry key both programs share, its values and their defaults.
#define VASK_STORE_KEY "SOFTWARE\\Tovarn\\VaskService"
#define VASK_STORE_CLASS "REG_DWORD"

#define VASK_VALUE_HIGH "Elapsed Time High"
#define VASK_VALUE_LOW "Elapsed Time Low"
#define VASK_VALUE_RATING "Vask"
#define VASK_VALUE_ALARM "Beep"

const DWORD kDefaultElapsedHalf = 0;
const DWORD kDefaultRating = 750000;
const DWORD kDefaultAlarm = 1;

// Seconds of operating time; all arithmetic on it wraps modulo 2^64.
typedef unsigned long long ElapsedSeconds;

inline ElapsedSeconds JoinHalves(DWORD high, DWORD low)
{
    return (static_cast<ElapsedSeconds>(high) << 32) | low;
}
inline DWORD HighHalf(ElapsedSeconds total) { return static_cast<DWORD>(total >> 32); }
inline DWORD LowHalf(ElapsedSeconds total) { return static_cast<DWORD>(total); }
