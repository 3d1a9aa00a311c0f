#include <gtest/gtest.h>

#include <random>

#include "common/file_io.h"
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
}

// --- pieces and records -------------------------------------------------------

TEST(UniversalRecords, longLinesArriveAsPiecesOfNinetyNineBytes) {
    const std::string b99(99, 'b');
    const std::string c150(150, 'c');
    EXPECT_EQ(Records(b99 + "\r\n"), b99 + "\r\n\r\n");  // 99 bytes: a second, empty record
    EXPECT_EQ(Records(c150 + "\n"), std::string(99, 'c') + "\r\n" + std::string(51, 'c') + "\r\n");
    EXPECT_EQ(Records(std::string(98, 'd') + "\r\n"), std::string(98, 'd') + "\r\n");
    // A last line without line end gives only its non-empty pieces.
    EXPECT_EQ(Records(b99), b99 + "\r\n");
}

TEST(UniversalRecords, blankLinesAreRecordsAndLoneCarriageReturnsVanish) {
    EXPECT_EQ(Records("a\r\n\r\nb\n"), "a\r\n\r\nb\r\n");
    EXPECT_EQ(Records("a\rb\r\n"), "ab\r\n");
    EXPECT_EQ(Records(""), "");
}

TEST(UniversalRecords, atAndDollarNeverReachARecordAndTheMarkerSplitsIt) {
    EXPECT_EQ(Records("P@1$2\n"), "P12\r\n");
    EXPECT_EQ(Records("A@$$B\n"), "A\r\nB\r\n");
    EXPECT_EQ(Records("A@$$\n"), "A\r\n\r\n");
    EXPECT_EQ(Records("x@\n"), "x\r\n");            // a trailing '@' does not eat the record's end
    EXPECT_EQ(Records("x@\r$$y\n"), "x\r\ny\r\n");  // CR goes before the walk
}

// --- splitting ----------------------------------------------------------------

TEST(SplitRecord, separatorsAreNeverMergedOrTrimmed) {
    using F = RecordFields;
    EXPECT_EQ(SplitRecord("P7  A 100 200 10", ' '), (F{"P7", "", "A", "100", "200", "10"}));
    EXPECT_EQ(SplitRecord("P7  A 100 200 10", ','), (F{"", "P7  A 100 200 10", "", "", "", ""}));
    EXPECT_EQ(SplitRecord(",a", ','), (F{"", "a", "", "", "", ""}));
    EXPECT_EQ(SplitRecord("a,b", ','), (F{"a", "b", "", "", "", ""}));
    EXPECT_EQ(SplitRecord("1,2,3,4,5,6,7,8", ','), (F{"1", "2", "3", "4", "5", "6,7,8"}));
    EXPECT_EQ(SplitRecord("1,2,3,4,5,", ','), (F{"1", "2", "3", "4", "5", ""}));
    EXPECT_EQ(SplitRecord(" 1 ,", ','), (F{" 1 ", "", "", "", "", ""}));
    EXPECT_EQ(SplitRecord("", ','), (F{"", "", "", "", "", ""}));
}

// --- fill order and separators ---------------------------------------------------

TEST(BuildTargetRecord, aGapInTheTargetLeavesNoEmptyColumnButATrailingSeparator) {
    UniversalConversionRun run = StraightRun();
    run.layout.target = {0, 5, 1, 2, 4, 5};  // P 1, X 2, Y 3, Z 5, attribute and sequence 6
    run.layout.attributeEnabled = false;
    long long counter = -1;
    EXPECT_EQ(BuildTargetRecord(SplitRecord("P,A,1,2,3,9", ','), run, counter),
              "P,1.000,2.000,3.000,\r\n");
}

