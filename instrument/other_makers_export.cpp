#include "instrument/other_makers_export.h"

#include "instrument/coordinate_text_reader.h"
#include "instrument/other_makers_source.h"
#include "instrument/text_lines.h"

namespace vm {
namespace {

// The separator of the first line with a number in it (a column heading
// aside) is a comma.
bool IsCommaSeparated(std::string_view bytes) {
    char separator = 0;
    ForEachTextLine(bytes, [&](long long, std::string_view line) {
        if (!separator && line.find_first_of("0123456789") != std::string_view::npos)
            separator = CoordinateTextSeparator(line);
    });
    return separator == ',';
}

}  // namespace

ExportSourceText OtherMakersExportText(std::string_view bytes, SourceFormat format,
                                       ExportReading reading) {
    ExportSourceText out;
    OtherMakersSource source;
    source.format = ResolveFormat(bytes, format);
    if (source.format == SourceFormat::Own)
        return out;
    // Comma-separated points are what the exports read already.
    if (source.format == SourceFormat::Text && reading == ExportReading::Points &&
        IsCommaSeparated(bytes))
        return out;
    out.converted = true;
    ConversionResult failure;
    if (!ReadConversionSource(bytes, source.format, source, failure)) {
        out.failed = true;
        out.report = failure.status;
        return out;
    }
    out.text = reading == ExportReading::Points ? std::move(source.texts.plainPoints)
                                                : std::move(source.texts.measurement);
    out.report = OtherMakersReport(source);
    return out;
}

}  // namespace vm
