#pragma once
// A run must not write over its own source, nor send two outputs to one file:
// the files themselves are compared (links followed), not the spelling of
// their paths, and the run is refused before anything is written.

#include <string>
#include <vector>

namespace vm {

// "目标文件不能与源文件相同：PATH" for a target that is the source,
// "两个输出不能使用同一个文件：PATH" for two targets on one file, empty when
// every file differs. Empty paths (outputs not asked for) are left out.
std::string SameFileProblem(const std::string& source, const std::vector<std::string>& targets);

}  // namespace vm
