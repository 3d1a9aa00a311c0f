#pragma once
// The readers of other makers' files, one per format, each in a file of its
// own. Each walks the bytes line by line (LF, CR LF or CR; a UTF-8 byte-order
// mark skipped) and hands what it reads to the record model.

#include <string_view>

#include "instrument/survey_records.h"

namespace vm {

void ReadGsiFile(std::string_view bytes, SurveyRecords& records);         // GSI-8 and GSI-16
void ReadSdrFile(std::string_view bytes, SurveyRecords& records);         // SDR33 and SDR2x
void ReadNikonRawFile(std::string_view bytes, SurveyRecords& records);    // Nikon RAW
void ReadJobFile(std::string_view bytes, SurveyRecords& records);         // JOB and ARE labels
void ReadRw5File(std::string_view bytes, SurveyRecords& records);         // RW5 records
void ReadCoordinateText(std::string_view bytes, SurveyRecords& records);  // plain points

}  // namespace vm
