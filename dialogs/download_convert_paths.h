#pragma once
// The six paths of the download conversion. They live for the whole program:
// every opening of the dialog empties the two sources, while the four targets
// keep the files chosen before, so a later opening converts into them again
// although no control shows them. Paths are the file system's bytes.

#include <string>

namespace vm {

extern std::string g_strMeasSource;          // measurement file to convert
extern std::string g_strCoordExtractTarget;  // coordinates taken from the measurements
extern std::string g_strAngleDistTarget;     // angle-distance table
extern std::string g_strAngleTarget;         // angle table
extern std::string g_strCoordSource;         // coordinate file to convert
extern std::string g_strCoordTarget;         // converted coordinate file

}  // namespace vm
