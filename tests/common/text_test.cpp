#include <gtest/gtest.h>

#include "common/line_reader.h"
#include "common/number.h"
#include "common/text.h"

namespace vm {
namespace {

TEST(Mid, clampsNegativeStartCountAndOverrun) {
    EXPECT_EQ(Mid("abcdef", -3, 2), "ab");
    EXPECT_EQ(Mid("abcdef", 2, -1), "");
    EXPECT_EQ(Mid("abcdef", 4, 100), "ef");
    EXPECT_EQ(Mid("abcdef", 6, 1), "");
    EXPECT_EQ(Mid("abcdef", 100, 1), "");
    EXPECT_EQ(MidFrom("abcdef", 3), "def");
    EXPECT_EQ(MidFrom("abcdef", -1), "abcdef");
}

TEST(FindChar, returnsMinusOneAtOrPastEndAndRestartsFromZeroAfterAFailure) {
    EXPECT_EQ(FindChar("a,b,c", ',', 0), 1);
    EXPECT_EQ(FindChar("a,b,c", ',', 2), 3);
    EXPECT_EQ(FindChar("a,b,c", ',', 4), -1);
    EXPECT_EQ(FindChar("a,b,c", ',', 5), -1);
    const long long failed = FindChar("abc", ',', 0);
    EXPECT_EQ(FindChar("a,b", ',', failed + 1), 1);
}

TEST(CleanPiece, removesEveryCrLfAndTrimsOnlySpaces) {
    EXPECT_EQ(CleanPiece("  a\rb \n"), "ab");
    EXPECT_EQ(CleanPiece("\tx \t"), "\tx \t");
    EXPECT_EQ(CleanPiece("   "), "");
}

std::vector<std::string> Pieces(const std::string& bytes) {
    LineReader reader(bytes);
    std::vector<std::string> out;
    std::string piece;
    while (reader.Next(piece)) out.push_back(piece);
    return out;
}

TEST(LineReader, turnsCrLfIntoLfAndKeepsLoneCr) {
    EXPECT_EQ(Pieces("a\r\nb\rc\nd"), (std::vector<std::string>{"a\n", "b\rc\n", "d"}));
    EXPECT_TRUE(Pieces("").empty());
}

TEST(LineReader, cutsLongLinesInto99BytePieces) {
    const std::string line(250, 'x');
    const auto pieces = Pieces(line + "\r\nend");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].size(), 99u);
    EXPECT_EQ(pieces[1].size(), 99u);
    EXPECT_EQ(pieces[2], std::string(52, 'x') + "\n");
    EXPECT_EQ(pieces[3], "end");
}

TEST(LineReader, aCrLfStraddlingThePieceLimitStaysOneLineEnd) {
    const auto pieces = Pieces(std::string(98, 'y') + "\r\nz");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::string(98, 'y') + "\n");
    EXPECT_EQ(pieces[1], "z");
}

TEST(LineReader, keepsNulAndHighBytes) {
    const std::string bytes("\xb5\xe3\0x\n", 5);
    const auto pieces = Pieces(bytes);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0], bytes);
}

TEST(AtoF, followsTheCLibraryPrefixRule) {
    EXPECT_DOUBLE_EQ(AtoF("  12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(AtoF("-0.0005"), -0.0005);
    EXPECT_DOUBLE_EQ(AtoF("+3e2x"), 300.0);
    EXPECT_DOUBLE_EQ(AtoF("3e"), 3.0);
    EXPECT_DOUBLE_EQ(AtoF(".5"), 0.5);
    EXPECT_DOUBLE_EQ(AtoF("5."), 5.0);
    EXPECT_DOUBLE_EQ(AtoF("abc"), 0.0);
    EXPECT_DOUBLE_EQ(AtoF("."), 0.0);
    EXPECT_DOUBLE_EQ(AtoF(""), 0.0);
    EXPECT_DOUBLE_EQ(AtoF("0x1A"), 0.0);
    EXPECT_DOUBLE_EQ(AtoF("inf"), 0.0);
}

TEST(AtoI, takesSignAndLeadingDigitsAndSaturates) {
    EXPECT_EQ(AtoI(" -42x"), -42);
    EXPECT_EQ(AtoI("+7"), 7);
    EXPECT_EQ(AtoI("x7"), 0);
    EXPECT_EQ(AtoI("99999999999999999999999"), std::numeric_limits<long long>::max());
}

}  // namespace
}  // namespace vm
