#include "instrument/arithmetic.h"

#include <algorithm>
#include <cmath>

namespace vm {
namespace {

// Reciprocals as the instrument software computes them: the number to the power -1.
double Inverse(double n) {
    return std::pow(n, -1.0);
}

// Truncation toward zero that first recognises a value lying a rounding error
// away from a whole number as that whole number. A ddd.mmss angle read from
// decimal text is rarely exact in binary: 123.45 x 100 may come out as
// 12344.999999999998, and a plain truncation would turn 45 minutes into 44
// minutes and 99.99 seconds. The tolerance is far below the ten-thousandths the
// instrument stores and far above the error of a double.
double TruncateDecimal(double v) {
    const double nearest = std::nearbyint(v);
    if (std::fabs(v - nearest) <= 1e-9 * std::max(1.0, std::fabs(v)))
        return nearest;
    return std::trunc(v);
}

}  // namespace

double GonToRadians(double gon) {
    return gon * Inverse(200.0) * kPi;
}

double MilToRadians(double mil) {
    return mil * Inverse(3200.0) * kPi;
}

double DmsToRadians(double x) {
    const double wholeDegrees = TruncateDecimal(x);
    const double hundredfold = x * 100.0;  // ddd mm . ss
    const double wholeHundredfold = TruncateDecimal(hundredfold);
    const double minutes = wholeHundredfold - wholeDegrees * 100.0;
    const double secondsBy100 = hundredfold - wholeHundredfold;
    const double degrees =
        ((secondsBy100 * Inverse(3600.0)) * 100.0 + minutes * Inverse(60.0)) + wholeDegrees;
    return (degrees * Inverse(180.0)) * kPi;
}

double AngleToRadians(double angle, const std::string& angleUnit) {
    if (angleUnit == "dms")
        return DmsToRadians(angle);
    if (angleUnit == "mil")
        return MilToRadians(angle);
    return GonToRadians(angle);
}

double HorizontalComponent(double d, double z) {
    return std::fabs(d * std::sin(z));
}

double VerticalComponent(double d, double z) {
    return d * std::cos(z);
}

double ScaleLength(double stored) {
    return stored * kLengthScale;
}

double ScaleAngle(double stored, const std::string& angleUnit) {
    const double angle = stored * kAngleScale;
    return angleUnit == "mil" ? angle * kMilFactor : angle;
}

}  // namespace vm
