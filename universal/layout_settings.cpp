#include "universal/layout_settings.h"

#include <cerrno>
#include <string>

#include "common/file_io.h"
#include "common/ini_file.h"
#include "common/number.h"
#include "common/user_paths.h"

namespace vm {
namespace {

const char* kSourceSection = "OldConfig";
const char* kTargetSection = "NewConfig";

// One stored key: its section, name and the field it holds. The table keeps
// the reading and writing order of the keys.
struct LayoutKey {
    const char* section;
    const char* key;
    int* (*position)(LayoutSettings&);  // null for the two switches
    bool* (*flag)(LayoutSettings&);
};

const LayoutKey kKeys[] = {
    {kSourceSection, "OCheck", nullptr, [](LayoutSettings& s) { return &s.attributeEnabled; }},
    {kSourceSection, "OOrder", [](LayoutSettings& s) { return &s.source.sequenceNumber; }, nullptr},
    {kSourceSection, "OCode", [](LayoutSettings& s) { return &s.source.pointNumber; }, nullptr},
    {kSourceSection, "OAtt", [](LayoutSettings& s) { return &s.source.attribute; }, nullptr},
    {kSourceSection, "OX", [](LayoutSettings& s) { return &s.source.x; }, nullptr},
    {kSourceSection, "OY", [](LayoutSettings& s) { return &s.source.y; }, nullptr},
    {kSourceSection, "OZ", [](LayoutSettings& s) { return &s.source.z; }, nullptr},
    {kTargetSection, "NCheck", nullptr, [](LayoutSettings& s) { return &s.numberingEnabled; }},
    {kTargetSection, "NOrder", [](LayoutSettings& s) { return &s.target.sequenceNumber; }, nullptr},
    {kTargetSection, "NCode", [](LayoutSettings& s) { return &s.target.pointNumber; }, nullptr},
    {kTargetSection, "NAtt", [](LayoutSettings& s) { return &s.target.attribute; }, nullptr},
    {kTargetSection, "NX", [](LayoutSettings& s) { return &s.target.x; }, nullptr},
    {kTargetSection, "NY", [](LayoutSettings& s) { return &s.target.y; }, nullptr},
    {kTargetSection, "NZ", [](LayoutSettings& s) { return &s.target.z; }, nullptr},
};

}  // namespace

bool operator==(const ColumnLayout& a, const ColumnLayout& b) {
    return a.pointNumber == b.pointNumber && a.attribute == b.attribute && a.x == b.x &&
           a.y == b.y && a.z == b.z && a.sequenceNumber == b.sequenceNumber;
}

bool operator==(const LayoutSettings& a, const LayoutSettings& b) {
    return a.source == b.source && a.target == b.target &&
           a.attributeEnabled == b.attributeEnabled && a.numberingEnabled == b.numberingEnabled;
}

int NormalizedPosition(long long position) {
    return position >= 0 && position < kLayoutPositions ? static_cast<int>(position) : 0;
}

LayoutSettings LoadLayoutSettings(const std::string& iniPath) {
    LayoutSettings settings;
    std::string text;
    if (!ReadFileBytes(iniPath, text))
        return settings;
    for (const LayoutKey& k : kKeys) {
        std::string value;
        const long long n = IniLookup(text, k.section, k.key, value) ? AtoI(value) : 0;
        if (k.flag) {
            *k.flag(settings) = n != 0;
        } else {
            *k.position(settings) = NormalizedPosition(n);
        }
    }
    return settings;
}

LayoutSettings LoadLayoutSettings() {
    return LoadLayoutSettings(UserIniPath());
}

bool SaveLayoutSettings(const std::string& iniPath, const LayoutSettings& settings) {
    std::string text;
    FileError readError;
    if (!ReadFileBytes(iniPath, text, &readError) && readError.code != ENOENT)
        return false;
    LayoutSettings copy = settings;
    for (const LayoutKey& k : kKeys) {
        const int n = k.flag ? (*k.flag(copy) ? 1 : 0) : *k.position(copy);
        text = IniWithValue(text, k.section, k.key, std::to_string(n));
    }
    return WriteFileAtomic(iniPath, text);
}

bool SaveLayoutSettings(const LayoutSettings& settings) {
    return SaveLayoutSettings(UserIniPath(), settings);
}

}  // namespace vm
