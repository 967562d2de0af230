#pragma once
#include <windows.h>

// The product's fixed identifiers, generated once. The AppID is also the type library's id.
#define VASK_APPID_TEXT "{6D5C494B-37F9-4BA5-A58D-5FA0883DE937}"
#define VASK_CLSID_ELAPSEDTIME_TEXT "{1C623D4D-CAFF-437C-815D-FB982ECE3B76}"
#define VASK_IID_IELAPSEDTIME_TEXT "{3473B7DD-03BF-4DE3-A327-9249490D02A3}"

const GUID kAppId = {0x6D5C494B, 0x37F9, 0x4BA5, {0xA5, 0x8D, 0x5F, 0xA0, 0x88, 0x3D, 0xE9, 0x37}};
const GUID kClsidElapsedTime = {0x1C623D4D, 0xCAFF, 0x437C,
                                {0x81, 0x5D, 0xFB, 0x98, 0x2E, 0xCE, 0x3B, 0x76}};
const GUID kIidElapsedTime = {0x3473B7DD, 0x03BF, 0x4DE3,
                              {0xA3, 0x27, 0x92, 0x49, 0x49, 0x0D, 0x02, 0xA3}};
