#include "ReplaceVariables.h"

#include <string.h>

namespace {

bool NameMatches(const char* name, const char* placeholder, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        char a = name[i], b = placeholder[i];
        if (a == '\0')
            return false;
        if (a >= 'a' && a <= 'z')
            a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = static_cast<char>(b - 'a' + 'A');
        if (a != b)
            return false;
    }
    return name[length] == '\0';
}

} // namespace

bool ReplaceVariables(const char* text, const ReplacementVariable* variables, size_t count,
                      char* out, size_t outSize)
{
    size_t used = 0;
    while (*text) {
        const char* piece = text;
        size_t pieceLength = 1;
        if (*text == '%') {
            const char* close = strchr(text + 1, '%');
            if (!close)
                return false;
            size_t nameLength = static_cast<size_t>(close - text - 1);
            piece = NULL;
            for (size_t i = 0; i < count && !piece; ++i)
                if (NameMatches(variables[i].name, text + 1, nameLength))
                    piece = variables[i].value;
            if (!piece)
                return false;
            pieceLength = strlen(piece);
            text = close + 1;
        } else {
            ++text;
        }
        if (outSize - used <= pieceLength)
            return false;
        memcpy(out + used, piece, pieceLength);
        used += pieceLength;
    }
    if (used >= outSize)
        return false;
    out[used] = '\0';
    return true;
}
