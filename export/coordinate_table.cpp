#include "export/coordinate_table.h"

#include "common/piece_walker.h"
#include "common/source_bytes.h"
#include "common/streamed_file.h"
#include "common/string_sink.h"

namespace vm {
namespace {

// Writes the heading and one row per piece with a comma; returns the rows.
template <typename Sink>
size_t WriteTable(std::string_view bytes, const ColumnOrder& order, Sink& out) {
    out.Append(CoordinateTableHeading());
    PieceWalker pieces(bytes);
    std::string_view raw;
    std::string scratch;
    size_t rows = 0;
    while (pieces.Next(raw)) {
        const std::string_view cleaned = CleanedPiece(raw, scratch);
        const size_t size =
            WriteColumnOrderRow(cleaned, order, out.Room(5 * cleaned.size() + 4 * kColumnGap + 2));
        out.Added(size);
        rows += size > 0 ? 1 : 0;
    }
    return rows;
}

}  // namespace

const std::string& CoordinateTableHeading() {
    static const std::string kHeading = "PT#" + std::string(12, ' ') + "X" + std::string(14, ' ') +
                                        "Y" + std::string(13, ' ') + "Z" + std::string(11, ' ') +
                                        "PCode\r\n\r\n";
    return kHeading;
}

std::string BuildCoordinateTable(const std::string& sourceBytes, const ColumnOrder& order,
                                 size_t* rowCount) {
    std::string table;
    StringSink sink(table);
    const size_t rows = WriteTable(sourceBytes, order, sink);
    if (rowCount)
        *rowCount = rows;
    return table;
}

ExportSourceText TableSource(std::string_view bytes, SourceFormat format, ColumnOrder& order) {
    ExportSourceText other;
    if (format != SourceFormat::Own)
        other = OtherMakersExportText(bytes, format, ExportReading::Points);
    if (other.converted && !other.failed)
        order = ColumnOrder{0, 1, 2, 3, 4, order.m_bHasCode};
    return other;
}

CoordinateTableResult WriteCoordinateTable(const CoordinateTableRequest& request) {
    CoordinateTableResult result;
    SourceBytes source;
    FileError error;
    if (!source.Open(request.sourcePath, &error)) {
        result.messages.push_back(error.message);
        return result;
    }
    ColumnOrder order = request.order;
    const ExportSourceText other = TableSource(source.View(), request.format, order);
    result.report = other.report;
    if (other.failed) {
        result.messages.push_back(other.report);
        return result;
    }
    const std::string_view text = other.converted ? other.text : source.View();
    StreamedFile table;
    size_t rows = 0;
    if (table.Open(request.tablePath, request.mode))
        rows = WriteTable(text, order, table);
    if (!table.Commit(&error)) {
        result.messages.push_back(error.message);
        return result;
    }
    result.written = true;
    result.rowCount = rows;
    return result;
}

}  // namespace vm
