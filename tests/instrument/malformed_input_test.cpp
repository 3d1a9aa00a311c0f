#include <gtest/gtest.h>

#include <random>

#include "instrument/coordinate_conversion.h"
#include "instrument/download_kind.h"
#include "instrument/file_pieces.h"
#include "instrument/measurement_conversion.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

std::string RandomBytes(size_t size, unsigned seed, const std::string& alphabet = "") {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        const unsigned r = random();
        c = alphabet.empty() ? static_cast<char>(r & 0xff) : alphabet[r % alphabet.size()];
    }
    return bytes;
}

std::vector<std::string> PiecesOf(const std::string& bytes) {
    std::vector<std::string> pieces;
    ForEachPiece(bytes, [&](const std::string& p) { pieces.push_back(p); });
    return pieces;
}

MeasurementOptions Everything(int layout) {
    MeasurementOptions o;
    o.coordinates = o.angleDistance = o.angles = true;
    o.layout = layout;
    return o;
}

// Junk of every kind goes through every parser without a crash; the sanitizer
// build checks that nothing reads past a buffer.
TEST(MalformedInput, junkGoesThroughEveryParser) {
    const std::string recordish = "XYZSDHVBKUNITATMOS ,,,,,@$\r\n\t0123456789.-e\xb5\xe3";
    std::vector<std::string> inputs = {"",
                                       "\n",
                                       "\r",
                                       "@$$",
                                       "@",
                                       "$$@",
                                       ",,,,",
                                       "XYZ ",
                                       "ATMOS \n",
                                       "UNITS ",
                                       std::string(5, '\0')};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        inputs.push_back(RandomBytes(seed * 97, seed));
        inputs.push_back(RandomBytes(seed * 131, seed, recordish));
    }
    for (const std::string& bytes : inputs) {
        ClassifyDownloadedBytes(bytes);
        for (int layout = -1; layout <= 11; ++layout) {
            const CoordinateOutput out = ConvertCoordinateText(bytes, layout);
            EXPECT_LE(out.points, static_cast<long long>(PiecesOf(bytes).size()));
            ConvertMeasurementText(bytes, Everything(layout));
        }
    }
}

TEST(MalformedInput, megabyteLinesWithoutLineEnds) {
    std::string line;
    while (line.size() < 3'000'000)
        line += "P,1,2,3,C,";
    // Every full 99-byte piece holds at least four commas: one point each; the
    // last 3 bytes are too short for a point.
    ASSERT_EQ(line.size() % 99, 3u);
    EXPECT_EQ(ConvertCoordinateText(line, 0).points, static_cast<long long>(line.size() / 99));
    const MeasurementOutputs meas = ConvertMeasurementText("XYZ " + line, Everything(0));
    EXPECT_EQ(meas.coordinates.substr(0, 8), "1,0.000,");
}

}  // namespace
}  // namespace vm
