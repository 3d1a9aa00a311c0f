#pragma once
// A conversion's source that may be another maker's file: recognised (or
// named by the user), read into the instrument's own records, and reported.

#include <string>
#include <string_view>

#include "instrument/conversion_result.h"
#include "instrument/source_format.h"

namespace vm {

struct OtherMakersSource {
    SourceFormat format = SourceFormat::Own;  // Own: the bytes are read as they are
    SurveyTexts texts;
};

// Resolves format over bytes and reads another maker's file. False, with the
// status saying so and naming the first line that does not fit, when no
// record of that format is found.
bool ReadConversionSource(std::string_view bytes, SourceFormat format, OtherMakersSource& out,
                          ConversionResult& result);

// What was read, for the status: the format, the records, the lines skipped
// with the first of them; "" for the instrument's own files.
std::string OtherMakersReport(const OtherMakersSource& source);

// The line the conversion dialog's status box shows for a source before a
// run: the format recognised, or the one the user chose. Looks at the start
// of the text only (the run reports what it read).
std::string DescribeSource(std::string_view bytes, SourceFormat format);

// The same for a file; "" when it cannot be read (the run will say so) and
// for the instrument's own files when nothing was chosen (they need no line).
std::string DescribeSourceFile(const std::string& path, SourceFormat format);

// The download conversion's mode for another maker's file: 2 (coordinate file)
// for plain coordinate text, else 1 (measurement file, whose coordinate output
// holds the points of the file as well).
int OtherMakersMode(SourceFormat format);

}  // namespace vm
