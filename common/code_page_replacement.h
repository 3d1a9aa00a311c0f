#pragma once
// What the code-page conversions put in place of what they cannot convert,
// the same on every system so a file converts to the same bytes everywhere.

#include <string>
#include <string_view>

#include "common/code_page.h"

namespace vm {

// A GBK byte that starts no character (rest begins with it): the code page's
// euro sign for 0x80, else U+FFFD. Returns how many bytes it stands for (1).
inline size_t ReplaceGbkByte(std::string_view rest, std::string& out) {
    out += static_cast<unsigned char>(rest[0]) == 0x80 ? "\xE2\x82\xAC" : "\xEF\xBF\xBD";
    return 1;
}

// A UTF-8 character GBK cannot hold, or a byte that is not UTF-8: '?'.
// Returns how many bytes it stands for.
inline size_t ReplaceUtf8Character(std::string_view rest, std::string& out) {
    out += '?';
    const size_t length = Utf8SequenceLength(static_cast<unsigned char>(rest[0]));
    return length == 0 || length > rest.size() ? 1 : length;
}

}  // namespace vm
