#include "ClassTable.h"

ClassTableRow g_classTable[] = {
    {NULL, NULL, NULL, NULL, 0},
};
