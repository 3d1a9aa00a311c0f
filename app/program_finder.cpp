#include "app/program_finder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> TextEditorCandidates() {
    return {"gnome-text-editor", "gedit",   "kate", "kwrite", "mousepad", "xed", "pluma",
            "featherpad",        "leafpad", "geany"};
}

std::vector<std::string> CalculatorCandidates() {
    return {"gnome-calculator", "kcalc",        "galculator", "mate-calc",
            "qalculate-gtk",    "qalculate-qt", "xcalc"};
}

std::string FindFirstProgram(const std::vector<std::string>& candidates,
                             const std::string& searchPath) {
    std::string path = searchPath;
    if (path.empty()) {
        const char* env = std::getenv("PATH");
        path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    }
    for (const std::string& name : candidates) {
        size_t start = 0;
        while (start <= path.size()) {
            size_t end = path.find(':', start);
            if (end == std::string::npos)
                end = path.size();
            const std::string folder = path.substr(start, end - start);
            if (!folder.empty() && IsExecutableFile(folder + "/" + name)) {
                return folder + "/" + name;
            }
            start = end + 1;
        }
    }
    return std::string();
}

}  // namespace vm
