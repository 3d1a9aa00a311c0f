#include "common/distinct_files.h"

#include "common/file_io.h"

namespace vm {

std::string SameFileProblem(const std::string& source, const std::vector<std::string>& targets) {
    const std::string sourceKey = source.empty() ? std::string() : FileKey(source);
    std::vector<std::string> keys;
    for (const std::string& target : targets) {
        if (target.empty())
            continue;
        const std::string key = FileKey(target);
        if (key == sourceKey)
            return "目标文件不能与源文件相同：" + target;
        for (const std::string& earlier : keys) {
            if (key == earlier)
                return "两个输出不能使用同一个文件：" + target;
        }
        keys.push_back(key);
    }
    return std::string();
}

}  // namespace vm
