#include "dialogs/app_info.h"

namespace vm {

// VM_VERSION comes from the build (the project version), as for --version and the package.
const char* const kAppTitle = "VeltraMarlin(" VM_VERSION ")";

}  // namespace vm
