#pragma once
// Bytes of the text pane <-> the text the pane widget shows.
//
// The pane keeps the exact bytes (GBK as received from the instrument, or
// UTF-8); the widget needs Unicode. Decoding is lossless so that an edited pane
// re-encodes every byte the user did not touch to the same byte:
//  - CR LF and a lone LF show as a line break (re-encoded as CR LF, which the
//    pane-to-file rule writes the same way in both cases);
//  - NUL, a lone CR and every byte that is not part of a valid character show
//    as the private-use character U+F700 + byte, which encodes back to the byte;
//  - a valid character the widget cannot hold as itself (one in that private
//    range, the paragraph separator, the widget's frame markers) is kept the
//    same way, byte by byte.

#include <QString>

#include <string>

namespace vm {

enum class PaneEncoding { Gbk, Utf8 };

// Utf8 when the bytes are valid UTF-8 and hold at least one non-ASCII
// character; Gbk otherwise (the instrument's and the user's usual encoding).
PaneEncoding DetectPaneEncoding(const std::string& bytes);

QString DecodePaneBytes(const std::string& bytes, PaneEncoding encoding);

// The inverse of DecodePaneBytes. Line breaks ('\n' or U+2029) become CR LF.
std::string EncodePaneText(const QString& text, PaneEncoding encoding);

// The private-use character that stands for a byte the pane cannot show.
inline constexpr char16_t kByteEscapeBase = 0xF700;

}  // namespace vm
