#pragma once
// How the exports read the text of a source line. The instrument and older
// files write GBK, files made on Linux UTF-8, and a file edited in both worlds
// holds both. Each line is read on its own: a line that is valid UTF-8 is
// UTF-8, any other line GBK. (A whole file of either kind reads as before.)
// When a source holds both kinds, the export's status says how many lines were
// read which way, so that a garbled line does not pass unnoticed.

#include <cstddef>
#include <string>
#include <string_view>

namespace vm {

enum class LineCoding { Ascii, Utf8, Gbk };

LineCoding ClassifyLine(std::string_view line);

struct EncodingCounts {
    size_t utf8Lines = 0;  // lines with non-ASCII text read as UTF-8
    size_t gbkLines = 0;   // lines read as GBK
    size_t replaced = 0;   // characters that GBK cannot hold, written as '?'

    void Add(LineCoding coding);
};

// The line's text as UTF-8.
std::string LineToUtf8(std::string_view line, LineCoding coding);

// The source with every UTF-8 line converted to GBK (line ends kept, a UTF-8
// byte-order mark at its start dropped), counting the lines of each kind and
// the characters replaced.
std::string SourceToGbk(std::string_view source, EncodingCounts& counts);

// For the status line: the two line counts when both kinds occur, and the
// number of characters replaced; empty when there is nothing to say.
std::string EncodingStatus(const EncodingCounts& counts);

}  // namespace vm