TEST(BuildTargetRecord, switchedOffItemsStillCountInTheSeparatorStep) {
    UniversalConversionRun run = StraightRun();
    run.layout.target = {0, 0, 1, 2, 3, 5};  // attribute off, sharing the point number's field
    run.layout.attributeEnabled = false;
    long long counter = -1;
    EXPECT_EQ(BuildTargetRecord(SplitRecord("12,A,1,2,3", ','), run, counter),
              "12,,1.000,2.000,3.000\r\n");
    run.targetSeparator = ' ';
    EXPECT_EQ(BuildTargetRecord(SplitRecord("12,A,1,2,3", ','), run, counter),
              "12  1.000 2.000 3.000\r\n");
    // The last field is the count of filled fields less one, not the last
    // filled position: with field 2 left empty, Y at field 4 counts as last.
    run.layout.target = {0, 1, 2, 3, 4, 5};
    run.targetSeparator = ',';
    EXPECT_EQ(BuildTargetRecord(SplitRecord("12,A,1,2,3", ','), run, counter),
              "12,1.000,2.0003.000,\r\n");
}

TEST(BuildTargetRecord, emptyAttributeBecomesASpaceWithItsSeparator) {
    UniversalConversionRun run = StraightRun();
    long long counter = -1;
    EXPECT_EQ(BuildTargetRecord(SplitRecord("7,,1,2,3", ','), run, counter),
              "7, ,1.000,2.000,3.000\r\n");
}

TEST(BuildTargetRecord, laterItemsOverwriteEarlierOnesAtTheSamePosition) {
    UniversalConversionRun run = StraightRun();
    run.layout.target = {0, 1, 0, 2, 3, 5};  // X written over the point number
    long long counter = -1;
    // Field 1 holds X's number and is visited twice (point number and X).
    EXPECT_EQ(BuildTargetRecord(SplitRecord("P9,A,5,6,7", ','), run, counter),
              "5.000,,A,6.000,7.000\r\n");
    // An empty X wipes the point number and yields no number; three fields
    // are left, so Y at field 3 counts as the last.
    EXPECT_EQ(BuildTargetRecord(SplitRecord("P9,A,,6,7", ','), run, counter), "A,6.0007.000,\r\n");
}

TEST(BuildTargetRecord, missingCoordinatesStayEmptyAndTextReadsAsZero) {
    UniversalConversionRun run = StraightRun();
    run.addX = 1;
    long long counter = -1;
    EXPECT_EQ(BuildTargetRecord(SplitRecord("P1,A,x,  2.5e1m", ','), run, counter),
              "P1,A,1.000,25.000\r\n");
    // Without a separator the record is field 2, here the attribute.
    EXPECT_EQ(BuildTargetRecord(SplitRecord("P1", ','), run, counter), "P1,\r\n");
}

// --- numbering -----------------------------------------------------------------

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
    EXPECT_EQ(Convert(source, second), "1,A\r\n2\r\n3,B\r\n");
}

// --- constants -----------------------------------------------------------------

TEST(UniversalConstants, gridConstantsKeepEveryMillimetre) {
    UniversalConversionRun run = StraightRun();
    run.addX = 500000.123;
    run.addY = 38500000.001;
    run.mulZ = 1.0001;
    EXPECT_EQ(Convert("P,A,0.000,0.000,1000\n", run), "P,A,500000.123,38500000.001,1000.100\r\n");
}

// --- header count --------------------------------------------------------------

TEST(UniversalHeaderCount, countsEveryRecordIncludingBlanksAndEmptyFiles) {
    UniversalConversionRun run = RecordRun();
    run.headerCount = true;
    EXPECT_EQ(Convert("", run), "0\r\n");
    EXPECT_EQ(Convert("P1\n\nP2", run), "3\r\nP1\r\n\r\nP2\r\n");
    UniversalConversionRun plain = RecordRun();
    EXPECT_EQ(Convert("", plain), "");
}

// --- malformed input -----------------------------------------------------------

