#include "export/coordinate_table.h"

namespace vm {

const std::string& CoordinateTableHeading() {
    static const std::string kHeading = "PT#" + std::string(12, ' ') + "X" + std::string(14, ' ') +
                                        "Y" + std::string(13, ' ') + "Z" + std::string(11, ' ') +
                                        "PCode\r\n\r\n";
    return kHeading;
}

std::string BuildCoordinateTable(const std::string& sourceBytes, const ColumnOrder& order,
                                 size_t* rowCount) {
    const std::vector<std::string> rows = ColumnOrderRows(sourceBytes, order);
    std::string table = CoordinateTableHeading();
    for (const std::string& row : rows)
        table += row;
    if (rowCount)
        *rowCount = rows.size();
    return table;
}

CoordinateTableResult WriteCoordinateTable(const CoordinateTableRequest& request) {
    CoordinateTableResult result;
    std::string source;
    FileError error;
    if (!ReadFileBytes(request.sourcePath, source, &error)) {
        result.messages.push_back(error.message);
        return result;
    }
    size_t rows = 0;
    const std::string table = BuildCoordinateTable(source, request.order, &rows);
    if (!WriteFileAtomic(request.tablePath, table, &error, request.mode)) {
        result.messages.push_back(error.message);
        return result;
    }
    result.written = true;
    result.rowCount = rows;
    return result;
}

}  // namespace vm
