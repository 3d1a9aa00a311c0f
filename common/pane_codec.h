#pragma once
// Bytes of the text pane <-> the text the pane's edit control shows, as UTF-8.
//
// The pane keeps the exact bytes (GBK as received from the instrument, or
// UTF-8); the control needs Unicode. Decoding is lossless so that an edited pane
// re-encodes every byte the user did not touch to the same byte:
//  - CR LF and a lone LF show as a line break '\n' (re-encoded as CR LF, which
//    the pane-to-file rule writes the same way in both cases);
//  - NUL, a lone CR and every byte that is not part of a valid character show
//    as the private-use character U+F700 + byte, which encodes back to the byte;
//  - a valid character the control cannot hold as itself (one in that private
//    range, the paragraph separator, the frame markers of the Linux control) is
//    kept the same way, byte by byte.

#include <cstddef>
#include <string>
#include <string_view>

namespace vm {

enum class PaneEncoding { Gbk, Utf8 };

// Utf8 when the bytes are valid UTF-8 and hold at least one non-ASCII
// character; Gbk otherwise (the instrument's and the user's usual encoding).
PaneEncoding DetectPaneEncoding(std::string_view bytes);

// What DetectPaneEncoding will say of bytes still arriving: a character whose
// last bytes have not come yet counts as neither valid nor invalid.
PaneEncoding DetectGrowingPaneEncoding(std::string_view bytes);

// Where the pane's text may be cut so that the text of the bytes before and
// the text of the bytes after, decoded apart, make the text of the whole: just
// after the last byte that is a character on its own in both encodings and no
// part of a line end (an ASCII control, space or punctuation byte below '0',
// other than CR). 0 when there is none.
size_t LastPaneCut(std::string_view bytes);

// The control's text for bytes, in UTF-8, line breaks as '\n'.
std::string DecodePaneBytesToUtf8(std::string_view bytes, PaneEncoding encoding);

// The inverse: each '\n' becomes CR LF, each escape its byte; a character
// GB18030 cannot hold becomes '?'.
std::string EncodePaneUtf8(std::string_view utf8, PaneEncoding encoding);

// The private-use character that stands for a byte the pane cannot show.
inline constexpr char16_t kByteEscapeBase = 0xF700;

}  // namespace vm
