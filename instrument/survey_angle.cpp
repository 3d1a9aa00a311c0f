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
// seconds); false when the minutes or seconds are 60 or more.
bool DmsSeconds(const ExactDecimal& dms, ExactDecimal& seconds) {
    ExactDecimal v = dms;
    while (v.scale < 4) {
        v.units *= 10;
        ++v.scale;
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

// Seconds back into the ten-thousandths of ddd.mmss, decimals kept.
std::string SecondsAsDmsField(const ExactDecimal& seconds) {
    const long long t = std::llabs(seconds.units);
    const long long perSecond = PowerOfTen(seconds.scale);
    const long long degrees = t / (3600 * perSecond);
    const long long minutes = (t / (60 * perSecond)) % 60;
    const long long rest = t % (60 * perSecond);
    const long long field = (degrees * 10000 + minutes * 100) * perSecond + rest;
    return ShiftedText({seconds.units < 0 ? -field : field, seconds.scale}, 0, -1);
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
    ExactDecimal seconds;
    if (angle.unit == AngleUnit::Degrees) {
        seconds = {angle.value.units * 3600, angle.value.scale};
    } else if (!DmsSeconds(angle.value, seconds)) {
        return false;
    }
    if (printed)
        seconds = RoundedTo(seconds, 0);
    field = SecondsAsDmsField(seconds);
    return true;
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
