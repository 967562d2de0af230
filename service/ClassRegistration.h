#pragma once

// The class's registry entries under HKEY_CLASSES_ROOT.
#define VASK_PROGID "VaskService.ElapsedTime.1"
#define VASK_VERSION_INDEPENDENT_PROGID "VaskService.ElapsedTime"
#define VASK_CLASS_FRIENDLY_NAME "CElapsedTime Object"
