#include "CommandLine.h"

#include "ServiceHost.h"

namespace {

bool EndsWord(char c) { return c == 0 || c == ' ' || c == '\t'; }

char Upper(char c)
{
    return static_cast<char>(reinterpret_cast<UINT_PTR>(
        CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(c))))));
}

} // namespace

const char* FindNextCandidate(const char* from)
{
    for (const char* at = from; *at; at = CharNextA(at))
        if (*at == '-' || *at == '/')
            return at + 1;
    return NULL;
}

bool WordMatches(const char* candidate, const char* verb)
{
    while (!EndsWord(*candidate) && Upper(*candidate) == Upper(*verb)) {
        candidate = CharNextA(candidate);
        verb = CharNextA(verb);
    }
    return EndsWord(*candidate) && EndsWord(*verb);
}

CommandLineVerb FindVerb(const char* commandLine)
{
    for (const char* word = FindNextCandidate(commandLine); word; word = FindNextCandidate(word)) {
        if (WordMatches(word, "UnregServer"))
            return kVerbUnregServer;
        if (WordMatches(word, "RegServer"))
            return kVerbRegServer;
    }
    for (const char* word = FindNextCandidate(commandLine); word; word = FindNextCandidate(word))
        if (WordMatches(word, "Service"))
            return kVerbService;
    return kNoVerb;
}

bool CServiceHost::ParseCommandLine(const char* commandLine, HRESULT* result)
{
    *result = S_OK;
    HRESULT hr;
    switch (FindVerb(commandLine)) {
    case kVerbUnregServer:
        hr = UnregisterServer();
        if (SUCCEEDED(hr))
            hr = UnregisterAppId();
        break;
    case kVerbRegServer:
        hr = RegisterAppId(false);
        if (SUCCEEDED(hr))
            hr = RegisterServer();
        break;
    case kVerbService:
        hr = RegisterAppId(true);
        if (SUCCEEDED(hr))
            hr = RegisterServer();
        break;
    default:
        return true;
    }
    *result = hr;
    return false;
}
