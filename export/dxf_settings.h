#pragma once
// The DXF export's settings in the per-user ConfigFile.ini:
//  - "tempvar"/"filetype": the last chosen type, 0 measurement file, 1 coordinate
//    file, -1 nothing chosen; 2 when never stored (the list then shows nothing);
//  - "Parametersetting"/"codecounstant": text put in front of every label of a
//    measurement drawing; read only, the program never writes it;
//  - "Parametersetting"/"cadformat" and "metres": the dialog's check boxes for
//    the CAD-ready drawing and the measurement drawing in metres, "1" or "0".

#include <string>

#include "export/dxf_builders.h"

namespace vm {

constexpr long long kDxfMeasurementFile = 0;
constexpr long long kDxfCoordinateFile = 1;
constexpr long long kDxfFileTypeDefault = 2;

// The stored type list index (default kDxfFileTypeDefault).
long long LoadDxfFileType(const std::string& iniPath);

// Stores the list index in decimal; false with a message when the file cannot be written.
bool StoreDxfFileType(const std::string& iniPath, long long index, std::string* error = nullptr);

// The label prefix, at most 259 bytes (the length the setting was ever read with).
std::string LoadDxfLabelPrefix(const std::string& iniPath);

// A label prefix holding a line break or another control character would write
// group codes of its own into the drawing: the message refusing it, or "" for
// a usable one. A stored prefix is used without them (WithoutControlCharacters).
std::string DxfPrefixProblem(const std::string& prefix);
std::string WithoutControlCharacters(const std::string& text);

// The remembered check boxes (both off when never stored).
DxfOptions LoadDxfOptions(const std::string& iniPath);
bool StoreDxfOptions(const std::string& iniPath, const DxfOptions& options,
                     std::string* error = nullptr);

}  // namespace vm
