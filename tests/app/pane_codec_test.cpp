// The pane shows GBK and UTF-8 text and gives back every byte it was shown,
// also after the user edited some other part of the text.
#include "app/pane_codec.h"

#include "tests/support/gui_app.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <random>

namespace vm {
namespace {

// What the pane gives back for bytes it showed, going through the real widget.
std::string ThroughWidget(const std::string& bytes) {
    test::EnsureApplication();
    QPlainTextEdit edit;
    const PaneEncoding encoding = DetectPaneEncoding(bytes);
    edit.setPlainText(DecodePaneBytes(bytes, encoding));
    return EncodePaneText(edit.document()->toRawText(), encoding);
}

// The bytes as an edited pane returns them: every line break as CR LF.
std::string WithCrLfBreaks(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        if (bytes[i] == '\n')
            out += '\r';
        out += bytes[i];
    }
    return out;
}

const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";  // 中文 in GBK

TEST(PaneCodec, gbkText_showsChinese) {
    const std::string bytes = "PT1," + kGbkChinese + ",100.5\r\n";
    EXPECT_EQ(DetectPaneEncoding(bytes), PaneEncoding::Gbk);
    EXPECT_EQ(DecodePaneBytes(bytes, PaneEncoding::Gbk), QStringLiteral("PT1,中文,100.5\n"));
}

TEST(PaneCodec, validUtf8_showsAsUtf8) {
    const std::string bytes = "点号 PT1\n";
    EXPECT_EQ(DetectPaneEncoding(bytes), PaneEncoding::Utf8);
    EXPECT_EQ(DecodePaneBytes(bytes, PaneEncoding::Utf8), QStringLiteral("点号 PT1\n"));
    EXPECT_EQ(DetectPaneEncoding("plain ascii"), PaneEncoding::Gbk);
}

TEST(PaneCodec, nulLoneCrAndInvalidBytes_keptAsEscapes) {
    const std::string bytes = std::string("A\0B\rC\x80\xFF", 7) + "\xD6";  // last: cut character
    const QString shown = DecodePaneBytes(bytes, PaneEncoding::Gbk);
    EXPECT_EQ(shown.size(), 8);
    EXPECT_EQ(shown.at(1).unicode(), kByteEscapeBase + 0x00);
    EXPECT_EQ(shown.at(3).unicode(), kByteEscapeBase + '\r');
    EXPECT_EQ(shown.at(7).unicode(), kByteEscapeBase + 0xD6);
    EXPECT_EQ(EncodePaneText(shown, PaneEncoding::Gbk), bytes);
}

TEST(PaneCodec, everyTwoByteGbkCode_roundTrips) {
    std::string bytes;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            bytes += char(lead);
            bytes += char(trail);
        }
    }
    const QString shown = DecodePaneBytes(bytes, PaneEncoding::Gbk);
    EXPECT_EQ(EncodePaneText(shown, PaneEncoding::Gbk), bytes);
    EXPECT_EQ(ThroughWidget(bytes), bytes);
}

TEST(PaneCodec, fourByteCodesAndUtf8Oddities_roundTrip) {
    // Four-byte GB18030 characters: U+0080 and U+FFFF.
    const std::string gb4 =
        "\x81\x30\x81\x30"
        "\x84\x31\xA4\x39";
    EXPECT_EQ(ThroughWidget(gb4), gb4);
    // UTF-8 with a byte-order mark, no-break space, a private-use character
    // of the escape range and the paragraph separator.
    const std::string utf8 =
        "\xEF\xBB\xBF"
        "a\xC2\xA0"
        "b\xEF\x9C\x80\xE2\x80\xA9"
        "c 中";
    EXPECT_EQ(DetectPaneEncoding(utf8), PaneEncoding::Utf8);
    EXPECT_EQ(ThroughWidget(utf8), utf8);
}

// GB18030 bytes of a character the pane keeps as escapes.
std::string Gb18030Of(const char* utf8) {
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    char in[16], out[16];
    std::snprintf(in, sizeof in, "%s", utf8);
    char* src = in;
    char* dst = out;
    size_t left = std::strlen(in), room = sizeof out;
    iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    return std::string(out, size_t(dst - out));
}

TEST(PaneCodec, gbkCharactersTheWidgetCannotHold_roundTrip) {
    const std::string bytes =
        "a" + Gb18030Of("\xEF\x9C\x80") + "b" + Gb18030Of("\xE2\x80\xA9") + "c";
    ASSERT_GT(bytes.size(), 3u);
    EXPECT_EQ(ThroughWidget(bytes), bytes);
}

TEST(PaneCodec, randomBytes_roundTripThroughWidget) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(size_t(random() % 300), '\0');
        for (char& c : bytes)
            c = char(random() % 256);
        ASSERT_EQ(ThroughWidget(bytes), WithCrLfBreaks(bytes)) << "round " << round;
    }
}

TEST(PaneCodec, lineBreaks_becomeCrLf) {
    EXPECT_EQ(DecodePaneBytes("a\r\nb\nc", PaneEncoding::Gbk), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(EncodePaneText(QStringLiteral("a\nb"), PaneEncoding::Gbk), "a\r\nb");
    EXPECT_EQ(EncodePaneText(QStringLiteral("新"), PaneEncoding::Gbk), "\xD0\xC2");
    EXPECT_EQ(EncodePaneText(QStringLiteral("新"), PaneEncoding::Utf8), "新");
}

}  // namespace
}  // namespace vm
