#pragma once
// Private-profile (INI) access with the semantics the settings were written
// under: sections and keys match without regard to case; an integer read takes
// an optional sign and the leading decimal digits (no digits gives 0, a missing
// key or file gives the default); a write keeps every other line of the file and
// creates the file and the section when they are missing.

#include <string>

namespace vm {

long long IniGetInt(const std::string& path, const std::string& section, const std::string& key,
                    long long defaultValue);

std::string IniGetString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& defaultValue);

// False (with errno-based message in error, if given) when the file cannot be written.
bool IniWriteString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value, std::string* error = nullptr);

bool IniWriteInt(const std::string& path, const std::string& section, const std::string& key,
                 long long value, std::string* error = nullptr);

// The same operations on text already in memory, for callers that batch writes.
bool IniLookup(const std::string& text, const std::string& section, const std::string& key,
               std::string& value);
std::string IniWithValue(const std::string& text, const std::string& section,
                         const std::string& key, const std::string& value);

}  // namespace vm
