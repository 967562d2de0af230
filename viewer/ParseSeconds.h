#pragma once

// Text of the seconds box to a count of seconds: leading blanks, one optional sign, then
// decimal digits up to the first non-digit. Wraps modulo 2^64; a text without digits is 0.
long long ParseSeconds(const char* text);
