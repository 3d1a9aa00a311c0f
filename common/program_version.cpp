#include "common/program_version.h"

#include <cstdio>
#include <cstring>

namespace vm {

// VM_VERSION comes from the build: the project version of the top-level CMakeLists.txt.
bool PrintVersionIfAsked(int argc, char** argv, const char* program) {
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return false;
    std::printf("%s %s\n", program, VM_VERSION);
    return true;
}

}  // namespace vm
