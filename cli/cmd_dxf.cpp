#include "cli/cli_support.h"
#include "cli/commands.h"

namespace vm::cli {

// Not built yet: the issue that builds this operation replaces this file.
int CmdDxf(const Args&) { return UsageError("dxf ...", "'dxf' is not available yet"); }

}  // namespace vm::cli
