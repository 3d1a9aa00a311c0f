#include "common/text.h"

#include "common/piece_walker.h"

namespace vm {

std::string Mid(const std::string& s, long long start, long long count) {
    if (start < 0)
        start = 0;
    if (count < 0)
        count = 0;
    const long long size = static_cast<long long>(s.size());
    if (start >= size)
        return std::string();
    if (count > size - start)
        count = size - start;
    return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

std::string MidFrom(const std::string& s, long long start) {
    return Mid(s, start, static_cast<long long>(s.size()));
}

long long FindChar(const std::string& s, char ch, long long p) {
    if (p < 0)
        p = 0;
    if (p >= static_cast<long long>(s.size()))
        return -1;
    const size_t at = s.find(ch, static_cast<size_t>(p));
    return at == std::string::npos ? -1 : static_cast<long long>(at);
}

std::string StripLineEnds(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c != '\r' && c != '\n')
            out.push_back(c);
    }
    return out;
}

std::string TrimSpaces(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::string CleanPiece(const std::string& piece) {
    return TrimSpaces(StripLineEnds(piece));
}

bool HoldsAnyData(std::string_view bytes) {
    for (const char c : WithoutByteOrderMark(bytes)) {
        if (c != '\0' && c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return true;
    }
    return false;
}

std::string NoRecordsMessage(const std::string& name, const std::string& path) {
    return name + "没有记录，未创建 " + path;
}

}  // namespace vm
