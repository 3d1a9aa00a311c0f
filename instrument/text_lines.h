#pragma once
// Lines of other makers' files: a line ends at LF, CR LF or a lone CR, and a
// UTF-8 byte-order mark in front of the first line is skipped. Lines are not
// cut into pieces: these files are read whole, line by line.

#include <cstring>
#include <string_view>

namespace vm {

// Calls onLine(lineNumber, line) for every line (numbered from 1), without its line end.
template <typename OnLine>
void ForEachTextLine(std::string_view bytes, OnLine&& onLine) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    long long number = 0;
    while (!bytes.empty()) {
        size_t end = 0;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        onLine(++number, bytes.substr(0, end));
        const bool crlf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
        bytes.remove_prefix(end < bytes.size() ? end + (crlf ? 2 : 1) : end);
    }
}

// The comma-separated fields of a line, one after another.
class CommaFields {
public:
    explicit CommaFields(std::string_view line, char separator = ',')
        : m_rest(line), m_separator(separator) {}

    // The next field into field; false when none is left.
    bool Next(std::string_view& field) {
        if (m_done)
            return false;
        const size_t comma = m_rest.find(m_separator);
        field = m_rest.substr(0, comma);
        if (comma == std::string_view::npos)
            m_done = true;
        else
            m_rest.remove_prefix(comma + 1);
        return true;
    }

private:
    std::string_view m_rest;
    char m_separator;
    bool m_done = false;
};

}  // namespace vm
