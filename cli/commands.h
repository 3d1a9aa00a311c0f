#pragma once
// veltramarlin-cli subcommands. Each takes the words after its name and returns
// the exit status: 0 success, 1 the operation reported a failure, 2 usage error.

#include <string>
#include <vector>

namespace vm::cli {

using Args = std::vector<std::string>;

int CmdClassify(const Args& args);
int CmdCoord(const Args& args);
int CmdMeas(const Args& args);
int CmdUniversal(const Args& args);
int CmdTable(const Args& args);
int CmdExcel(const Args& args);
int CmdDxf(const Args& args);
int CmdDownload(const Args& args);
int CmdUpload(const Args& args);
int CmdPorts(const Args& args);

}  // namespace vm::cli
