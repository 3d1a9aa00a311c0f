#include <gtest/gtest.h>

#include "instrument/coordinate_conversion.h"
#include "instrument/measurement_conversion.h"

namespace vm {
namespace {

MeasurementOptions Everything(int layout) {
    MeasurementOptions o;
    o.coordinates = o.angleDistance = o.angles = true;
    o.layout = layout;
    return o;
}

// Junk of every kind through every parser is left to the fuzz targets; here
// lines of megabytes without a line end.
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
