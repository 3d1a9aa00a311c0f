#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "common/line_reader.h"
#include "common/piece_walker.h"
#include "common/number.h"
#include "common/text.h"

namespace vm {
namespace {

TEST(TextHelpers, clampOutOfRangePositionsAsTheFieldReadersExpect) {
    EXPECT_EQ(Mid("abcdef", -3, 2), "ab");
    EXPECT_EQ(Mid("abcdef", 2, -1), "");
    EXPECT_EQ(Mid("abcdef", 4, 100), "ef");
    EXPECT_EQ(Mid("abcdef", 6, 1), "");
    EXPECT_EQ(Mid("abcdef", 100, 1), "");
    EXPECT_EQ(MidFrom("abcdef", 3), "def");
    EXPECT_EQ(MidFrom("abcdef", -1), "abcdef");
    // CleanPiece: every CR and LF removed, only spaces trimmed.
    EXPECT_EQ(CleanPiece("  a\rb \n"), "ab");
    EXPECT_EQ(CleanPiece("\tx \t"), "\tx \t");
    EXPECT_EQ(CleanPiece("   "), "");
}

// Lines of a file as the upload and the converters read them: LF, CR LF and a
// lone CR each end a line and become LF, a byte-order mark at the start is no
// data, and a line longer than 99 bytes comes in 99-byte pieces.
TEST(LineReader, piecesOfTheBytes) {
    const std::string x(250, 'x'), y(98, 'y');
    using Pieces = std::vector<std::string>;
    const std::pair<std::string, Pieces> rows[] = {
        {"", {}},
        {"a\r\nb\rc\nd", {"a\n", "b\n", "c\n", "d"}},
        {"\xEF\xBB\xBFP1\rP2\r\r\n", {"P1\n", "P2\n", "\n"}},  // CR-only lines, a BOM
        {"x\xEF\xBB\xBF", {"x\xEF\xBB\xBF"}},                  // only at the start
        {y + "\rz", {y + "\n", "z"}},
        {x + "\r\nend", {x.substr(0, 99), x.substr(99, 99), x.substr(198) + "\n", "end"}},
        {y + "\r\nz", {y + "\n", "z"}},  // a CR LF across the piece limit is one line end
        {std::string("\xb5\xe3\0x\n", 5), {std::string("\xb5\xe3\0x\n", 5)}},  // NUL and high bytes
    };
    for (const auto& [bytes, expected] : rows) {
        LineReader reader(bytes);
        Pieces got;
        std::string piece;
        while (reader.Next(piece))
            got.push_back(piece);
        EXPECT_EQ(got, expected) << bytes.substr(0, 12);
    }
}

// The conversions walk the pieces in place: the same pieces, once CR and LF
// are dropped, over lines that end near the 99-byte limit in every way.
TEST(PieceWalker, givesTheLineReadersPieces) {
    auto strip = [](std::string_view piece) {
        std::string text;
        for (char c : piece)
            if (c != '\r' && c != '\n')
                text.push_back(c);
        return text;
    };
    std::mt19937 random(15);
    const char alphabet[] = {'a', 'a', 'a', ',', '\r', '\n', '@', '$'};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const size_t size = random() % 400;
        while (bytes.size() < size) {
            bytes.append(std::string(random() % 3 ? 97 + random() % 4 : random() % 8, 'x'));
            bytes.push_back(alphabet[random() % sizeof alphabet]);
        }
        LineReader reader(bytes);
        PieceWalker walker(bytes);
        std::string piece;
        std::string_view raw;
        size_t covered = 0;
        while (reader.Next(piece)) {
            ASSERT_TRUE(walker.Next(raw));
            ASSERT_EQ(strip(raw), strip(piece));
            ASSERT_EQ(strip(WithoutLineEnd(raw)), strip(piece));
            covered += raw.size();
        }
        EXPECT_FALSE(walker.Next(raw));
        EXPECT_EQ(covered, bytes.size());
    }
}

TEST(AtoF, followsTheCLibraryPrefixRule) {
    const std::pair<const char*, double> rows[] = {
        {"  12.5abc", 12.5}, {"-0.0005", -0.0005}, {"+3e2x", 300.0}, {"3e", 3.0},
        {".5", 0.5},         {"5.", 5.0},          {"abc", 0.0},     {".", 0.0},
        {"", 0.0},           {"0x1A", 0.0},        {"inf", 0.0},
    };
    for (const auto& [text, value] : rows)
        EXPECT_DOUBLE_EQ(AtoF(text), value) << text;
}

TEST(AtoI, takesSignAndLeadingDigitsAndSaturates) {
    EXPECT_EQ(AtoI(" -42x"), -42);
    EXPECT_EQ(AtoI("+7"), 7);
    EXPECT_EQ(AtoI("x7"), 0);
    EXPECT_EQ(AtoI("99999999999999999999999"), std::numeric_limits<long long>::max());
}

}  // namespace
}  // namespace vm
