#include "dialogs/string_table.h"

namespace vm {
namespace {

struct TableString {
    int id;
    const char* text;
};

// There is deliberately no string 32814: the Save As button has no tooltip.
constexpr TableString kStrings[] = {
    {1001, "\nOpen"},
    {1002, "\nSave as"},
    {1003, "\nExit"},
    {1004, "\nDownload Coordinate from Total station"},
    {1005, "\nUpload Coordinate to Total station"},
    {1026, "\ngdkjfd"},
    {32771, "\nNew/Clear"},
};

constexpr int kMaxTooltipChars = 79;

}  // namespace

std::string LoadTableString(int id) {
    for (const TableString& s : kStrings) {
        if (s.id == id)
            return s.text;
    }
    return std::string();
}

std::string TooltipOfString(const std::string& s) {
    const size_t newline = s.find('\n');
    const std::string text = newline == std::string::npos ? s : s.substr(newline + 1);
    // Characters, not bytes, are counted: a byte that starts one ends the cut.
    int chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++chars > kMaxTooltipChars)
            return text.substr(0, i);
    }
    return text;
}

std::string TooltipFor(int id) {
    return id == 0 ? std::string() : TooltipOfString(LoadTableString(id));
}

}  // namespace vm
