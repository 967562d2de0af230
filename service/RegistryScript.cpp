#include "RegistryScript.h"

#include <stdlib.h>

#include "Win32Result.h"

namespace {

bool SameTextIgnoringCase(const char* a, size_t aLength, const char* b)
{
    size_t bLength = lstrlenA(b);
    return aLength == bLength &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, static_cast<int>(aLength), b,
                          static_cast<int>(bLength)) == CSTR_EQUAL;
}

bool SameTextIgnoringCase(const std::string& a, const char* b)
{
    return SameTextIgnoringCase(a.data(), a.size(), b);
}

// One key of the script, or one named value of the key around it.
struct Entry {
    Entry() : isNamedValue(false), hasData(false), type(REG_SZ), number(0), noRemove(false),
              forceRemove(false) {}
    bool isNamedValue;
    std::string name;
    bool hasData;
    DWORD type;
    std::string text;
    DWORD number;
    bool noRemove;
    bool forceRemove;
    std::vector<Entry> children;
};

struct Root {
    HKEY key;
    std::vector<Entry> entries;
};

enum TokenKind { kEnd, kWord, kQuoted, kSymbol, kBad };

struct Token {
    TokenKind kind;
    std::string text;
};

class Tokenizer {
public:
    explicit Tokenizer(const std::string& text) : m_text(text), m_at(0) {}

    Token Next()
    {
        Token token;
        while (m_at < m_text.size() && IsBlank(m_text[m_at]))
            ++m_at;
        if (m_at >= m_text.size()) {
            token.kind = kEnd;
            return token;
        }
        char c = m_text[m_at];
        if (c == '{' || c == '}' || c == '=') {
            token.kind = kSymbol;
            token.text.assign(1, c);
            ++m_at;
            return token;
        }
        if (c == '\'') {
            token.kind = kBad;
            for (++m_at; m_at < m_text.size(); ++m_at) {
                if (m_text[m_at] != '\'') {
                    token.text += m_text[m_at];
                } else if (m_at + 1 < m_text.size() && m_text[m_at + 1] == '\'') {
                    token.text += '\'';
                    ++m_at;
                } else {
                    ++m_at;
                    token.kind = kQuoted;
                    break;
                }
            }
            return token;
        }
        token.kind = kWord;
        while (m_at < m_text.size() && !IsBlank(m_text[m_at]) && m_text[m_at] != '{' &&
               m_text[m_at] != '}' && m_text[m_at] != '=' && m_text[m_at] != '\'')
            token.text += m_text[m_at++];
        return token;
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    const std::string& m_text;
    size_t m_at;
};

class Parser {
public:
    Parser(const std::string& text, const CRegistryRoots& roots) : m_tokens(text), m_roots(roots)
    {
        Advance();
    }

    bool ParseScript(std::vector<Root>* script)
    {
        while (m_token.kind != kEnd) {
            Root root;
            if (m_token.kind != kWord)
                return false;
            root.key = m_roots.Find(m_token.text);
            if (!root.key)
                return false;
            Advance();
            if (!ParseBlock(&root.entries))
                return false;
            script->push_back(root);
        }
        return true;
    }

private:
    void Advance() { m_token = m_tokens.Next(); }
    bool IsSymbol(char c) const { return m_token.kind == kSymbol && m_token.text[0] == c; }
    bool IsKeyword(const char* word) const
    {
        return m_token.kind == kWord && SameTextIgnoringCase(m_token.text, word);
    }
    bool IsName() const { return m_token.kind == kWord || m_token.kind == kQuoted; }

    // "{" entries "}"
    bool ParseBlock(std::vector<Entry>* entries)
    {
        if (!IsSymbol('{'))
            return false;
        Advance();
        while (!IsSymbol('}')) {
            Entry entry;
            if (!ParseEntry(&entry))
                return false;
            entries->push_back(entry);
        }
        Advance();
        return true;
    }

    bool ParseEntry(Entry* entry)
    {
        if (IsKeyword("val")) {
            Advance();
            if (!IsName())
                return false;
            entry->isNamedValue = true;
            entry->name = m_token.text;
            Advance();
            return ParseData(entry);
        }
        if (IsKeyword("NoRemove")) {
            entry->noRemove = true;
            Advance();
        } else if (IsKeyword("ForceRemove")) {
            entry->forceRemove = true;
            Advance();
        }
        if (!IsName() || m_token.text.empty())
            return false;
        entry->name = m_token.text;
        Advance();
        if (IsSymbol('=') && !ParseData(entry))
            return false;
        if (IsSymbol('{'))
            return ParseBlock(&entry->children);
        return true;
    }

    // "=" type 'data'
    bool ParseData(Entry* entry)
    {
        if (!IsSymbol('='))
            return false;
        Advance();
        if (IsKeyword("s"))
            entry->type = REG_SZ;
        else if (IsKeyword("d"))
            entry->type = REG_DWORD;
        else
            return false;
        Advance();
        if (m_token.kind != kQuoted)
            return false;
        entry->text = m_token.text;
        if (entry->type == REG_DWORD) {
            char* end = NULL;
            entry->number = strtoul(entry->text.c_str(), &end, 0);
            if (entry->text.empty() || *end)
                return false;
        }
        entry->hasData = true;
        Advance();
        return true;
    }

