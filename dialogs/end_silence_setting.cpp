#include "dialogs/end_silence_setting.h"

#include <cerrno>
#include <cstdlib>

#include "common/file_io.h"
#include "common/ini_file.h"
#include "serial/com_settings.h"

namespace vm {

std::optional<int> ParseEndSilence(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == begin || *end != '\0' || errno != 0 || value < kMinEndSilenceMs ||
        value > kMaxEndSilenceMs)
        return std::nullopt;
    return static_cast<int>(value);
}

bool StoreEndSilence(const std::string& iniPath, int ms, std::string* error) {
    std::string text;
    FileError fileError;
    if (!ReadFileBytes(iniPath, text, &fileError) && fileError.code != ENOENT) {
        if (error)
            *error = fileError.message;
        return false;
    }
    text = IniWithValue(text, kComConfigSection, "EndSilence", std::to_string(ms));
    if (WriteFileAtomic(iniPath, text, &fileError))
        return true;
    if (error)
        *error = fileError.message;
    return false;
}

}  // namespace vm
