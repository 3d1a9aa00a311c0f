#include "cli/cli_support.h"
#include "cli/commands.h"

namespace vm::cli {

// Not built yet: the issue that builds this operation replaces this file.
int CmdCoord(const Args&) { return UsageError("coord ...", "'coord' is not available yet"); }

}  // namespace vm::cli
