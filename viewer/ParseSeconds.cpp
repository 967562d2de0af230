#include "ParseSeconds.h"

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

long long ParseSeconds(const char* text)
{
    while (IsBlank(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    // Unsigned arithmetic: overflow wraps instead of being undefined.
    unsigned long long value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + static_cast<unsigned>(*text - '0');
        ++text;
    }
    if (negative)
        value = 0 - value;
    return static_cast<long long>(value);
}
