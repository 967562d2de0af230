#include "DisplayText.h"

#include <string.h>

void FormatUnsigned(unsigned long long value, char* out)
{
    char digits[21];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    while (count)
        *out++ = digits[--count];
    *out = '\0';
}

void FormatSigned(int value, char* out)
{
    // Negated as unsigned, so that the most negative value needs no special case.
    unsigned magnitude = static_cast<unsigned>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    FormatUnsigned(magnitude, out);
}

static void Compose(DisplayLine* line, int y, const char* label, const char* number)
{
    line->y = y;
    strcpy(line->text, label);
    strcat(line->text, number);
}

void ComposeDisplay(DWORD rating, ElapsedSeconds stored, ElapsedSeconds sample,
                    DisplayLine lines[kDisplayLineCount])
{
    ElapsedSeconds total = stored + sample;
    char number[21];

    FormatSigned(static_cast<int>(rating), number);
    Compose(&lines[0], 10, "Vask=", number);
    Compose(&lines[1], 50, "Elapsed Time", "");
    FormatUnsigned(total / 60 / 60, number);
    Compose(&lines[2], 70, "Hours:", number);
    FormatUnsigned(total / 60, number);
    Compose(&lines[3], 90, "Minutes:", number);
    FormatUnsigned(total, number);
    Compose(&lines[4], 110, "Seconds:", number);
}
