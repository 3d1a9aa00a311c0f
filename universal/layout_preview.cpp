#include "universal/layout_preview.h"

#include <string_view>

#include "universal/layout_records.h"

namespace vm {
namespace {

std::vector<std::string> SplitColumns(const std::string& line, char separator) {
    std::vector<std::string> cells(1);
    for (char c : line) {
        if (c == separator)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

}  // namespace

std::vector<LayoutPreviewRow> PreviewLayoutRecords(const std::string& sourceBytes,
                                                   const UniversalConversionRun& run,
                                                   size_t count) {
    std::vector<LayoutPreviewRow> rows;
    LayoutRecordReader reader(sourceBytes);
    std::string_view record;
    long long counter = run.startNumber;
    while (rows.size() < count && reader.Next(record)) {
        LayoutPreviewRow row;
        row.source = std::string(record);
        std::string line =
            BuildTargetRecord(SplitRecord(row.source, run.sourceSeparator), run, counter);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        row.cells = SplitColumns(line, run.targetSeparator);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace vm
