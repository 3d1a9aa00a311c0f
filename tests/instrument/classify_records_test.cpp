#include <gtest/gtest.h>

#include "instrument/download_kind.h"

namespace vm {
namespace {

// The piece after the first ATMOS line decides: a measurement tag means a
// measurement file, anything else a coordinate file; no ATMOS, no kind. Long
// lines are judged piece by piece of 99 bytes.
TEST(Classify, pieceAfterFirstAtmosDecidesTheKind) {
    using K = DownloadKind;
    const std::pair<std::string, DownloadKind> cases[] = {
        {"JOB X\nATMOS 20,1013\r\nSS P1,1.500,TREE\r\n", K::Measurement},
        {"ATMOS 20,1013\nP1,100,200,30,TREE\n", K::Coordinate},
        {"   ATMOS 1\n  STN A,1,\nATMOS 2\nP1,1,2,3,\n", K::Measurement},  // leading spaces
        {"ATMOS 1\nSS P1,1,C", K::Measurement},                            // no line end
        {"ATMOS 1\n\n", K::Coordinate},
        {"ATMOS 1\nXYZ\n", K::Coordinate},  // no space: no first word
        {"ATMOS 1\nxyz 1,2,3\n", K::Coordinate},
        {"", K::None},
        {"ATMOS 20,1013\r\n", K::None},
        {"SS P1,1,\nXYZ 1,2,3\n", K::None},
        {"SS P1,1,\nATMOS 20,1013\n", K::None},
        {"ATMOS\nSS P1,1,\n", K::None},
        // The second piece of a long line is an ATMOS line, the third the record after it.
        {std::string(99, 'a') + "ATMOS 1" + std::string(92, 'c') + "STN A,1,\n", K::Measurement},
        {"ATMOS 1\n" + std::string(99, 'x') + "SS P1,1,\n", K::Coordinate},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyDownloadedBytes(c.first), c.second) << c.first;
    for (const char* tag : {"HD", "SD", "XYZ", "BKB", "BS", "STN"})
        EXPECT_EQ(ClassifyDownloadedText({"ATMOS 1", std::string(tag) + " 1,2,3"}), K::Measurement)
            << tag;
}

}  // namespace
}  // namespace vm
