#pragma once
#include <windows.h>

enum CommandLineVerb { kNoVerb, kVerbUnregServer, kVerbRegServer, kVerbService };

// The start of the next candidate word: the character after the first "-" or "/" at or after
// `from`, wherever it stands. NULL when the text has no more separators.
const char* FindNextCandidate(const char* from);

// Whether the candidate is the verb, letter case aside, ended by a blank or the end of the text.
bool WordMatches(const char* candidate, const char* verb);

// The verb the command line asks for: the first candidate that is "UnregServer" or
// "RegServer" decides; only without one is "Service" looked for.
CommandLineVerb FindVerb(const char* commandLine);
