#pragma once
// Angles and lengths of other makers' files, in the units the file declares,
// written as the fields of the instrument's own records: lengths in thousandths
// of their unit, angles in ten-thousandths of ddd.mmss or of gon, thousandths of
// a mil. Decimal degrees become degrees, minutes and seconds.

#include <optional>
#include <string>

#include "instrument/exact_decimal.h"

namespace vm {

enum class AngleUnit { Dms, Degrees, Gon, Mil };
enum class LengthUnit { Metre, Foot, UsFoot };

struct SurveyAngle {
    ExactDecimal value;  // ddd.mmss for Dms, else the decimal value
    AngleUnit unit = AngleUnit::Dms;
};

// v as an angle in unit; nothing when v is nothing.
inline std::optional<SurveyAngle> AngleIn(const std::optional<ExactDecimal>& v, AngleUnit unit) {
    if (!v)
        return std::nullopt;
    return SurveyAngle{*v, unit};
}

// The angle as a field of the instrument's records. printed: rounded to what
// the conversions print (a whole second, 0.0001 gon, 0.001 mil); otherwise
// every decimal the file gave. False for a ddd.mmss value whose minutes or
// seconds are 60 or more, and for an angle too large to write.
bool AngleField(const SurveyAngle& angle, bool printed, std::string& field);

// A length as thousandths of its unit: rounded to whole thousandths when
// printed, else with every decimal the file gave.
std::string LengthField(const ExactDecimal& length, bool printed);

// The code of the instrument's "UNITS" record: "d", "g" or "m"; "m", "ft" or "usft".
const char* AngleUnitCode(AngleUnit unit);
const char* LengthUnitName(LengthUnit unit);

}  // namespace vm
