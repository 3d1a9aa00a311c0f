#include "cli/cli_support.h"
#include "cli/commands.h"

namespace vm::cli {

// Not built yet: the issue that builds this operation replaces this file.
int CmdDownload(const Args&) { return UsageError("download ...", "'download' is not available yet"); }

}  // namespace vm::cli
