#include "win/app_title.h"

namespace vm::win32 {

// VM_VERSION comes from the build (the project version), as for --version.
const char* const kAppTitle = "VeltraMarlin(" VM_VERSION ")";

}  // namespace vm::win32
