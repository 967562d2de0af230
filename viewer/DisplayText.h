#pragma once
#include "ElapsedStore.h"

// Decimal text of numbers, without grouping or padding. `out` holds at least 21 characters.
void FormatUnsigned(unsigned long long value, char* out);
void FormatSigned(int value, char* out);

// One line of the main window's display: its text and the top of its text run.
struct DisplayLine {
    int y;
    char text[32];
};

const int kDisplayLineCount = 5;
const int kDisplayLeft = 10;

// The five lines for a rating and a live total of stored + sample seconds (mod 2^64).
void ComposeDisplay(DWORD rating, ElapsedSeconds stored, ElapsedSeconds sample,
                    DisplayLine lines[kDisplayLineCount]);
