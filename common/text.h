#pragma once
// Byte-string helpers shared by every conversion. Texts are GBK bytes: lengths,
// positions and searches count bytes, never characters.

#include <string>
#include <string_view>

namespace vm {

// Clamped substring: never fails. A negative start or count counts as 0, a
// stretch past the end is cut at the end, a start past the end gives "".
std::string Mid(const std::string& s, long long start, long long count);

// The rest of s from start on, clamped like Mid.
std::string MidFrom(const std::string& s, long long start);

// Index of the first ch at or after p, or -1 (also when p is at or past the end).
// A negative p searches from 0, so a search after a failed one starts over.
long long FindChar(const std::string& s, char ch, long long p);

// Removes every CR and LF byte wherever it stands.
std::string StripLineEnds(const std::string& s);

// Trims the space character (only 0x20) at both ends.
std::string TrimSpaces(const std::string& s);

// StripLineEnds followed by TrimSpaces: what most readers do with each piece.
std::string CleanPiece(const std::string& piece);

// True when bytes hold anything but NUL bytes, blanks, line ends and a UTF-8
// byte-order mark at their start: a file without that holds no record,
// whatever its size.
bool HoldsAnyData(std::string_view bytes);

// "NAME没有记录，未创建 PATH": an output that would hold no record is not made.
std::string NoRecordsMessage(const std::string& name, const std::string& path);

}  // namespace vm
