#include "cli/cli_support.h"
#include "cli/commands.h"

namespace vm::cli {

// Not built yet: the issue that builds this operation replaces this file.
int CmdClassify(const Args&) { return UsageError("classify ...", "'classify' is not available yet"); }

}  // namespace vm::cli
