#pragma once
// Angle and distance arithmetic of the instrument's files. Angles arrive as
// ten-thousandths of their unit (mil as thousandths), lengths as thousandths.
// Radians use the instrument software's eight-digit pi so that reduced values
// match what surveyors have always received from it.

#include <string>

namespace vm {

constexpr double kLengthScale = 0.001;
constexpr double kAngleScale = 0.0001;
constexpr double kMilFactor = 10.0;
constexpr double kPi = 3.1415926;

double GonToRadians(double gon);
double MilToRadians(double mil);
// x in ddd.mmss form: degrees, two digits of minutes, seconds with fractions.
double DmsToRadians(double x);
// "dms" and "mil" select their conversion; every other unit is gon.
double AngleToRadians(double angle, const std::string& angleUnit);

// |d sin z| and d cos z (z in radians): horizontal distance and height difference.
double HorizontalComponent(double d, double z);
double VerticalComponent(double d, double z);

// A stored length field as a value: number x 0.001.
double ScaleLength(double stored);
// A stored angle field as a value in angleUnit: number x 0.0001, x 10 for "mil".
double ScaleAngle(double stored, const std::string& angleUnit);

}  // namespace vm
