#pragma once
// The layouts of the universal conversion: which field (position 0-5, shown as
// "1"-"6") of a source record holds each item, where each item goes in the
// target record, and the two switches of the target. They are kept in sections
// "OldConfig" (source side and the attribute switch) and "NewConfig" (target
// side and the numbering switch) of the per-user ConfigFile.ini.

#include <string>

namespace vm {

constexpr int kLayoutPositions = 6;

struct ColumnLayout {
    int pointNumber = 0;
    int attribute = 0;
    int x = 0;
    int y = 0;
    int z = 0;
    int sequenceNumber = 0;
};

struct LayoutSettings {
    ColumnLayout source;
    ColumnLayout target;
    bool attributeEnabled = false;
    bool numberingEnabled = false;
};

bool operator==(const ColumnLayout& a, const ColumnLayout& b);
bool operator==(const LayoutSettings& a, const LayoutSettings& b);

// A stored or typed position outside 0-5 would select no list entry and index
// past the six fields of a record: it is taken as 0 (field 1).
int NormalizedPosition(long long position);

// Reads the fourteen keys (missing file, section or key: 0) from iniPath.
LayoutSettings LoadLayoutSettings(const std::string& iniPath);
// The same from the per-user ConfigFile.ini.
LayoutSettings LoadLayoutSettings();

// Writes the fourteen keys, keeping every other line of the file and creating
// the file and sections when missing. False when the file cannot be written.
bool SaveLayoutSettings(const std::string& iniPath, const LayoutSettings& settings);
bool SaveLayoutSettings(const LayoutSettings& settings);

}  // namespace vm
