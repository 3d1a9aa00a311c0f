#include "instrument/survey_angle.h"

#include <cstdlib>

namespace vm {
namespace {

long long PowerOfTen(int n) {
    long long p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// A ddd.mmss[s...] value as a count of seconds (with the decimals beyond the
// seconds); false when the minutes or seconds are 60 or more, or the digits
// do not fit.
bool DmsSeconds(const ExactDecimal& dms, ExactDecimal& seconds) {
    ExactDecimal v = dms;
    for (; v.scale < 4; ++v.scale) {
        if (__builtin_mul_overflow(v.units, 10, &v.units))
            return false;
    }
    const long long t = std::llabs(v.units);
    const long long perDegree = PowerOfTen(v.scale);
    const long long perMinute = PowerOfTen(v.scale - 2);
    const long long degrees = t / perDegree;
    const long long minutes = (t % perDegree) / perMinute;
    const long long rest = t % perMinute;  // seconds at scale - 4
    const long long perSecond = PowerOfTen(v.scale - 4);
    if (minutes >= 60 || rest >= 60 * perSecond)
        return false;
    const long long total = (degrees * 3600 + minutes * 60) * perSecond + rest;
    seconds = {v.units < 0 ? -total : total, v.scale - 4};
    return true;
}

// Seconds back into the ten-thousandths of ddd.mmss, decimals kept; false
// when the digits do not fit (an angle of more than about 10^14 degrees' worth).
bool SecondsAsDmsField(const ExactDecimal& seconds, std::string& field) {
    const long long t = std::llabs(seconds.units);
    const long long perSecond = PowerOfTen(seconds.scale);
    const long long degrees = t / (3600 * perSecond);
    const long long minutes = (t / (60 * perSecond)) % 60;
    const long long rest = t % (60 * perSecond);
    long long whole = 0;
    if (__builtin_mul_overflow(degrees, 10000 * perSecond, &whole) ||
        __builtin_add_overflow(whole, minutes * 100 * perSecond + rest, &whole))
        return false;
    field = ShiftedText({seconds.units < 0 ? -whole : whole, seconds.scale}, 0, -1);
    return true;
}

}  // namespace

bool AngleField(const SurveyAngle& angle, bool printed, std::string& field) {
    const int places = printed ? 0 : -1;
    switch (angle.unit) {
        case AngleUnit::Gon:
            field = ShiftedText(angle.value, 4, places);
            return true;
        case AngleUnit::Mil:
            field = ShiftedText(angle.value, 3, places);
            return true;
        case AngleUnit::Dms:
        case AngleUnit::Degrees:
            break;
    }
    ExactDecimal seconds{0, angle.value.scale};
    if (angle.unit == AngleUnit::Degrees) {
        if (__builtin_mul_overflow(angle.value.units, 3600, &seconds.units))
            return false;
    } else if (!DmsSeconds(angle.value, seconds)) {
        return false;
    }
    if (printed)
        seconds = RoundedTo(seconds, 0);
    return SecondsAsDmsField(seconds, field);
}

std::string LengthField(const ExactDecimal& length, bool printed) {
    return ShiftedText(length, 3, printed ? 0 : -1);
}

const char* AngleUnitCode(AngleUnit unit) {
    switch (unit) {
        case AngleUnit::Gon:
            return "g";
        case AngleUnit::Mil:
            return "m";
        case AngleUnit::Dms:
        case AngleUnit::Degrees:
            break;
    }
    return "d";
}

const char* LengthUnitName(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Foot:
            return "ft";
        case LengthUnit::UsFoot:
            return "usft";
        case LengthUnit::Metre:
            break;
    }
    return "m";
}

}  // namespace vm
