#include "dialogs/exports/print_table_command.h"

#include <memory>

#include "common/file_io.h"
#include "dialogs/exports/export_command_host.h"
#include "export/coordinate_table.h"
#include "export/print_table.h"

namespace vm {
namespace {

std::string JoinStatus(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty())
        return first + second;
    return first + " " + second;
}

}  // namespace

void RunPrintTableCommand(ExportCommandHost& host, const ColumnOrder& order,
                          const std::string& tablePath) {
    FileDialogRequest source;
    source.filter = "*.txt|*.txt|*.dat|*.dat|*.*|*.*|";
    source.defaultExt = "txt";
    const std::optional<std::string> path = host.AskOpenFile(source);
    if (!path)
        return;

    CoordinateTableRequest request;
    request.sourcePath = *path;
    request.tablePath = tablePath;
    request.order = order;
    request.mode = FileMode::OwnerOnly;
    request.format = SourceFormat::Auto;
    const CoordinateTableResult result = WriteCoordinateTable(request);
    for (const std::string& message : result.messages)
        host.MessageBox(message);
    if (!result.written)
        return;
    host.ViewFile(request.tablePath);

    std::string bytes;
    FileError error;
    if (!ReadFileBytes(request.sourcePath, bytes, &error)) {
        host.MessageBox(error.message);
        return;
    }
    // Another maker's file is printed as the points the table was written from.
    ColumnOrder printed = order;
    ExportSourceText other = TableSource(bytes, SourceFormat::Auto, printed);
    if (other.converted)
        bytes.swap(other.text);
    // The printer keeps its own table: a preview may paint again at any time.
    auto table =
        std::make_shared<const PrintTable>(BuildPrintTable(bytes, printed, request.sourcePath));
    const std::string status = JoinStatus(result.report, EncodingStatus(table->counts));
    if (!status.empty())
        host.ShowStatus(status);
    host.PrintTable(table, std::string(kPrintTitle) + " - " + table->sourceName);
}

}  // namespace vm
