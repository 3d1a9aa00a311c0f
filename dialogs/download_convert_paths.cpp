#include "dialogs/download_convert_paths.h"

namespace vm {

std::string g_strMeasSource;
std::string g_strCoordExtractTarget;
std::string g_strAngleDistTarget;
std::string g_strAngleTarget;
std::string g_strCoordSource;
std::string g_strCoordTarget;

}  // namespace vm
