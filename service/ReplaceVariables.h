#pragma once
#include <stddef.h>

struct ReplacementVariable {
    const char* name;
    const char* value;
};

// Copies text to out with every %NAME% replaced by the value of the variable of that name,
// matched without regard to letter case. False when a name is unknown, a placeholder is not
// closed, or the result with its terminating zero does not fit into outSize characters.
bool ReplaceVariables(const char* text, const ReplacementVariable* variables, size_t count,
                      char* out, size_t outSize);
