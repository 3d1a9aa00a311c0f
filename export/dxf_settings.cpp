#include "export/dxf_settings.h"

#include "common/ini_file.h"

namespace vm {

long long LoadDxfFileType(const std::string& iniPath) {
    return IniGetInt(iniPath, "tempvar", "filetype", kDxfFileTypeDefault);
}

bool StoreDxfFileType(const std::string& iniPath, long long index, std::string* error) {
    return IniWriteInt(iniPath, "tempvar", "filetype", index, error);
}

std::string LoadDxfLabelPrefix(const std::string& iniPath) {
    constexpr size_t kMaxPrefix = 259;
    std::string prefix = IniGetString(iniPath, "Parametersetting", "codecounstant", "");
    if (prefix.size() > kMaxPrefix)
        prefix.resize(kMaxPrefix);
    return prefix;
}

namespace {

bool IsControlCharacter(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

}  // namespace

std::string DxfPrefixProblem(const std::string& prefix) {
    for (const char c : prefix) {
        if (IsControlCharacter(c))
            return "DXF 标注前缀不能含换行或其他控制字符";
    }
    return std::string();
}

std::string WithoutControlCharacters(const std::string& text) {
    std::string kept;
    for (const char c : text) {
        if (!IsControlCharacter(c))
            kept.push_back(c);
    }
    return kept;
}

DxfOptions LoadDxfOptions(const std::string& iniPath) {
    DxfOptions options;
    options.cadReady = IniGetInt(iniPath, "Parametersetting", "cadformat", 0) == 1;
    options.metres = IniGetInt(iniPath, "Parametersetting", "metres", 0) == 1;
    return options;
}

bool StoreDxfOptions(const std::string& iniPath, const DxfOptions& options, std::string* error) {
    return IniWriteInt(iniPath, "Parametersetting", "cadformat", options.cadReady ? 1 : 0, error) &&
           IniWriteInt(iniPath, "Parametersetting", "metres", options.metres ? 1 : 0, error);
}

}  // namespace vm
