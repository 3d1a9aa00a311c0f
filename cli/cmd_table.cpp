#include <iostream>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "common/file_io.h"
#include "export/coordinate_table.h"
#include "printing/table_pdf.h"

namespace vm::cli {
namespace {

const char kUsage[] =
    "table [--no-code] [--columns P,C,X,Y,Z] [--pdf PDF] [--format NAME] SOURCE TARGET";

// The column numbers 1-5 the dialog's lists offer, for PT#, PCode, X, Y, Z.
bool ParseColumns(const std::string& text, ColumnOrder& order) {
    std::vector<int> c;
    if (!ParseIntList(text, 5, c))
        return false;
    for (int v : c) {
        if (v < 1 || v > 5)
            return false;
    }
    order.m_nPtCol = static_cast<int16_t>(c[0] - 1);
    order.m_nCodeCol = static_cast<int16_t>(c[1] - 1);
    order.m_nXCol = static_cast<int16_t>(c[2] - 1);
    order.m_nYCol = static_cast<int16_t>(c[3] - 1);
    order.m_nZCol = static_cast<int16_t>(c[4] - 1);
    return true;
}

}  // namespace

int CmdTable(const Args& args) {
    if (WantsHelp(args)) {
        std::cout
            << "usage: veltramarlin-cli " << kUsage << "\n"
            << "Lays SOURCE out as the printable coordinate table in TARGET.\n"
               "  --columns P,C,X,Y,Z  column numbers 1-5 of PT#, PCode, X, Y, Z\n"
               "                       (default 1,2,3,4,5; with --no-code 1,2,2,3,4)\n"
               "  --no-code            the file has no code column\n"
               "  --pdf PDF            also the printed table (aligned, with page\n"
               "                       numbers) as a PDF file\n"
            << kFormatHelp
            << "Another maker's file is laid out from its points; --columns then has no use.\n";
        return kExitOk;
    }
    bool hasCode = true;
    std::string columns;
    std::string pdf;
    SourceFormat format = SourceFormat::Auto;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--no-code") {
            hasCode = false;
        } else if (args[i] == "--format") {
            std::string reason = "--format needs a name";
            if (i + 1 == args.size() || !ParseFormatOption(args[++i], format, reason))
                return UsageError(kUsage, reason);
        } else if (args[i] == "--columns" || args[i] == "--pdf") {
            if (i + 1 == args.size())
                return UsageError(kUsage, args[i] + " needs a value");
            (args[i] == "--pdf" ? pdf : columns) = args[i + 1];
            ++i;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(kUsage, "unknown option " + args[i]);
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() != 2)
        return UsageError(kUsage, "SOURCE and TARGET are needed");

    CoordinateTableRequest request;
    request.sourcePath = paths[0];
    request.tablePath = paths[1];
    request.order = DefaultColumnOrder(hasCode);
    request.format = format;
    if (!columns.empty() && !ParseColumns(columns, request.order)) {
        return UsageError(kUsage, "--columns takes five column numbers 1-5");
    }
    const CoordinateTableResult result = WriteCoordinateTable(request);
    if (!result.report.empty() && result.written)
        PrintLines({result.report});
    PrintLines(result.messages);
    if (!result.written || pdf.empty())
        return result.written ? kExitOk : kExitFailure;

    std::string source;
    FileError error;
    if (!ReadFileBytes(request.sourcePath, source, &error)) {
        PrintLines({error.message});
        return kExitFailure;
    }
    const ExportSourceText other = TableSource(source, format, request.order);
    if (other.converted)
        source = other.text;
    const PrintTable table = BuildPrintTable(source, request.order, request.sourcePath);
    const std::string status = EncodingStatus(table.counts);
    if (!status.empty())
        PrintLines({status});
    const bool done = WriteTablePdf(pdf, table, error);
    if (!done)
        PrintLines({error.message});
    return done ? kExitOk : kExitFailure;
}

}  // namespace vm::cli
