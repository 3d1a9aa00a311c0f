// The pane's codec keeps every byte the user did not edit, through the
// platform's own converters (this runs under wine too).
#include "common/pane_codec.h"
#include "common/pane_text.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

struct Case {
    const char* name;
    std::string bytes;
    PaneEncoding encoding;
};

const Case kCases[] = {
    {"gbk, CR LF, lone LF and CR", "PT1,\xD7\xF8\xB1\xEA\r\nPT2\nPT3\rX", PaneEncoding::Gbk},
    {"bytes neither gbk nor utf-8",
     "A\x80"
     "B\xFF\xB5\r\n\xB5\xE3,\xFE",
     PaneEncoding::Gbk},
    {"NUL and every byte", std::string("\0\x01\x7F\x81\x30\x81\x30\xA1", 8), PaneEncoding::Gbk},
    {"gb18030 of characters the pane cannot hold", "\x81\x36\xA6\x36|\x83\x39\xCB\x39",
     PaneEncoding::Gbk},
    {"utf-8 with an escape, a separator and a bad byte",
     "\xEF\xBB\xBF\xE7\x82\xB9\xEF\x9C\x80\xE2\x80\xA9\r\n\xF0\x9F\x98\x80",
     PaneEncoding::Utf8},
    {"gbk cut off at the end", "PT,\xB5\xE3\r\n\xB5", PaneEncoding::Gbk},
};

TEST(PaneCodec, keepsEveryByteAndDecodesInPieces) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DetectPaneEncoding(c.bytes), c.encoding);
        const std::string text = DecodePaneBytesToUtf8(c.bytes, c.encoding);
        EXPECT_EQ(PaneToFileBytes(EncodePaneUtf8(text, c.encoding)), PaneToFileBytes(c.bytes));
        // Decoded apart at the last cut, the pieces make the whole text.
        const size_t cut = LastPaneCut(c.bytes);
        const std::string_view all(c.bytes);
        EXPECT_EQ(DecodePaneBytesToUtf8(all.substr(0, cut), c.encoding) +
                      DecodePaneBytesToUtf8(all.substr(cut), c.encoding),
                  text);
    }
}

// A line edited: the other lines' bytes are untouched, the new text is GBK.
TEST(PaneCodec, editedLineEncodesInThePaneEncoding) {
    const std::string bytes = "\xB5\xE3\x80\r\nold\r\n\xFF\xB1\xEA";
    std::string text = DecodePaneBytesToUtf8(bytes, PaneEncoding::Gbk);
    text.replace(text.find("old"), 3, "\xE6\x96\xB0?");  // 新?
    EXPECT_EQ(EncodePaneUtf8(text, PaneEncoding::Gbk), "\xB5\xE3\x80\r\n\xD0\xC2?\r\n\xFF\xB1\xEA");
    // A character GB18030 has no bytes for (a lone surrogate's UTF-8) becomes '?'.
    EXPECT_EQ(EncodePaneUtf8("a\xED\xA0\x80z", PaneEncoding::Gbk), "a???z");
}

TEST(PaneCodec, growingBytesKeepTheirEncoding) {
    EXPECT_EQ(DetectGrowingPaneEncoding("\xE7\x82\xB9\xE7\x82"), PaneEncoding::Utf8);
    EXPECT_EQ(DetectPaneEncoding("\xE7\x82\xB9\xE7\x82"), PaneEncoding::Gbk);
    EXPECT_EQ(DetectGrowingPaneEncoding("\xE7\x82"), PaneEncoding::Gbk);
    EXPECT_EQ(LastPaneCut("AB,CD\r"), 3u);
    EXPECT_EQ(LastPaneCut("ABC"), 0u);
}

}  // namespace
}  // namespace vm
