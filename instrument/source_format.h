#pragma once
// Which file a source is: the instrument's own measurement or coordinate file,
// or another maker's format; and the reading of the others into the
// instrument's own records.

#include <string>
#include <string_view>

#include "instrument/survey_records.h"

namespace vm {

enum class SourceFormat { Auto, Own, Gsi8, Gsi16, Sdr, NikonRaw, Job, Rw5, Text };

// "gsi8", "gsi16", "sdr", "nikon-raw", "job", "rw5", "text"; "auto" and "" for the rest.
const char* SourceFormatName(SourceFormat format);
// The format of a name ("auto" included); false for an unknown name.
bool ParseSourceFormat(std::string_view name, SourceFormat& format);
// The names a user may choose from, "auto" first (the dialog's list and --format).
const SourceFormat* ChoosableFormats(size_t& count);
// The format's name as the status box shows it ("Leica GSI-16", "自动识别").
const char* SourceFormatCaption(SourceFormat format);

// Looks at the start of bytes: Own when the instrument's own classification
// knows the text (measurement or coordinate file), else the other maker's
// format it recognises, else Own again (the instrument's rules then apply, as
// they always did).
SourceFormat RecogniseSourceFormat(std::string_view bytes);

// The word `classify` prints: measurement, coordinate, a format's name or none.
std::string ClassifyWord(const std::string& bytes);

// Reads another maker's file (format neither Auto nor Own).
SurveyTexts ReadOtherMakersFile(std::string_view bytes, SourceFormat format);

// format, with Auto resolved by recognition.
SourceFormat ResolveFormat(std::string_view bytes, SourceFormat format);

}  // namespace vm
