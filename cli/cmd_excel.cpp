#include "cli/cli_support.h"
#include "cli/commands.h"

namespace vm::cli {

// Not built yet: the issue that builds this operation replaces this file.
int CmdExcel(const Args&) { return UsageError("excel ...", "'excel' is not available yet"); }

}  // namespace vm::cli