TEST(UniversalConversion, anyBytesAndAnyPositionsGiveOneLinePerRecord) {
    std::mt19937 rng(5);
    const char alphabet[] = {'1', '.', '-', ',', ' ', '@', '$', '\r', '\n', '\0', 'e', '\xB5'};
    for (int t = 0; t < 2000; ++t) {
        std::string source;
        const int size = static_cast<int>(rng() % 300);
        for (int i = 0; i < size; ++i)
            source.push_back(alphabet[rng() % sizeof alphabet]);
        UniversalConversionRun run;
        int* positions[] = {&run.layout.source.pointNumber, &run.layout.source.attribute,
                            &run.layout.source.x,           &run.layout.target.y,
                            &run.layout.target.z,           &run.layout.target.sequenceNumber};
        for (int* p : positions)
            *p = static_cast<int>(rng() % 12) - 3;  // some outside 0-5
        run.layout.attributeEnabled = rng() % 2;
        run.layout.numberingEnabled = rng() % 2;
        run.sourceSeparator = rng() % 2 ? ',' : ' ';
        run.headerCount = rng() % 2;
        run.mulX = 1e300;
        long long records = 0;
        const std::string out = ConvertLayoutText(source, run, records);
        size_t lines = 0;
        for (size_t i = 0; (i = out.find("\r\n", i)) != std::string::npos; i += 2)
            ++lines;
        ASSERT_EQ(static_cast<long long>(lines), records + (run.headerCount ? 1 : 0)) << t;
    }
}

// --- whole runs: paths, files and messages ---------------------------------------

TEST(ConvertLayoutFile, missingPathsStopWithTheirMessageAndTouchNothing) {
    TempDir dir;
    UniversalConversionRun run = StraightRun();
    run.targetPath = dir.file("out.txt");
    UniversalConversionResult r = ConvertLayoutFile(run);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "选择要转换的文件!!!");
    EXPECT_EQ(r.messages[0].caption, "");
    EXPECT_FALSE(r.success);

    run.sourcePath = dir.write("in.txt", "1\n");
    run.targetPath.clear();
    r = ConvertLayoutFile(run);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, "选择要保存的文件!!!");
    EXPECT_FALSE(FileExists(dir.file("out.txt")));
}

TEST(ConvertLayoutFile, sameSourceAndTargetReplacesTheFileByItsConvertedForm) {
    TempDir dir;
    UniversalConversionRun run = StraightRun();
    run.headerCount = true;
    run.sourcePath = run.targetPath = dir.write("in.txt", "1,A,1,2,3\n2,B,4,5,6\n");
    EXPECT_TRUE(ConvertLayoutFile(run).success);
    EXPECT_EQ(TempDir::read(run.targetPath),
              "2\r\n1,A,1.000,2.000,3.000\r\n2,B,4.000,5.000,6.000\r\n");
}

TEST(ConvertLayoutFile, unreadableSourceLeavesTargetUntouchedWithoutSuccess) {
    TempDir dir;
    UniversalConversionRun run = StraightRun();
    run.sourcePath = dir.file("missing.txt");
    run.targetPath = dir.write("out.txt", "old contents");
    const UniversalConversionResult r = ConvertLayoutFile(run);
    EXPECT_FALSE(r.success);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_TRUE(r.messages[0].failure);
    EXPECT_NE(r.messages[0].text.find("无法读取文件"), std::string::npos);
    EXPECT_EQ(TempDir::read(run.targetPath), "old contents");

    run.sourcePath = dir.path();  // a folder is not a file to convert
    EXPECT_FALSE(ConvertLayoutFile(run).success);
    EXPECT_EQ(TempDir::read(run.targetPath), "old contents");
}

TEST(ConvertLayoutFile, unwritableTargetReportsFailureAndKeepsTheCounter) {
    TempDir dir;
    UniversalConversionRun run = StraightRun();
    run.layout.numberingEnabled = true;
    run.startNumber = 5;
    run.sourcePath = dir.write("in.txt", "1\n2\n");
    run.targetPath = dir.file("no-such-folder/out.txt");
    UniversalConversionResult r = ConvertLayoutFile(run);
    EXPECT_FALSE(r.success);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].text.find("无法写入文件"), std::string::npos);
    EXPECT_EQ(run.startNumber, 5);

    run.targetPath = dir.file("out.txt");
    r = ConvertLayoutFile(run);
    EXPECT_TRUE(r.success);
    EXPECT_EQ(run.startNumber, 7);
}

}  // namespace
}  // namespace vm