    Tokenizer m_tokens;
    const CRegistryRoots& m_roots;
    Token m_token;
};

LONG SetValue(HKEY key, const Entry& entry)
{
    const char* name = entry.isNamedValue ? entry.name.c_str() : NULL;
    if (entry.type == REG_DWORD)
        return RegSetValueExA(key, name, 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&entry.number), sizeof(DWORD));
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.text.c_str()),
                          static_cast<DWORD>(entry.text.size() + 1));
}

LONG DeleteTree(HKEY parent, const char* name)
{
    LONG status = RegDeleteTreeA(parent, name);
    if (status == ERROR_SUCCESS)
        status = RegDeleteKeyA(parent, name);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LONG Register(HKEY parent, const std::vector<Entry>& entries)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        if (entry.isNamedValue) {
            LONG status = SetValue(parent, entry);
            if (status != ERROR_SUCCESS)
                return status;
            continue;
        }
        if (entry.forceRemove) {
            LONG status = DeleteTree(parent, entry.name.c_str());
            if (status != ERROR_SUCCESS)
                return status;
        }
        HKEY key;
        LONG status = RegCreateKeyExA(parent, entry.name.c_str(), 0, NULL, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, NULL, &key, NULL);
        if (status != ERROR_SUCCESS)
            return status;
        if (entry.hasData)
            status = SetValue(key, entry);
        if (status == ERROR_SUCCESS)
            status = Register(key, entry.children);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS)
            return status;
    }
    return ERROR_SUCCESS;
}

LONG Unregister(HKEY parent, const std::vector<Entry>& entries)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        LONG status;
        if (entry.isNamedValue) {
            status = RegDeleteValueA(parent, entry.name.c_str());
            if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
                return status;
            continue;
        }
        HKEY key;
        status = RegOpenKeyExA(parent, entry.name.c_str(), 0, KEY_READ | KEY_WRITE, &key);
        if (status == ERROR_FILE_NOT_FOUND)
            continue;
        if (status != ERROR_SUCCESS)
            return status;
        status = Unregister(key, entry.children);
        RegCloseKey(key);
        if (status == ERROR_SUCCESS && !entry.noRemove)
            status = DeleteTree(parent, entry.name.c_str());
        if (status != ERROR_SUCCESS)
            return status;
    }
    return ERROR_SUCCESS;
}

} // namespace

void CRegistryVariables::Add(const char* name, const std::string& value)
{
    m_values.push_back(std::make_pair(std::string(name), value));
}

const std::string* CRegistryVariables::Find(const char* name, size_t length) const
{
    for (size_t i = 0; i < m_values.size(); ++i)
        if (SameTextIgnoringCase(name, length, m_values[i].first.c_str()))
            return &m_values[i].second;
    return NULL;
}

bool ExpandVariables(const char* text, const CRegistryVariables& variables, std::string* expanded)
{
    expanded->clear();
    for (const char* at = text; *at; ++at) {
        if (*at != '%') {
            *expanded += *at;
            continue;
        }
        const char* name = at + 1;
        const char* end = name;
        while (*end && *end != '%')
            ++end;
        if (!*end)
            return false;
        if (end == name) {
            *expanded += '%';
        } else {
            const std::string* value = variables.Find(name, end - name);
            if (!value)
                return false;
            *expanded += *value;
        }
        at = end;
    }
    return true;
}

std::string QuoteForScript(const char* text)
{
    std::string quoted;
    for (; *text; ++text) {
        quoted += *text;
        if (*text == '\'')
            quoted += '\'';
    }
    return quoted;
}

HKEY CRegistryRoots::Find(const std::string& name) const
{
    static const struct {
        const char* shortName;
        const char* longName;
        HKEY key;
    } kRoots[] = {
        {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKU", "HKEY_USERS", HKEY_USERS},
    };
    for (size_t i = 0; i < sizeof(kRoots) / sizeof(kRoots[0]); ++i)
        if (SameTextIgnoringCase(name, kRoots[i].shortName) ||
            SameTextIgnoringCase(name, kRoots[i].longName))
            return kRoots[i].key;
    return NULL;
}

HRESULT ApplyRegistryScript(const char* script, const CRegistryVariables& variables,
                            bool registering, const CRegistryRoots& roots)
{
    std::string text;
    if (!ExpandVariables(script, variables, &text))
        return HResultFromWin32(ERROR_INVALID_DATA);
    std::vector<Root> parsed;
    Parser parser(text, roots);
    if (!parser.ParseScript(&parsed))
        return HResultFromWin32(ERROR_INVALID_DATA);

    for (size_t i = 0; i < parsed.size(); ++i) {
        LONG status = registering ? Register(parsed[i].key, parsed[i].entries)
                                  : Unregister(parsed[i].key, parsed[i].entries);
        if (status != ERROR_SUCCESS)
            return HResultFromWin32(status);
    }
    return S_OK;
}
