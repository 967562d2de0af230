#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Values for the %NAME% placeholders of a registration text; names match regardless of case.
class CRegistryVariables {
public:
    void Add(const char* name, const std::string& value);
    const std::string* Find(const char* name, size_t length) const;

private:
    std::vector<std::pair<std::string, std::string>> m_values;
};

// The text with every %NAME% replaced by its value and "%%" read as one "%".
// False for a placeholder that names no variable or is not closed.
bool ExpandVariables(const char* text, const CRegistryVariables& variables,
                     std::string* expanded);

// The text with every apostrophe doubled, as a quoted script text reads it back.
std::string QuoteForScript(const char* text);

// Where the root names of a script ("HKCR", "HKEY_LOCAL_MACHINE", ...) lead.
class CRegistryRoots {
public:
    virtual ~CRegistryRoots() {}
    // NULL for a name that is no root key.
    virtual HKEY Find(const std::string& name) const;
};

// Applies a registration script: keys opened or created, default and named values set
// ("s" text, "d" number); at removal every key not marked NoRemove is deleted with everything
// beneath it, and keys or values already gone are passed over. The whole script is read
// before anything is written, so a malformed one changes nothing (0x8007000D).
HRESULT ApplyRegistryScript(const char* script, const CRegistryVariables& variables,
                            bool registering, const CRegistryRoots& roots);
