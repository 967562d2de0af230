#include "Beeper.h"

BeepFunction g_beep = Beep;
