#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "universal/universal_conversion.h"

namespace vm {
namespace {

using test::TempDir;

// Layout 1-6 on both sides with the attribute, commas.
UniversalConversionRun StraightRun() {
    UniversalConversionRun run;
    run.layout.source = {0, 1, 2, 3, 4, 5};
    run.layout.target = {0, 1, 2, 3, 4, 5};
    run.layout.attributeEnabled = true;
    return run;
}

// Only the point number, read from field 2 (where a record without separator
// lands) and written to field 1: the output shows each record as it is.
UniversalConversionRun RecordRun() {
    UniversalConversionRun run;
    run.layout.source = {1, 5, 5, 5, 5, 5};
    run.layout.target = {0, 5, 5, 5, 5, 5};
    run.sourceSeparator = '\t';
    return run;
}

std::string Convert(const std::string& source, UniversalConversionRun& run) {
    long long count = 0;
    return ConvertLayoutText(source, run, count);
}

std::string Records(const std::string& source) {
    UniversalConversionRun run = RecordRun();
    return Convert(source, run);
}

TEST(UniversalConversion, workedExampleSwapsXAndYAndFormatsCoordinates) {
    UniversalConversionRun run = StraightRun();
    run.layout.target = {0, 1, 3, 2, 4, 5};
    EXPECT_EQ(Convert("12,K3,512.345,502.1,45.6\r\n", run), "12,K3,502.100,512.345,45.600\r\n");

    run.addX = 10;
    run.mulX = 2;
    EXPECT_EQ(Convert("1,,100.5,0,0\n", run), "1, ,0.000,221.000,0.000\r\n");

    // Grid constants keep every millimetre.
    run = StraightRun();
    run.addX = 500000.123;
    run.addY = 38500000.001;
    run.mulZ = 1.0001;
    EXPECT_EQ(Convert("P,A,0.000,0.000,1000\n", run), "P,A,500000.123,38500000.001,1000.100\r\n");
}

// Records: 99-byte pieces, blank lines kept, a lone CR ending a line, "@" and "$"
// removed and "@$$" splitting a record.
TEST(UniversalRecords, piecesAndMarkers) {
    const std::string b99(99, 'b');
    const std::pair<std::string, std::string> cases[] = {
        {b99 + "\r\n", b99 + "\r\n\r\n"},  // 99 bytes: a second, empty record
        {std::string(150, 'c') + "\n",
         std::string(99, 'c') + "\r\n" + std::string(51, 'c') + "\r\n"},
        {std::string(98, 'd') + "\r\n", std::string(98, 'd') + "\r\n"},
        {b99, b99 + "\r\n"},  // a last line without line end: only non-empty pieces
        {"a\r\n\r\nb\n", "a\r\n\r\nb\r\n"},
        {"a\rb\r\n", "a\r\nb\r\n"},
        {"", ""},
        {"P@1$2\n", "P12\r\n"},
        {"A@$$B\n", "A\r\nB\r\n"},
        {"A@$$\n", "A\r\n\r\n"},
        {"x@\n", "x\r\n"},            // a trailing '@' does not eat the record's end
        {"x@\r$$y\n", "x\r\ny\r\n"},  // CR goes before the walk
    };
    for (const auto& c : cases)
        EXPECT_EQ(Records(c.first), c.second) << c.first;
}

TEST(SplitRecord, separatorsAreNeverMergedOrTrimmed) {
    using F = RecordFields;
    EXPECT_EQ(SplitRecord("P7  A 100 200 10", ' '), (F{"P7", "", "A", "100", "200", "10"}));
    EXPECT_EQ(SplitRecord("P7  A 100 200 10", ','), (F{"", "P7  A 100 200 10", "", "", "", ""}));
    EXPECT_EQ(SplitRecord(" 1 ,,2,3,4,5,6", ','), (F{" 1 ", "", "2", "3", "4", "5,6"}));
}

// Fill order and separators: a gap leaves a trailing separator, switched-off
// items still count in the separator step, an empty attribute becomes a space,
// later items overwrite earlier ones, missing coordinates stay empty.
TEST(BuildTargetRecord, fillOrderAndSeparators) {
    const struct {
        ColumnLayout target;
        bool attribute;
        char separator;
        double addX;
        const char* record;
        const char* out;
    } cases[] = {
        {{0, 5, 1, 2, 4, 5}, false, ',', 0, "P,A,1,2,3,9", "P,1.000,2.000,3.000,\r\n"},
        {{0, 0, 1, 2, 3, 5}, false, ',', 0, "12,A,1,2,3", "12,,1.000,2.000,3.000\r\n"},
        {{0, 0, 1, 2, 3, 5}, false, ' ', 0, "12,A,1,2,3", "12  1.000 2.000 3.000\r\n"},
        // "Last" is the count of filled fields less one, not the last filled
        // position: with field 2 left empty, Y at field 4 counts as last, yet
        // keeps its separator, since Z follows it.
        {{0, 1, 2, 3, 4, 5}, false, ',', 0, "12,A,1,2,3", "12,1.000,2.000,3.000,\r\n"},
        {{0, 1, 2, 3, 4, 5}, true, ',', 0, "7,,1,2,3", "7, ,1.000,2.000,3.000\r\n"},
        // X over the point number; an empty X wipes it and yields no number.
        {{0, 1, 0, 2, 3, 5}, true, ',', 0, "P9,A,5,6,7", "5.000,,A,6.000,7.000\r\n"},
        {{0, 1, 0, 2, 3, 5}, true, ',', 0, "P9,A,,6,7", "A,6.000,7.000,\r\n"},
        {{0, 1, 2, 3, 4, 5}, true, ',', 1, "P1,A,x,  2.5e1m", "P1,A,1.000,25.000\r\n"},
        {{0, 1, 2, 3, 4, 5}, true, ',', 1, "P1", "P1,\r\n"},  // no separator: field 2
    };
    for (const auto& c : cases) {
        UniversalConversionRun run = StraightRun();
        run.layout.target = c.target;
        run.layout.attributeEnabled = c.attribute;
        run.targetSeparator = c.separator;
        run.addX = c.addX;
        long long counter = -1;
        EXPECT_EQ(BuildTargetRecord(SplitRecord(c.record, ','), run, counter), c.out) << c.record;
    }
}

TEST(UniversalNumbering, minusOneCopiesSourceNumbersUntilARecordHasNone) {
    UniversalConversionRun run = StraightRun();
    run.layout.numberingEnabled = true;
    run.layout.attributeEnabled = false;
    run.layout.source = {0, 1, 2, 3, 5, 4};  // sequence number in field 5
    run.layout.target = {0, 5, 5, 5, 5, 1};  // point number and sequence number only
    EXPECT_EQ(Convert("a,,,,17\nb,,,,18\nc,\nd,,,,19\ne,,,,20\n", run),
              "a,17\r\nb,18\r\nc,-1\r\nd,0\r\ne,1\r\n");
    EXPECT_EQ(run.startNumber, 2);
}

TEST(UniversalNumbering, startNumberCountsEveryRecordAndRestartsEachRun) {
    UniversalConversionRun run = RecordRun();
    run.layout.numberingEnabled = true;
    run.layout.target = {1, 5, 5, 5, 5, 0};
    run.startNumber = 1;
    const std::string source = "A\n\nB\n";  // the blank record is numbered too
    UniversalConversionRun first = run;
    EXPECT_EQ(Convert(source, first), "1,A\r\n2\r\n3,B\r\n");
    EXPECT_EQ(first.startNumber, 4);
    UniversalConversionRun second = run;  // a new run takes the start number again
    second.headerCount = true;            // the count includes the blank record
    EXPECT_EQ(Convert(source, second), "3\r\n1,A\r\n2\r\n3,B\r\n");
    UniversalConversionRun empty = RecordRun();
    EXPECT_EQ(Convert("", empty), "");
    empty.headerCount = true;
    EXPECT_EQ(Convert("", empty), "0\r\n");
}

// Any bytes with any field positions giving one line per record is checked,
// against a reference model, by the universal conversion fuzz target.

// Missing and unreadable sources are checked where the window and the command
// line report them. No target stops with its message; a target that cannot be
// written is reported and keeps the counter; the source itself may be the target.
TEST(ConvertLayoutFile, targetMissingUnwritableOrTheSourceItself) {
    TempDir dir;
    UniversalConversionRun run = StraightRun();
    run.layout.numberingEnabled = true;
    run.startNumber = 5;
    run.sourcePath = dir.write("in.txt", "1\n2\n");
    UniversalConversionResult r = ConvertLayoutFile(run);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "选择要保存的文件!!!");
    EXPECT_EQ(r.messages[0].caption, "");
    EXPECT_FALSE(r.success);

    run.targetPath = dir.file("no-such-folder/out.txt");
    r = ConvertLayoutFile(run);
    EXPECT_FALSE(r.success);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].text.find("无法写入文件"), std::string::npos);
    EXPECT_EQ(run.startNumber, 5);

    run = StraightRun();
    run.headerCount = true;
    run.sourcePath = run.targetPath = dir.write("in.txt", "1,A,1,2,3\n2,B,4,5,6\n");
    r = ConvertLayoutFile(run);
    EXPECT_FALSE(r.success);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "目标文件不能与源文件相同：" + run.targetPath);
    EXPECT_EQ(TempDir::read(run.sourcePath), "1,A,1,2,3\n2,B,4,5,6\n");
}

}  // namespace
}  // namespace vm
