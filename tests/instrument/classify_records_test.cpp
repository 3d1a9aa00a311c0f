#include <gtest/gtest.h>

#include "instrument/download_kind.h"
#include "instrument/records.h"

namespace vm {
namespace {

TEST(Classify, lineAfterFirstAtmosDecidesTheKind) {
    EXPECT_EQ(ClassifyDownloadedText({"JOB X", "ATMOS 20,1013", "SS P1,1.500,TREE"}),
              DownloadKind::Measurement);
    EXPECT_EQ(ClassifyDownloadedText({"ATMOS 20,1013", "P1,100,200,30,TREE"}),
              DownloadKind::Coordinate);
    for (const char* tag : {"HD", "SD", "XYZ", "BKB", "BS", "STN"}) {
        EXPECT_EQ(ClassifyDownloadedText({"ATMOS 1", std::string(tag) + " 1,2,3"}),
                  DownloadKind::Measurement)
            << tag;
    }
    // Leading spaces do not hide the words; only the first ATMOS line counts.
    EXPECT_EQ(ClassifyDownloadedText({"   ATMOS 1", "  STN A,1,", "ATMOS 2", "P1,1,2,3,"}),
              DownloadKind::Measurement);
}

TEST(Classify, emptyOrUnknownFirstWordIsCoordinateFile) {
    EXPECT_EQ(ClassifyDownloadedText({"ATMOS 1", ""}), DownloadKind::Coordinate);
    EXPECT_EQ(ClassifyDownloadedText({"ATMOS 1", "XYZ"}), DownloadKind::Coordinate);
    EXPECT_EQ(ClassifyDownloadedText({"ATMOS 1", "xyz 1,2,3"}), DownloadKind::Coordinate);
}

TEST(Classify, withoutAtmosBeforeALineIsNone) {
    EXPECT_EQ(ClassifyDownloadedText({}), DownloadKind::None);
    EXPECT_EQ(ClassifyDownloadedText({"SS P1,1,", "XYZ 1,2,3"}), DownloadKind::None);
    EXPECT_EQ(ClassifyDownloadedText({"SS P1,1,", "ATMOS 20,1013"}), DownloadKind::None);
    // "ATMOS" without a space has no first word.
    EXPECT_EQ(ClassifyDownloadedText({"ATMOS", "SS P1,1,"}), DownloadKind::None);
}

TEST(Classify, bytesAreCutIntoPiecesWithLineEndsRemoved) {
    EXPECT_EQ(ClassifyDownloadedBytes("ATMOS 20,1013\r\nSS P1,1.500,TREE\r\n"),
              DownloadKind::Measurement);
    EXPECT_EQ(ClassifyDownloadedBytes("ATMOS 20,1013\r\n"), DownloadKind::None);
    // A long line is judged piece by piece: its second 99-byte piece is an
    // ATMOS line of its own, and its third piece the record after it.
    EXPECT_EQ(ClassifyDownloadedBytes(std::string(99, 'a') + "ATMOS 1" + std::string(92, 'c') +
                                      "STN A,1,\n"),
              DownloadKind::Measurement);
    EXPECT_EQ(ClassifyDownloadedBytes("ATMOS 1\n" + std::string(99, 'x') + "SS P1,1,\n"),
              DownloadKind::Coordinate);
    EXPECT_STREQ(DownloadKindWord(DownloadKind::None), "none");
    EXPECT_STREQ(DownloadKindWord(DownloadKind::Measurement), "measurement");
    EXPECT_STREQ(DownloadKindWord(DownloadKind::Coordinate), "coordinate");
}

TEST(Records, tagAndFieldsFollowTheSeparatorsAndMissingOnesAreEmpty) {
    EXPECT_EQ(RecordTag("xyz 1,2,3"), "xyz");
    EXPECT_EQ(RecordTag("XYZ"), "");
    const std::string line = "SS P1 ,1.600,TREE,OLD";
    EXPECT_EQ(RecordField1(line), "P1 ");
    EXPECT_EQ(RecordField2(line), "1.600");
    EXPECT_EQ(RecordRestAfterComma(line, 1), "1.600,TREE,OLD");
    EXPECT_EQ(RecordRestAfterComma(line, 2), "TREE,OLD");

    EXPECT_EQ(RecordField1("SS P1"), "");
    EXPECT_EQ(RecordField2("SS P1,1.6"), "");
    EXPECT_EQ(RecordRestAfterComma("SS P1,1.6", 2), "");
    EXPECT_EQ(RecordRestAfterComma("", 1), "");
    EXPECT_EQ(RecordField1("SS ,1.6,X"), "");
}

TEST(Records, unitsRecordSetsDistanceAndAngleUnit) {
    RecordUnits units;
    ReadUnitsRecord("UNITS m,d", units);
    EXPECT_EQ(units.distanceUnit, "m");
    EXPECT_EQ(units.angleUnit, "dms");
    ReadUnitsRecord("UNITS M,D", units);
    EXPECT_EQ(units.distanceUnit, "M");
    EXPECT_EQ(units.angleUnit, "D");
    ReadUnitsRecord("UNITS ft,m", units);
    EXPECT_EQ(units.angleUnit, "mil");
    ReadUnitsRecord("UNITS m,g", units);
    EXPECT_EQ(units.angleUnit, "gon");
}

TEST(Records, precedingLineGivesNameAndCodeWithTrailingSpacesRemoved) {
    EXPECT_EQ(PrecedingLineName("SS P1  ,1.600,TREE  "), "P1");
    EXPECT_EQ(PrecedingLineCode("SS P1  ,1.600,TREE  "), "TREE");
    EXPECT_EQ(PrecedingLineName("BKB B7,10000,20000"), "B7");
    EXPECT_EQ(PrecedingLineName(""), "");
    EXPECT_EQ(PrecedingLineCode(""), "");
    // GBK bytes pass through untouched.
    EXPECT_EQ(PrecedingLineName("SS \xb5\xe3\x31,1,\xca\xf7"), "\xb5\xe3\x31");
    EXPECT_EQ(PrecedingLineCode("SS \xb5\xe3\x31,1,\xca\xf7"), "\xca\xf7");
}

}  // namespace
}  // namespace vm
